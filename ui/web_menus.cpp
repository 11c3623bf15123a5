#include "ui/web_menus.h"

#include <QMenu>
#include <QMenuBar>

#include "app/about_box.h"
#include "app/web_pages.h"

namespace orbisca::ui {

void AddWebMenus(QMenuBar* bar, QWidget* window, const HelpMenuNames& names) {
  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  help->addAction(QStringLiteral("&Online Help"), window, [] { OpenWebPage(WebPage::OnlineHelpPage); })
      ->setObjectName(QStringLiteral("mnuOnline"));
  help->addAction(QStringLiteral("&Visit Us Online"), window, [] { OpenWebPage(WebPage::HomePage); })
      ->setObjectName(QStringLiteral("mnuVisit"));
  help->addSeparator()->setObjectName(names.firstSeparator);
  help->addAction(names.updateCaption, window, [] { OpenWebPage(WebPage::DownloadPage); })
      ->setObjectName(QStringLiteral("mnuUpdate"));
  help->addSeparator()->setObjectName(names.secondSeparator);
  help->addAction(QStringLiteral("&About Software"), window, [window] { ShowAboutBox(window); })
      ->setObjectName(QStringLiteral("mnuAbout"));

  bar->addAction(QStringLiteral("&Donate"), window, [] { OpenWebPage(WebPage::DonatePage); })
      ->setObjectName(QStringLiteral("mnuDonate"));
  // Switched off: shown greyed, it cannot be chosen.
  QAction* money =
      bar->addAction(QStringLiteral("Make Money &Online"), window, [] { OpenWebPage(WebPage::FullBrandPage); });
  money->setObjectName(QStringLiteral("mkmoney"));
  money->setEnabled(false);
}

}  // namespace orbisca::ui
