#pragma once

#include <QMainWindow>
#include <QPointer>

#include "run/calculation_run.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace orbisca::ui {

class FilteredLineEdit;
class FrmDisplay;
class PlaceCompletion;

// frmMain, the birth-data window: the program's first window and the only
// place where birth data are entered. "Proceed" runs the chart; while the
// results are shown the window is hidden with its entries intact. Closing it
// ends the program.
//
// The hemisphere options are the radio buttons optLat0 ("North"), optLat1
// ("South"), optLong0 ("East") and optLong1 ("West"); the button groups
// optLat and optLong hold them with ids 0 and 1.
class FrmMain : public QMainWindow, public BirthDataView {
  Q_OBJECT

 public:
  explicit FrmMain(QWidget* parent = nullptr);
  ~FrmMain() override;

  // What the run needs of the window.
  BirthEntries Entries() const override;
  void Refuse(const EntryRefusal& refusal) override;
  ResultsSink& Results() override;
  void ShowResults() override;

  // The results window while it exists.
  FrmDisplay* Display() const;

 public slots:
  void cmdRashi_Click();    // "Proceed"
  void mnuNext_Click();     // File, "Proceed"
  void cmdBrowser_Click();  // the place lookup
  void mnuExit_Click();     // File, "E&xit"

 protected:
  // Form_Unload: closing the window ends the program.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildEntryPanel(QWidget* parent);
  void Form_Load();
  QLineEdit* FieldBox(EntryField field) const;
  QWidget* BuildPlaceCompletion(QWidget* parent);

  FilteredLineEdit* txtName_ = nullptr;
  QComboBox* cboMonth_ = nullptr;
  QComboBox* cboDate_ = nullptr;
  QComboBox* cboYear_ = nullptr;
  QComboBox* cboHH_ = nullptr;
  QComboBox* cboMM_ = nullptr;
  QComboBox* cboSS_ = nullptr;
  QComboBox* cmbTimeZone_ = nullptr;
  QCheckBox* chkDST_ = nullptr;
  FilteredLineEdit* txtLatD_ = nullptr;
  FilteredLineEdit* txtLatM_ = nullptr;
  FilteredLineEdit* txtLonD_ = nullptr;
  FilteredLineEdit* txtLonM_ = nullptr;
  QButtonGroup* optLat_ = nullptr;
  QButtonGroup* optLong_ = nullptr;
  QLineEdit* txtMCity_ = nullptr;
  QLineEdit* txtMState_ = nullptr;
  QLineEdit* txtMCountry_ = nullptr;
  PlaceCompletion* placeCompletion_ = nullptr;

  QPointer<FrmDisplay> display_;
};

}  // namespace orbisca::ui
