#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "births/saved_birth.h"
#include "run/birth.h"
#include "ui/births_dialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLayout;
class QLineEdit;
class QMenu;

namespace orbisca::ui {

class AccessibleList;
class FilteredLineEdit;
class PlaceCompletion;
class FrmDisplay;

// frmMain, the birth-data window: the program's first window and the only
// place where birth data are entered. "Proceed" runs the chart; while the
// results are shown the window is hidden with its entries intact. Closing it
// ends the program.
//
// The hemisphere options are the radio buttons optLat0 ("North"), optLat1
// ("South"), optLong0 ("East") and optLong1 ("West"); the button groups
// optLat and optLong hold them with ids 0 and 1.
class FrmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit FrmMain(QWidget* parent = nullptr);
  ~FrmMain() override;

  // The entries as the user left them.
  BirthEntries Entries() const;

  // The results window while it exists.
  FrmDisplay* Display() const;

  // The library of births the File menu uses: births::DefaultLibraryPath()
  // unless set.
  void SetLibraryPath(const std::string& path);
  const std::string& LibraryPath() const { return libraryPath_; }

  // What the last run left: the window's size and place, and the birth it
  // showed, opened again when the library still has it. Nothing is written.
  void RestoreSession();

  // The saved birth the form shows (its entries may have changed since), if any.
  const std::optional<births::SavedBirth>& Saved() const { return saved_; }
  // Opens the saved birth into the form; false (with a message) when it
  // cannot be read or shown.
  bool OpenSaved(std::int64_t id);
  // The birth the entries stand for, the atlas's zone name and the place
  // included; nothing when the form's checks refuse the entries.
  std::optional<Birth> FormBirth() const;

 protected:
  // Form_Unload: closing the window ends the program.
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Back in the window (perhaps from orbisca-chart in a terminal): the births
  // are read ahead again when the library changed meanwhile.
  bool event(QEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildCentral();
  QFrame* BuildOfferBand(QWidget* parent);
  QWidget* BuildEntryPanel(QWidget* parent);
  void AddNameRow(QGridLayout* grid, int row, QWidget* panel);
  void AddDateAndTimeRows(QGridLayout* grid, int row, QWidget* panel);
  QGroupBox* BuildZoneFrame(QWidget* panel);
  QLayout* BuildPlaceFrames(QWidget* panel);
  QLayout* BuildLookupLine(QWidget* panel);
  QWidget* BuildPlaceCompletion(QWidget* panel);
  QLayout* BuildButtonLine(QWidget* panel);
  static QList<QStringList> ListItems();
  void FillLists();  // Form_Load
  void ConnectEnterKey();
  QLineEdit* FieldBox(EntryField field) const;
  void PrepareResultsWindow();
  // Shows the refusal's message (modal, with its icon) and moves the focus.
  void Refuse(const EntryRefusal& refusal);
  // The results window, created if need be.
  FrmDisplay& Results();

  void Proceed();       // cmdRashi_Click, mnuNext_Click
  // The File menu's births.
  void NewBirth();
  void OpenBirth();
  void SaveBirth();
  void SaveBirthAs();
  void ImportBirths();
  void ExportBirths();
  void FillRecentMenu();
  void PrefetchBirths();
  // The entries read as Proceed reads them, refused with its messages.
  std::optional<Birth> CheckedFormBirth();
  // Writes the birth over the saved one of its id, or as a new one (id 0).
  bool Store(births::SavedBirth saved);
  void ShowSaved(const births::SavedBirth& saved);
  void Remember(std::int64_t id);
  void ConnectChangeWatch();
  void UpdateTitle();
  // True when the form shows no changed saved birth, or the user lets the changes go.
  bool MayDiscardChanges();
  QString PlaceBoxesText() const;
  void LibraryFailed(const QString& action, const std::exception& error);
  void LookUpPlace();   // cmdBrowser_Click

  FilteredLineEdit* nameEdit_ = nullptr;          // txtName
  AccessibleList* monthList_ = nullptr;                // cboMonth
  AccessibleList* dayList_ = nullptr;                  // cboDate
  AccessibleList* yearList_ = nullptr;                 // cboYear
  AccessibleList* hourList_ = nullptr;                 // cboHH
  AccessibleList* minuteList_ = nullptr;               // cboMM
  AccessibleList* secondList_ = nullptr;               // cboSS
  AccessibleList* zoneList_ = nullptr;                 // cmbTimeZone
  QCheckBox* daylightSavingCheck_ = nullptr;      // chkDST
  FilteredLineEdit* latDegreesEdit_ = nullptr;    // txtLatD
  FilteredLineEdit* latMinutesEdit_ = nullptr;    // txtLatM
  FilteredLineEdit* lonDegreesEdit_ = nullptr;    // txtLonD
  FilteredLineEdit* lonMinutesEdit_ = nullptr;    // txtLonM
  QButtonGroup* latHemisphere_ = nullptr;         // optLat
  QButtonGroup* lonHemisphere_ = nullptr;         // optLong
  QLineEdit* cityEdit_ = nullptr;                 // txtMCity
  QLineEdit* stateEdit_ = nullptr;                // txtMState
  QLineEdit* countryEdit_ = nullptr;              // txtMCountry
  PlaceCompletion* placeCompletion_ = nullptr;

  QMenu* recentMenu_ = nullptr;
  std::string libraryPath_;
  std::optional<births::SavedBirth> saved_;
  bool showingSaved_ = false;  // the entries are being filled from a saved birth
  // The library's births, read for "Open Birth…" while the user types.
  std::future<std::optional<ReadBirths>> prefetch_;
  LibraryStamp prefetchStamp_;  // the library as the last read ahead began
  bool prefetched_ = false;     // a read ahead was asked for (not at once at start)

  QPointer<FrmDisplay> display_;
  // A results window built while this one waits for the user, hidden and
  // empty, for the next Proceed to fill and show.
  QPointer<FrmDisplay> spareDisplay_;
};

}  // namespace orbisca::ui
