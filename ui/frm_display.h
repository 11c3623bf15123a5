#pragma once

#include <QMainWindow>
#include <QString>
#include <QTextCharFormat>
#include <array>

#include "aspects/aspect_kind.h"
#include "aspects/results_sink.h"

class QGroupBox;
class QStackedLayout;
class QTextEdit;

namespace orbisca::ui {

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

  // A result box's content as plain text, line breaks as CR LF.
  QString ResultText(AspectKind kind) const;
  // The seven, in tab order.
  std::array<QString, kAspectKindCount> ResultTexts() const;

 signals:
  // "Back" has unloaded this window; the birth-data window shows itself again.
  void backRequested();

 public slots:
  void cmdOK_Click();         // "Back"
  void mnuFileBack_Click();   // File, "&Back"
  void cmdExit_Click();       // "Exit"
  void mnuExit_Click();       // File, "E&xit"
  void Command1_Click();      // "&Print"

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Tab {
    QStackedLayout* stack = nullptr;
    QGroupBox* description = nullptr;  // Frame1
    QGroupBox* cover = nullptr;        // fraShow
    QTextEdit* box = nullptr;          // RTBAspectsDesc...
    QTextCharFormat format;            // style of the next insertion
  };

  QWidget* BuildTab(AspectKind kind);
  void BuildMenus();

  std::array<Tab, kAspectKindCount> tabs_;
  bool unloading_ = false;  // closed by "Back": the program goes on
};

}  // namespace orbisca::ui
