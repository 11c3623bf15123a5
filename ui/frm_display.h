#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "aspects/aspect_kind.h"
#include "aspects/aspects.h"
#include "run/chart.h"
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
class FrmDisplay : public QMainWindow {
  Q_OBJECT

 public:
  explicit FrmDisplay(QWidget* parent = nullptr);

  // Shows the chart of a birth: each aspect in its kind's result box (the
  // heading bold dark red, the paragraph black), the cover over each kind
  // with none, and the "Chart" tab after the seven. A window shows one chart.
  void ShowChart(const Birth& birth, const Chart& chart, const QString& placeName);

  // A result box's text, UTF-8 with CR LF line breaks.
  std::string ResultText(AspectKind kind) const;

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
  std::vector<AspectEntry> aspects_;  // of the chart shown, for the report
  ChartTab* chartTab_ = nullptr;  // the eighth tab
  QString personName_;            // names the report's file
  bool unloading_ = false;  // closed by "Back": the program goes on
};

}  // namespace orbisca::ui
