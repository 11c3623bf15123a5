#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "aspects/aspect_kind.h"

class QLayout;
class QPushButton;
class QTextEdit;

namespace orbisca::ui {

// The seven kinds' texts in tab order (Conjunction, Semi Sextile, Sextile,
// Square, Trine, Quincunx, Opposition), UTF-8 with CR LF line breaks.
using AspectTexts = std::array<std::string, kAspectKindCount>;

// Opens the report window modally over `parent` with the report of the
// results; it is built afresh each time and discarded when closed.
// `personName` names the file the save proposes.
void OpenReportWindow(QWidget* parent, const AspectTexts& resultTexts, const QString& personName = {});

// frmSave, the report window: the report of the results in a read-only box,
// with save as Rich Text Format, print, and clickable web addresses. It keeps
// the report as the report function made it, and shows, saves and prints
// that one text.
class FrmSave : public QDialog {
  Q_OBJECT

 public:
  explicit FrmSave(const AspectTexts& resultTexts, QWidget* parent = nullptr, const QString& personName = {});
  ~FrmSave() override;

  // The report, UTF-8 with CR LF line breaks.
  const std::string& ReportText() const { return report_; }

 protected:
  void done(int result) override;

 private:
  QLayout* BuildOfferLine();
  void BuildReportBox();
  QLayout* BuildButtonLine();
  void ShowReport();
  void StopWatchingLinks();

  void Save();   // cmdSave_Click
  void Print();  // cmdPrint_Click
  // The path the user chose, with the .rtf suffix, once any existing file
  // may be replaced; empty when the save is cancelled. Declining to replace
  // a file opens the dialog again.
  QString AskSavePath();

  std::string report_;
  QString personName_;
  QTextEdit* reportBox_ = nullptr;  // RTB
};

}  // namespace orbisca::ui
