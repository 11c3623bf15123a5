#pragma once

#include <QMainWindow>
#include <QString>
#include <QTextCharFormat>
#include <array>
#include <string>
#include <vector>

#include "aspects/aspect_kind.h"
#include "aspects/aspects.h"
#include "aspects/results_sink.h"
#include "run/chart_input.h"
#include "ui/frm_save.h"

class QFrame;
class QGroupBox;
class QStackedLayout;
class QTabWidget;
class QTextEdit;

namespace orbisca::ui {

class ChartTab;

// frmDisplay, the results of one run: a tab per aspect kind with the kind's
// description, the cover "No Planet is present in this aspect." stacked on the
// same place, and the result box that the aspect step fills. It deletes itself
// when closed, so every run writes into a new window.
class FrmDisplay : public QMainWindow, public ResultsSink {
  Q_OBJECT

 public:
  explicit FrmDisplay(QWidget* parent = nullptr);

  // Result boxes and cover frames, for the aspect step.
  void SetInsertStyle(AspectKind kind, bool bold, Rgb colour) override;
  void InsertText(AspectKind kind, std::string_view text) override;
  void BringCoverToFront(AspectKind kind) override;
  void SendCoverToBack(AspectKind kind) override;

  // A result box's text, UTF-8 with CR LF line breaks.
  std::string ResultText(AspectKind kind) const;
  // The seven, in tab order.
  AspectTexts ResultTexts() const;

  // The "Chart" tab after the seven: the chart of the run's record, with the
  // aspects the result boxes were written from.
  void ShowChart(const ChartInput& input, const std::vector<AspectEntry>& aspects, const QString& placeName);

 signals:
  // "Back" has unloaded this window; the birth-data window shows itself again.
  void backRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Tab {
    QStackedLayout* stack = nullptr;
    QGroupBox* description = nullptr;  // Frame1
    QGroupBox* cover = nullptr;        // fraShow
    QTextEdit* resultBox = nullptr;    // RTBAspectsDesc...
    QTextCharFormat format;            // style of the next insertion
  };

  void BuildMenus();
  QWidget* BuildCentral();
  QTabWidget* BuildTabs(QWidget* parent);
  void BuildTab(AspectKind kind, QTabWidget* tabs);
  QGroupBox* BuildDescription(AspectKind kind, QWidget* parent);
  QGroupBox* BuildCover(AspectKind kind, QWidget* parent);
  QTextEdit* BuildResultBox(AspectKind kind, QWidget* parent);
  QFrame* BuildButtonBar(QWidget* parent);

  void GoBack();        // cmdOK_Click, mnuFileBack_Click
  void ExitProgram();   // cmdExit_Click, mnuExit_Click
  void OpenReport();    // Command1_Click ("&Print")

  std::array<Tab, kAspectKindCount> tabs_;
  ChartTab* chartTab_ = nullptr;  // the eighth tab
  QString personName_;            // names the report's file
  bool unloading_ = false;  // closed by "Back": the program goes on
};

}  // namespace orbisca::ui
