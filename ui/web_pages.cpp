#include "ui/web_pages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMouseEvent>

#include "report/site.h"
#include "ui/seams.h"

namespace orbisca::ui {
namespace {

QString SiteBase() { return QString::fromStdString(std::string(SiteBaseAddress())); }

// The user guide ships beside the program (build tree) or in the shared data
// folder of an installed program.
QString LocalHelpFile() {
  const QString dir = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {dir + QStringLiteral("/help/index.html"),
                                   dir + QStringLiteral("/../share/orbisca/help/index.html")}) {
    if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
  }
  return {};
}

}  // namespace

QString HomePageAddress() { return SiteBase(); }

QUrl WebPageUrl(WebPage page) {
  const QString base = SiteBase();
  switch (page) {
    case WebPage::HomePage:
      return QUrl(base);
    case WebPage::OnlineHelpPage: {
      const QString local = LocalHelpFile();
      return local.isEmpty() ? QUrl(base + QStringLiteral("help/")) : QUrl::fromLocalFile(local);
    }
    case WebPage::DownloadPage:
      return QUrl(base + QStringLiteral("download/"));
    case WebPage::DonatePage:
      return QUrl(base + QStringLiteral("donate/"));
    case WebPage::FullBrandPage:
      return QUrl(base + QStringLiteral("full-brand/"));
    case WebPage::CoBrandPage:
      return QUrl(base + QStringLiteral("co-brand/"));
  }
  return QUrl(base);
}

void OpenWebPage(WebPage page) { Urls().Open(WebPageUrl(page)); }

WebPageLabel::WebPageLabel(WebPage page, const QString& text, QWidget* parent)
    : QLabel(text, parent), page_(page) {
  setCursor(Qt::PointingHandCursor);
  setWordWrap(true);
}

// A click is a left-button release over the label, as for any button.
void WebPageLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    OpenWebPage(page_);
    event->accept();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace orbisca::ui
