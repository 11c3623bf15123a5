#include "ui/web_menus.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>

#include "ui/fonts.h"
#include "ui/frm_about.h"
#include "ui/theme.h"
#include "ui/web_pages.h"

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

QFrame* MakeCommunityStrip(QWidget* parent, const QString& frameName) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(frameName);
  Paint(frame, kDarkGrey, kLavender);
  auto* layout = new QHBoxLayout(frame);
  layout->setContentsMargins(12, 8, 12, 8);
  auto* invitation = new WebPageLabel(WebPage::HomePage, kCommunityInvitation, frame);
  invitation->setObjectName(QStringLiteral("Label61"));
  invitation->setFont(UiFont(9, true));
  invitation->setAlignment(Qt::AlignCenter);
  layout->addWidget(invitation);
  return frame;
}

}  // namespace orbisca::ui
