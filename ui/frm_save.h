#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "aspects/aspects.h"

class QLayout;
class QPushButton;
class QTextEdit;

namespace orbisca::ui {

// Opens the report window modally over `parent` with the report of the
// aspects found; it is built afresh each time and discarded when closed.
void OpenReportWindow(QWidget* parent, const std::vector<AspectEntry>& aspects);

// frmSave, the report window: the report of the results in a read-only box,
// with save as Rich Text Format, print, and clickable web addresses. It keeps
// the report as the report function made it, and shows, saves and prints
// that one text.
class FrmSave : public QDialog {
  Q_OBJECT

 public:
  explicit FrmSave(const std::vector<AspectEntry>& aspects, QWidget* parent = nullptr);
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
  QTextEdit* reportBox_ = nullptr;  // RTB
};

}  // namespace orbisca::ui
