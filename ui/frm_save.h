#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QUrl>
#include <array>

class QLabel;
class QPushButton;
class QTextEdit;

namespace orbisca {
class WebPageLabel;
}

namespace orbisca::ui {

// Opens the report window modally over `parent` with the plain text (CR LF
// line breaks) of the seven result boxes, in tab order (Conjunction,
// Semi Sextile, Sextile, Square, Trine, Quincunx, Opposition).
void OpenReportWindow(QWidget* parent, const std::array<QString, 7>& resultTexts);

// The report window: the report of the results in a read-only rich-text box,
// with save as Rich Text Format, print, and clickable web addresses.
class frmSave : public QDialog {
  Q_OBJECT

 public:
  explicit frmSave(const std::array<QString, 7>& resultTexts, QWidget* parent = nullptr);
  ~frmSave() override;

  QTextEdit* RTB = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdPrint = nullptr;
  WebPageLabel* Label1 = nullptr;
  WebPageLabel* Label14 = nullptr;
  WebPageLabel* Label2 = nullptr;

  void cmdSave_Click();
  void cmdPrint_Click();

  // The report box's whole text with CR LF line breaks.
  QString ReportText() const;

  // The report box's font: Verdana 9.75 point, or a sans-serif font in its place.
  static QFont ReportFont();

 protected:
  void done(int result) override;

 private:
  void Form_Load(const std::array<QString, 7>& resultTexts);
  void Form_Unload();
};

// A web address found in a text: where it stands and what opening it opens.
struct WebAddress {
  int start = 0;
  int length = 0;
  QUrl url;
};

// The web addresses in `text`: http://, https:// and bare www. addresses
// (opened as http), without trailing punctuation.
QList<WebAddress> FindWebAddresses(const QString& text);

// Link watch of the report box: while on, every web address in `box` shows as
// a link and a left-button press on one opens it through the URL seam.
// One watch for the program; starting it again moves it to the new box.
void StartLinkWatch(QTextEdit* box, QWidget* window);
void StopLinkWatch();
bool LinkWatchActive();

}  // namespace orbisca::ui
