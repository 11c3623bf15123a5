#pragma once

#include <QLabel>
#include <QString>
#include <QUrl>

namespace orbisca::ui {

// The maker's pages that menus and labels open.
enum class WebPage { HomePage, OnlineHelpPage, DownloadPage, DonatePage, FullBrandPage, CoBrandPage };

// The address of a page. The site's base address is set when the program is
// configured; the online help prefers the user guide installed beside the
// program and falls back to the site's help page when that file is missing.
QUrl WebPageUrl(WebPage page);

// The home page address as shown to the user (About box, report header).
QString HomePageAddress();

// Asks the desktop to open the page; returns at once, failures are ignored.
void OpenWebPage(WebPage page);

// A label that opens one of the maker's pages on a left-button press, shown
// with a pointing-hand cursor like a link.
class WebPageLabel : public QLabel {
 public:
  WebPageLabel(WebPage page, const QString& text, QWidget* parent = nullptr);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  WebPage page_;
};

}  // namespace orbisca::ui
