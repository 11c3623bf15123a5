#include "ui/focus_ring.h"
#include "ui/frm_main.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "births/library.h"
#include "run/time_zones.h"
#include "ui/accessible_list.h"
#include "ui/births_dialog.h"
#include "ui/births_exchange.h"
#include "ui/chart_tab.h"
#include "ui/enter_key.h"
#include "ui/filtered_line_edit.h"
#include "ui/fonts.h"
#include "ui/frm_display.h"
#include "ui/place_completion.h"
#include "ui/place_lookup.h"
#include "ui/save_path.h"
#include "ui/seams.h"
#include "ui/theme.h"
#include "ui/unload_all.h"
#include "ui/web_menus.h"
#include "ui/web_pages.h"
#include "ui/window_fit.h"

namespace orbisca::ui {
namespace {

// How long after the form is shown its results window is built ahead: long
// enough for the form's first paint, far shorter than typing a birth.
constexpr int kPrepareResultsDelayMs = 200;

// The settings the window keeps across runs.
const QString kGeometryKey = QStringLiteral("frmMain/geometry");
const QString kRecentKey = QStringLiteral("births/recent");      // ids, the latest first
const QString kLastBirthKey = QStringLiteral("births/last");     // the id of the birth shown last
constexpr int kRecentCount = 10;

const QString kDescription = QStringLiteral(
    "Orbisca calculates the angular distance or aspects between different planets. Each aspect is associated with "
    "different characteristics or attributes that are reflected in an individual's personality. Know what aspects "
    "are present in your natal chart with this software!");

QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// `spokenName` is what a screen reader calls the list.
AccessibleList* NamedList(const QString& name, const QString& spokenName, QWidget* parent) {
  auto* list = new AccessibleList(parent);  // a drop-down list: items are picked, not typed
  list->setObjectName(name);
  list->setAccessibleName(spokenName);
  list->setEditable(false);
  // Sized to all its items by the toolkit's default policy, measured again
  // whenever the font changes; the lists never change once filled. Asking for
  // AdjustToContents instead, or for the view, builds each list's popup (a
  // window of its own, which takes the list's font when it opens) before the
  // form is first shown.
  Paint(list, kDarkGrey, kLavender);
  return list;
}

// A degree or minute box, wide enough for its digits at any font size.
FilteredLineEdit* NumberBox(const QString& name, const QString& spokenName, int maxLength, QWidget* parent) {
  auto* box = new FilteredLineEdit(NumberKeyPress, parent);
  box->setObjectName(name);
  box->setAccessibleName(spokenName);
  box->setMaxLength(maxLength);
  Paint(box, kDarkGrey, kLavender);
  const int digits = box->fontMetrics().horizontalAdvance(QString(maxLength + 2, QLatin1Char('0')));
  box->setMinimumWidth(digits + 12);
  box->setMaximumWidth(digits * 2 + 12);
  return box;
}

QGroupBox* NamedFrame(const QString& name, const QString& caption, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  Paint(frame, kDarkGrey, kLavender);
  return frame;
}

// The object names and captions of one hemisphere frame.
struct HemisphereNames {
  QString frame, caption;
  QString degreesLabel, minutesLabel;
  QString option, first, second;  // the options are `option` + 0 and + 1
};

// One hemisphere frame: degree and minute boxes over the two options.
QGroupBox* HemisphereFrame(const HemisphereNames& names, FilteredLineEdit* degrees, FilteredLineEdit* minutes,
                           QButtonGroup* group, QWidget* parent) {
  QGroupBox* frame = NamedFrame(names.frame, names.caption, parent);
  auto* grid = new QGridLayout(frame);
  degrees->setParent(frame);
  minutes->setParent(frame);
  QLabel* degreesLabel = NamedLabel(names.degreesLabel, FrmMain::tr("Deg"), frame);
  degreesLabel->setBuddy(degrees);
  grid->addWidget(degreesLabel, 0, 0);
  grid->addWidget(degrees, 0, 1);
  QLabel* minutesLabel = NamedLabel(names.minutesLabel, FrmMain::tr("Min"), frame);
  minutesLabel->setBuddy(minutes);
  grid->addWidget(minutesLabel, 0, 2);
  grid->addWidget(minutes, 0, 3);
  for (int id = 0; id < 2; ++id) {
    auto* option = new QRadioButton(id == 0 ? names.first : names.second, frame);
    option->setObjectName(names.option + QString::number(id));
    PaintMark(option);
    group->addButton(option, id);
    grid->addWidget(option, 1, id * 2, 1, 2);
  }
  group->button(0)->setChecked(true);
  grid->setColumnStretch(4, 1);
  return frame;
}

QButtonGroup* OptionGroup(const QString& name, QObject* owner) {
  auto* group = new QButtonGroup(owner);
  group->setObjectName(name);
  return group;
}

// "first" to "last", one number an item.
QStringList Numbers(int first, int last) {
  QStringList numbers;
  numbers.reserve(last - first + 1);
  for (int n = first; n <= last; ++n) numbers << QString::number(n);
  return numbers;
}

// The form's content, scrolled where the screen has too little room for it
// (a small screen, or a large scale: 960×540 at 2×). It asks for all the room
// the content needs, so that where the screen has it the window is as it
// would be without the scrolling.
class ContentScroller final : public QScrollArea {
 public:
  ContentScroller(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("scrForm"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(content);
    content->installEventFilter(this);
  }
  QSize sizeHint() const override { return widget()->sizeHint().expandedTo(minimumSizeHint()); }
  QSize minimumSizeHint() const override { return ContentMinimumSize(widget()); }

 protected:
  // A change of the content's needs is one of the window's.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
    return QScrollArea::eventFilter(watched, event);
  }
};

QString FromEngine(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FrmMain::FrmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(kWindowCaption);
  setFont(UiFont(9));
  BuildMenus();
  setCentralWidget(new ContentScroller(BuildCentral(), this));
  FillLists();
  ConnectEnterKey();
  ConnectChangeWatch();
  libraryPath_ = births::DefaultLibraryPath();
  // Room for the zone names and the place boxes beside each other.
  resize(sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 84, 0)));
  FitToScreen(this);
  AddFocusRing(this);
  nameEdit_->setFocus();
}

FrmMain::~FrmMain() {
  delete display_.data();
  delete spareDisplay_.data();
}

void FrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Building the results window (its seven tabs laid out and measured) is
  // most of what Proceed would wait for; do it while the user types instead.
  // Not at once: the form paints first.
  QTimer::singleShot(kPrepareResultsDelayMs, this, &FrmMain::PrepareResultsWindow);
  QTimer::singleShot(kPrepareResultsDelayMs, this, &FrmMain::PrefetchBirths);
}

// Reading and sorting 100,000 births takes longer than the list may take to
// open: it is done on a thread of its own, ahead, one read at a time. The
// list checks that the library has not changed since (else reads it again).
void FrmMain::PrefetchBirths() {
  if (prefetch_.valid() && prefetch_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  prefetched_ = true;
  prefetchStamp_ = StampOf(libraryPath_);
  if (!QFileInfo::exists(QString::fromStdString(libraryPath_))) {
    prefetch_ = {};
    return;
  }
  prefetch_ = std::async(std::launch::async, [path = libraryPath_]() -> std::optional<ReadBirths> {
    try {
      return ReadLibraryBirths(path);
    } catch (const births::LibraryError&) {
      return std::nullopt;  // the list reads it again, and says why it cannot
    }
  });
}

bool FrmMain::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && prefetched_ && !(StampOf(libraryPath_) == prefetchStamp_)) {
    PrefetchBirths();
  }
  return QMainWindow::event(event);
}

void FrmMain::PrepareResultsWindow() {
  if (display_ || spareDisplay_ || !isVisible() || ProgramEnding()) return;
  spareDisplay_ = new FrmDisplay;
  spareDisplay_->ensurePolished();
  spareDisplay_->winId();  // the native window, made now rather than at show()
}

FrmDisplay* FrmMain::Display() const { return display_; }

void FrmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  const auto add = [&](const QString& text, const char* name, void (FrmMain::*slot)(), const QKeySequence& keys) {
    QAction* action = file->addAction(text, this, slot);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
  };
  add(tr("&New Birth"), "mnuNewBirth", &FrmMain::NewBirth, QKeySequence::New);
  add(tr("&Open Birth\u2026"), "mnuOpenBirth", &FrmMain::OpenBirth, QKeySequence(Qt::CTRL | Qt::Key_O));
  add(tr("&Save Birth"), "mnuSaveBirth", &FrmMain::SaveBirth, QKeySequence(Qt::CTRL | Qt::Key_S));
  add(tr("Save Birth &As\u2026"), "mnuSaveBirthAs", &FrmMain::SaveBirthAs,
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  recentMenu_ = file->addMenu(tr("&Recent Births"));
  recentMenu_->setObjectName(QStringLiteral("mnuRecentBirths"));
  connect(file, &QMenu::aboutToShow, this, &FrmMain::FillRecentMenu);
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
  add(tr("&Import Births\u2026"), "mnuImportBirths", &FrmMain::ImportBirths, {});
  add(tr("&Export Births\u2026"), "mnuExportBirths", &FrmMain::ExportBirths, {});
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar2"));
  file->addAction(tr("Proceed"), this, &FrmMain::Proceed)->setObjectName(QStringLiteral("mnuNext"));
  file->addAction(tr("E&xit"), this, &FrmMain::close)->setObjectName(QStringLiteral("mnuExit"));
  AddWebMenus(bar, this,
              {tr("Check for Software &Update"), QStringLiteral("mnuHelp1"), QStringLiteral("mnuHelp2")});
}

// The invitation band, the description, the entry panel and the offer band.
QWidget* FrmMain::BuildCentral() {
  auto* central = new QWidget(this);
  Paint(central, kNavy, kOnNavy);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(MakeCommunityStrip(central, QStringLiteral("fraTop")));
  QLabel* description = NamedLabel(QStringLiteral("Label2"), kDescription, central);
  description->setWordWrap(true);
  description->setFont(UiFont(10));
  description->setContentsMargins(16, 12, 16, 12);
  layout->addWidget(description);
  auto* panelHolder = new QWidget(central);
  auto* panelHolderLayout = new QVBoxLayout(panelHolder);
  panelHolderLayout->setContentsMargins(16, 0, 16, 16);
  panelHolderLayout->addWidget(BuildEntryPanel(panelHolder));
  layout->addWidget(panelHolder, 1);
  layout->addWidget(BuildOfferBand(central));
  return central;
}

QFrame* FrmMain::BuildOfferBand(QWidget* parent) {
  auto* band = new QFrame(parent);
  band->setObjectName(QStringLiteral("fraBottom"));
  Paint(band, kDarkGrey, kLavender);
  auto* layout = new QHBoxLayout(band);
  layout->setContentsMargins(12, 8, 12, 8);
  layout->setSpacing(24);
  auto* fullBrand = new WebPageLabel(WebPage::FullBrandPage, kFullBrandOffer, band);
  fullBrand->setObjectName(QStringLiteral("lblFullBrand"));
  auto* coBrand = new WebPageLabel(WebPage::CoBrandPage, kCoBrandOffer, band);
  coBrand->setObjectName(QStringLiteral("lblCobrand"));
  layout->addWidget(fullBrand, 1);
  layout->addWidget(coBrand, 1);
  return band;
}

// fraEntry: name, date and time, zone, latitude and longitude, the place for
// the lookup aid with the atlas's note under it, and the two buttons, one row each.
QWidget* FrmMain::BuildEntryPanel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QStringLiteral("fraEntry"));
  Paint(panel, kLightBlue, kInk);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(16, 16, 16, 16);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(10);
  AddNameRow(grid, 0, panel);
  AddDateAndTimeRows(grid, 1, panel);
  grid->addWidget(BuildZoneFrame(panel), 3, 0, 1, 2);
  grid->addLayout(BuildPlaceFrames(panel), 4, 0, 1, 2);
  grid->addLayout(BuildLookupLine(panel), 5, 0, 1, 2);
  grid->addWidget(BuildPlaceCompletion(panel), 6, 0, 1, 2);
  grid->addLayout(BuildButtonLine(panel), 7, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(8, 1);
  return panel;
}

void FrmMain::AddNameRow(QGridLayout* grid, int row, QWidget* panel) {
  QLabel* label = NamedLabel(QStringLiteral("Label13"), tr("Name"), panel);
  grid->addWidget(label, row, 0);
  nameEdit_ = new FilteredLineEdit(NameKeyPress, panel);
  nameEdit_->setObjectName(QStringLiteral("txtName"));
  nameEdit_->setAccessibleName(tr("Name"));
  label->setBuddy(nameEdit_);
  Paint(nameEdit_, kLightBlue, kNameText);
  grid->addWidget(nameEdit_, row, 1);
}

// Date of birth (month, day, year) and time of birth (hour, minute, second).
void FrmMain::AddDateAndTimeRows(QGridLayout* grid, int row, QWidget* panel) {
  const auto listRow = [&](const QString& labelName, const QString& caption, std::initializer_list<QComboBox*> lists,
                           QLabel* hint) {
    QLabel* label = NamedLabel(labelName, caption, panel);
    label->setBuddy(*lists.begin());
    grid->addWidget(label, row, 0);
    auto* line = new QHBoxLayout;
    for (QComboBox* list : lists) line->addWidget(list);
    if (hint) {
      line->addSpacing(8);
      line->addWidget(hint);
    }
    line->addStretch(1);
    grid->addLayout(line, row++, 1);
  };
  monthList_ = NamedList(QStringLiteral("cboMonth"), tr("Month of birth"), panel);
  dayList_ = NamedList(QStringLiteral("cboDate"), tr("Day of birth"), panel);
  yearList_ = NamedList(QStringLiteral("cboYear"), tr("Year of birth"), panel);
  listRow(QStringLiteral("Label5"), tr("Date of Birth"), {monthList_, dayList_, yearList_}, nullptr);
  hourList_ = NamedList(QStringLiteral("cboHH"), tr("Hour of birth"), panel);
  minuteList_ = NamedList(QStringLiteral("cboMM"), tr("Minute of birth"), panel);
  secondList_ = NamedList(QStringLiteral("cboSS"), tr("Second of birth"), panel);
  listRow(QStringLiteral("Label1"), tr("Time of Birth"), {hourList_, minuteList_, secondList_},
          NamedLabel(QStringLiteral("Label12"), tr("HH:MM:SS"), panel));
}

QGroupBox* FrmMain::BuildZoneFrame(QWidget* panel) {
  QGroupBox* frame = NamedFrame(QStringLiteral("fraZone"), tr("Zone"), panel);
  auto* layout = new QHBoxLayout(frame);
  zoneList_ = NamedList(QStringLiteral("cmbTimeZone"), tr("Zone"), frame);
  daylightSavingCheck_ = new QCheckBox(tr("Daylight Saving Time"), frame);
  daylightSavingCheck_->setObjectName(QStringLiteral("chkDST"));
  daylightSavingCheck_->setAccessibleName(tr("Daylight Saving Time"));
  PaintMark(daylightSavingCheck_);
  layout->addWidget(zoneList_, 1);
  layout->addSpacing(12);
  layout->addWidget(daylightSavingCheck_);
  return frame;
}

// Latitude (Frame3) and longitude (Frame4) side by side.
QLayout* FrmMain::BuildPlaceFrames(QWidget* panel) {
  latDegreesEdit_ = NumberBox(QStringLiteral("txtLatD"), tr("Latitude degrees"), 2, panel);
  latMinutesEdit_ = NumberBox(QStringLiteral("txtLatM"), tr("Latitude minutes"), 2, panel);
  latHemisphere_ = OptionGroup(QStringLiteral("optLat"), this);
  QGroupBox* latitude = HemisphereFrame({QStringLiteral("Frame3"), tr("Latitude"), QStringLiteral("Label7"),
                                         QStringLiteral("Label9"), QStringLiteral("optLat"), tr("North"),
                                         tr("South")},
                                        latDegreesEdit_, latMinutesEdit_, latHemisphere_, panel);
  lonDegreesEdit_ = NumberBox(QStringLiteral("txtLonD"), tr("Longitude degrees"), 3, panel);
  lonMinutesEdit_ = NumberBox(QStringLiteral("txtLonM"), tr("Longitude minutes"), 2, panel);
  lonHemisphere_ = OptionGroup(QStringLiteral("optLong"), this);
  QGroupBox* longitude = HemisphereFrame({QStringLiteral("Frame4"), tr("Longitude"),
                                          QStringLiteral("Label6"), QStringLiteral("Label8"), QStringLiteral("optLong"),
                                          tr("East"), tr("West")},
                                         lonDegreesEdit_, lonMinutesEdit_, lonHemisphere_, panel);
  auto* line = new QHBoxLayout;
  line->setSpacing(12);
  line->addWidget(latitude, 1);
  line->addWidget(longitude, 1);
  return line;
}

// City, state and country for the place lookup.
QLayout* FrmMain::BuildLookupLine(QWidget* panel) {
  auto* line = new QHBoxLayout;
  line->setSpacing(8);
  const auto placeBox = [&](const QString& labelName, const QString& caption, const QString& boxName) {
    QLabel* label = NamedLabel(labelName, caption, panel);
    line->addWidget(label);
    auto* box = new QLineEdit(panel);
    box->setObjectName(boxName);
    box->setAccessibleName(caption);
    label->setBuddy(box);
    Paint(box, kDarkGrey, kLavender);
    line->addWidget(box, 1);
    return box;
  };
  cityEdit_ = placeBox(QStringLiteral("Label54"), tr("City"), QStringLiteral("txtMCity"));
  line->addSpacing(8);
  stateEdit_ = placeBox(QStringLiteral("Label55"), tr("State"), QStringLiteral("txtMState"));
  line->addSpacing(8);
  countryEdit_ = placeBox(QStringLiteral("Label4"), tr("Country"), QStringLiteral("txtMCountry"));
  return line;
}

// The City box's completion from the atlas; returns the note it writes under the place row.
QWidget* FrmMain::BuildPlaceCompletion(QWidget* panel) {
  PlaceCompletion::Fields fields;
  fields.city = cityEdit_;
  fields.state = stateEdit_;
  fields.country = countryEdit_;
  fields.latDeg = latDegreesEdit_;
  fields.latMin = latMinutesEdit_;
  fields.latHemisphere = latHemisphere_;
  fields.lonDeg = lonDegreesEdit_;
  fields.lonMin = lonMinutesEdit_;
  fields.lonHemisphere = lonHemisphere_;
  fields.zone = zoneList_;
  fields.dst = daylightSavingCheck_;
  fields.dateAndTime = {monthList_, dayList_, yearList_, hourList_, minuteList_, secondList_};
  fields.localTime = [this] {
    return places::LocalDateTime{yearList_->currentText().toInt(), monthList_->currentIndex() + 1,
                                 dayList_->currentText().toInt(),  hourList_->currentText().toInt(),
                                 minuteList_->currentText().toInt(), secondList_->currentText().toInt()};
  };
  placeCompletion_ = new PlaceCompletion(std::move(fields), panel);
  return placeCompletion_->Note();
}

QLayout* FrmMain::BuildButtonLine(QWidget* panel) {
  QPushButton* lookupButton =
      LightBlueButton(QStringLiteral("cmdBrowser"), tr("Click Here To Find Latitude && Longitude"), panel);
  QPushButton* proceedButton = LightBlueButton(QStringLiteral("cmdRashi"), tr("Proceed"), panel);
  proceedButton->setFont(UiFont(9, true));
  proceedButton->setMinimumWidth(proceedButton->sizeHint().width() * 3 / 2);
  connect(lookupButton, &QPushButton::clicked, this, &FrmMain::LookUpPlace);
  connect(proceedButton, &QPushButton::clicked, this, &FrmMain::Proceed);
  auto* line = new QHBoxLayout;
  line->addWidget(lookupButton);
  line->addStretch(1);
  line->addWidget(proceedButton);
  return line;
}

// Enter on a button presses it; Enter in any entry but the name box presses
// Proceed. The name box keeps Enter as one of its keys (it passes its filter
// and does nothing more).
void FrmMain::ConnectEnterKey() {
  auto* proceedButton = findChild<QPushButton*>(QStringLiteral("cmdRashi"));
  for (QPushButton* button : findChildren<QPushButton*>()) PressOnEnter(button, button);
  QList<QWidget*> entries = {monthList_, dayList_, yearList_, hourList_, minuteList_, secondList_, zoneList_,
                             daylightSavingCheck_, latDegreesEdit_, latMinutesEdit_, lonDegreesEdit_,
                             lonMinutesEdit_, cityEdit_, stateEdit_, countryEdit_};
  for (QAbstractButton* option : latHemisphere_->buttons() + lonHemisphere_->buttons()) entries.append(option);
  for (QWidget* entry : entries) PressOnEnter(entry, proceedButton);
}

// The lists' items, in the order FillLists takes them.
QList<QStringList> FrmMain::ListItems() {
  static constexpr const char* kMonths[] = {
      QT_TR_NOOP("January"), QT_TR_NOOP("February"), QT_TR_NOOP("March"),     QT_TR_NOOP("April"),
      QT_TR_NOOP("May"),     QT_TR_NOOP("June"),     QT_TR_NOOP("July"),      QT_TR_NOOP("August"),
      QT_TR_NOOP("September"), QT_TR_NOOP("October"), QT_TR_NOOP("November"), QT_TR_NOOP("December")};
  QStringList months;
  for (const char* month : kMonths) months << tr(month);
  QStringList zones;
  for (const TimeZoneRow& zone : TimeZoneTable) zones << FromEngine(zone.text);
  return {months, zones, Numbers(1, 31), Numbers(1901, 2050), Numbers(0, 23), Numbers(0, 59), Numbers(0, 59)};
}

void FrmMain::FillLists() {
  // Each list filled at once: one insertion for the list and its view to
  // take in, rather than one per item.
  AccessibleList* const lists[] = {monthList_, zoneList_, dayList_, yearList_, hourList_, minuteList_, secondList_};
  const QList<QStringList> items = ListItems();
  for (int i = 0; i < items.size(); ++i) lists[i]->addItems(items[i]);
  for (QComboBox* list : {monthList_, dayList_, yearList_, hourList_, minuteList_, secondList_}) {
    list->setCurrentIndex(0);
  }
  zoneList_->setCurrentIndex(kDefaultTimeZone);
}

BirthEntries FrmMain::Entries() const {
  BirthEntries e;
  e.name = nameEdit_->text().toStdString();
  e.monthIndex = monthList_->currentIndex();
  e.dayIndex = dayList_->currentIndex();
  e.dayText = dayList_->currentText().toStdString();
  e.yearText = yearList_->currentText().toStdString();
  e.hourText = hourList_->currentText().toStdString();
  e.minuteText = minuteList_->currentText().toStdString();
  e.secondText = secondList_->currentText().toStdString();
  e.zoneIndex = zoneList_->currentIndex();
  // The atlas's entry after the design's rows carries its own offset.
  if (const QVariant offset = zoneList_->currentData(kZoneOffsetRole); offset.isValid()) {
    e.zoneOffsetMinutes = offset.toInt();
  }
  e.lonDeg = lonDegreesEdit_->text().toStdString();
  e.lonMin = lonMinutesEdit_->text().toStdString();
  e.latDeg = latDegreesEdit_->text().toStdString();
  e.latMin = latMinutesEdit_->text().toStdString();
  e.east = lonHemisphere_->button(0)->isChecked();
  e.south = latHemisphere_->button(1)->isChecked();
  e.dst = daylightSavingCheck_->checkState() != Qt::Unchecked;
  return e;
}

QLineEdit* FrmMain::FieldBox(EntryField field) const {
  switch (field) {
    case EntryField::Name: return nameEdit_;
    case EntryField::LonDeg: return lonDegreesEdit_;
    case EntryField::LonMin: return lonMinutesEdit_;
    case EntryField::LatDeg: return latDegreesEdit_;
    case EntryField::LatMin: return latMinutesEdit_;
    case EntryField::None: break;
  }
  return nullptr;
}

void FrmMain::Refuse(const EntryRefusal& refusal) {
  const QMessageBox::Icon icon =
      refusal.icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information;
  Messages().Show(this, icon, FromEngine(refusal.message));
  if (QLineEdit* box = FieldBox(refusal.focus)) box->setFocus();
}

FrmDisplay& FrmMain::Results() {
  if (!display_) {
    display_ = spareDisplay_ ? spareDisplay_.data() : new FrmDisplay;
    spareDisplay_ = nullptr;
    connect(display_, &FrmDisplay::backRequested, this, [this] {
      const QPointer<FrmDisplay> closing = display_;
      display_ = nullptr;  // unloaded: the next run builds a new window
      // The form comes back where the results were, maximised if they were.
      if (closing) {
        ShowInPlaceOf(this, closing, false);
      } else {
        show();
      }
    });
  }
  return *display_;
}

std::optional<Birth> FrmMain::CheckedFormBirth() {
  const std::variant<Birth, EntryRefusal> read = BirthFromEntries(Entries());
  if (const EntryRefusal* refusal = std::get_if<EntryRefusal>(&read)) {
    Refuse(*refusal);
    return std::nullopt;
  }
  // After the design's checks, a local time that the chosen place's clocks
  // skipped is refused, with every entry kept.
  if (const QString refusal = placeCompletion_->Refusal(); !refusal.isEmpty()) {
    Messages().Show(this, QMessageBox::Critical, refusal);
    hourList_->setFocus();
    return std::nullopt;
  }
  return FormBirth();
}

// "Proceed": the entries are checked and read into a birth (on a refusal
// nothing changes), its chart is computed once, and the results window shows
// it; this window hides with its entries intact. The chart page shows the
// place as typed for the lookup, when it was.
void FrmMain::Proceed() {
  const std::optional<Birth> birth = CheckedFormBirth();
  if (!birth) return;
  FrmDisplay& display = Results();
  display.ShowChart(*birth, ComputeChart(*birth, RememberedChartOptions()), PlaceBoxesText());
  // The results take the form's place on the screen, and at least its size.
  ShowInPlaceOf(&display, this, true);
  hide();
}

void FrmMain::LookUpPlace() {
  // Exactly empty counts: a box holding spaces has a value.
  const struct {
    QLineEdit* box;
    const char* message;
  } required[] = {{cityEdit_, QT_TR_NOOP("Please Enter City")}, {stateEdit_, QT_TR_NOOP("Please Enter State")},
                  {countryEdit_, QT_TR_NOOP("Please Enter Country")}};
  for (const auto& [box, message] : required) {
    if (box->text().isEmpty()) {
      Messages().Show(this, QMessageBox::Information, tr(message));
      box->setFocus();
      return;
    }
  }
  const QString query = cityEdit_->text() + QLatin1Char(' ') + stateEdit_->text() + QLatin1Char(' ') +
                        countryEdit_->text() + tr(" Latitude Longitude");
  PlaceLookup().Lookup(query);
}

void FrmMain::closeEvent(QCloseEvent* event) {
  if (!MayDiscardChanges()) {
    event->ignore();
    return;
  }
  event->accept();
  ProgramSettings().setValue(kGeometryKey, saveGeometry());
  UnloadAllAndEnd();
}

// "City, State, Country" as typed, the empty boxes left out.
QString FrmMain::PlaceBoxesText() const {
  QStringList place;
  for (const QLineEdit* box : {cityEdit_, stateEdit_, countryEdit_})
    if (!box->text().trimmed().isEmpty()) place << box->text().trimmed();
  return place.join(QStringLiteral(", "));
}

std::optional<Birth> FrmMain::FormBirth() const {
  std::variant<Birth, EntryRefusal> read = BirthFromEntries(Entries());
  Birth* birth = std::get_if<Birth>(&read);
  if (!birth) return std::nullopt;
  if (auto* offset = std::get_if<ZoneOffset>(&birth->zone)) {
    offset->iana = zoneList_->currentData(kZoneNameRole).toString().toStdString();
  }
  // The place keeps its GeoNames id while the boxes show the place it came
  // with: chosen from the atlas, or opened with a saved birth.
  if (const QString text = PlaceBoxesText(); !text.isEmpty()) {
    BirthPlace place{0, text.toStdString()};
    if (const std::optional<places::Place>& chosen = placeCompletion_->Chosen()) {
      place.geonameId = chosen->geonameId;
    } else if (saved_ && saved_->birth.place && saved_->birth.place->text == place.text) {
      place.geonameId = saved_->birth.place->geonameId;
    }
    birth->place = std::move(place);
  }
  return std::move(*birth);
}

void FrmMain::SetLibraryPath(const std::string& path) { libraryPath_ = path; }

void FrmMain::LibraryFailed(const QString& action, const std::exception& error) {
  Messages().Show(this, QMessageBox::Critical, LibraryMessage(action, error));
}

// Every entry's change tells whether the form still shows the saved birth.
void FrmMain::ConnectChangeWatch() {
  const auto changed = [this] {
    if (saved_ && !showingSaved_) setWindowModified(FormBirth() != saved_->birth);
  };
  for (QLineEdit* box : findChildren<QLineEdit*>()) connect(box, &QLineEdit::textChanged, this, changed);
  for (QComboBox* list : {static_cast<QComboBox*>(monthList_), static_cast<QComboBox*>(dayList_),
                          static_cast<QComboBox*>(yearList_), static_cast<QComboBox*>(hourList_),
                          static_cast<QComboBox*>(minuteList_), static_cast<QComboBox*>(secondList_),
                          static_cast<QComboBox*>(zoneList_)}) {
    connect(list, &QComboBox::currentIndexChanged, this, changed);
  }
  connect(daylightSavingCheck_, &QCheckBox::toggled, this, changed);
  connect(latHemisphere_, &QButtonGroup::idToggled, this, changed);
  connect(lonHemisphere_, &QButtonGroup::idToggled, this, changed);
}

// "Name — Orbisca v…" with the modified marker while a saved birth is shown.
void FrmMain::UpdateTitle() {
  if (!saved_) {
    setWindowTitle(kWindowCaption);
    setWindowModified(false);
    return;
  }
  QString name = FromEngine(saved_->birth.name);
  name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));  // a literal "[*]" in a name stays text
  setWindowTitle(name + QStringLiteral(" \u2014 ") + kWindowCaption + QStringLiteral("[*]"));
  setWindowModified(FormBirth() != saved_->birth);
}

bool FrmMain::MayDiscardChanges() {
  if (!saved_ || !isWindowModified()) return true;
  return Messages().Ask(this, tr("The birth \u201C%1\u201D has changed since it was saved. Discard the changes?")
                                  .arg(FromEngine(saved_->birth.name)));
}

void FrmMain::Remember(std::int64_t id) {
  QSettings settings = ProgramSettings();
  QStringList recent = settings.value(kRecentKey).toStringList();
  const QString key = QString::number(id);
  recent.removeAll(key);
  recent.prepend(key);
  while (recent.size() > kRecentCount) recent.removeLast();
  settings.setValue(kRecentKey, recent);
  settings.setValue(kLastBirthKey, key);
}

// The entries as they are at start: the form shows no birth.
void FrmMain::NewBirth() {
  if (!MayDiscardChanges()) return;
  showingSaved_ = true;
  saved_.reset();
  for (QLineEdit* box : {static_cast<QLineEdit*>(nameEdit_), static_cast<QLineEdit*>(latDegreesEdit_),
                         static_cast<QLineEdit*>(latMinutesEdit_), static_cast<QLineEdit*>(lonDegreesEdit_),
                         static_cast<QLineEdit*>(lonMinutesEdit_), cityEdit_, stateEdit_, countryEdit_}) {
    box->clear();
  }
  for (QComboBox* list : {monthList_, dayList_, yearList_, hourList_, minuteList_, secondList_}) {
    list->setCurrentIndex(0);
  }
  latHemisphere_->button(0)->setChecked(true);
  lonHemisphere_->button(0)->setChecked(true);
  daylightSavingCheck_->setChecked(false);
  placeCompletion_->ShowSavedZone(kDefaultTimeZone, 0, {});
  showingSaved_ = false;
  UpdateTitle();
  ProgramSettings().remove(kLastBirthKey);  // the next start shows the empty form too
  nameEdit_->setFocus();
}

void FrmMain::ShowSaved(const births::SavedBirth& saved) {
  const Birth& b = saved.birth;
  showingSaved_ = true;
  saved_ = saved;
  nameEdit_->setText(FromEngine(b.name));
  monthList_->setCurrentIndex(b.month - 1);
  dayList_->setCurrentIndex(b.day - 1);
  yearList_->setCurrentText(QString::number(b.year));
  hourList_->setCurrentIndex(b.hour);
  minuteList_->setCurrentIndex(b.minute);
  secondList_->setCurrentIndex(b.second);
  latDegreesEdit_->setText(QString::number(b.latDegrees));
  latMinutesEdit_->setText(QString::number(b.latMinutes));
  latHemisphere_->button(b.south ? 1 : 0)->setChecked(true);
  lonDegreesEdit_->setText(QString::number(b.lonDegrees));
  lonMinutesEdit_->setText(QString::number(b.lonMinutes));
  lonHemisphere_->button(b.east ? 0 : 1)->setChecked(true);
  // "City, State, Country" back into its boxes: the first part is the city,
  // the last the country, any between them the state.
  QStringList parts = b.place ? FromEngine(b.place->text).split(QStringLiteral(", ")) : QStringList();
  cityEdit_->setText(parts.isEmpty() ? QString() : parts.takeFirst());
  countryEdit_->setText(parts.isEmpty() ? QString() : parts.takeLast());
  stateEdit_->setText(parts.join(QStringLiteral(", ")));
  // The zone last: the place boxes and the date above must not work it out again.
  if (const auto* row = std::get_if<ZoneRow>(&b.zone)) {
    placeCompletion_->ShowSavedZone(row->row, 0, {});
  } else {
    const ZoneOffset& offset = std::get<ZoneOffset>(b.zone);
    placeCompletion_->ShowSavedZone(std::nullopt, offset.minutesEast, FromEngine(offset.iana));
  }
  daylightSavingCheck_->setChecked(b.dst);
  showingSaved_ = false;
  UpdateTitle();
  Remember(saved.id);
}

bool FrmMain::OpenSaved(std::int64_t id) {
  std::optional<births::SavedBirth> saved;
  try {
    saved = births::Library(libraryPath_, births::Access::Read).Find(id);
  } catch (const births::LibraryError& e) {
    LibraryFailed(tr("The birth could not be opened"), e);
    return false;
  }
  if (!saved) {
    Messages().Show(this, QMessageBox::Information, tr("The library no longer has this birth."));
    return false;
  }
  // The form's lists hold the years 1901 to 2050 and the zone list's rows.
  const Birth& b = saved->birth;
  const auto* row = std::get_if<ZoneRow>(&b.zone);
  if (yearList_->findText(QString::number(b.year)) < 0 || (row && (row->row < 0 || row->row >= kTimeZoneCount))) {
    Messages().Show(this, QMessageBox::Information,
                    tr("The birth \u201C%1\u201D (%2) cannot be shown in this form: it takes the years %3 to %4.")
                        .arg(FromEngine(b.name), FromEngine(births::DateText(b)), yearList_->itemText(0),
                             yearList_->itemText(yearList_->count() - 1)));
    return false;
  }
  ShowSaved(*saved);
  return true;
}

void FrmMain::OpenBirth() {
  if (!MayDiscardChanges()) return;
  std::optional<std::int64_t> chosen;
  try {
    std::optional<ReadBirths> read;
    if (prefetch_.valid()) read = prefetch_.get();
    BirthsDialog dialog(libraryPath_, std::move(read), this);
    if (saved_) dialog.Select(saved_->id);
    Windows().Exec(dialog);
    chosen = dialog.Chosen();
  } catch (const births::LibraryError& e) {
    LibraryFailed(tr("The library of births could not be read"), e);
    return;
  }
  PrefetchBirths();  // for the next time, with the changes made in the list
  if (chosen) {
    OpenSaved(*chosen);
  } else if (saved_) {
    // The shown birth may have been edited or deleted in the list: the form
    // keeps its entries, beside the birth as the library has it now, or as a
    // birth not saved.
    try {
      saved_ = births::Library(libraryPath_, births::Access::Read).Find(saved_->id);
      UpdateTitle();
    } catch (const births::LibraryError&) {
    }
  }
}

void FrmMain::FillRecentMenu() {
  recentMenu_->clear();
  QStringList recent = ProgramSettings().value(kRecentKey).toStringList();
  if (!recent.isEmpty() && QFileInfo::exists(QString::fromStdString(libraryPath_))) {
    try {
      const births::Library library(libraryPath_, births::Access::Read);
      for (const QString& key : recent) {
        const std::optional<births::SavedBirth> saved = library.Find(key.toLongLong());
        if (!saved) continue;  // deleted since
        const int number = static_cast<int>(recentMenu_->actions().size()) + 1;
        QString name = FromEngine(saved->birth.name);
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2 (%3)").arg(number % 10).arg(name, FromEngine(births::DateText(saved->birth))));
        const std::int64_t id = saved->id;
        connect(action, &QAction::triggered, this, [this, id] {
          if (MayDiscardChanges()) OpenSaved(id);
        });
      }
    } catch (const births::LibraryError&) {
      // An unreadable library lists nothing here; opening it says why.
    }
  }
  recentMenu_->menuAction()->setEnabled(!recentMenu_->isEmpty());
}

// Writes the birth to the library: over the saved one of its id, or as a
// new one when it has none. True when written.
bool FrmMain::Store(births::SavedBirth saved) {
  try {
    births::Library library(libraryPath_, births::Access::Write);
    if (saved.id == 0 || !library.Replace(saved)) {
      saved.id = 0;
      library.Add(saved);
    }
  } catch (const births::LibraryError& e) {
    LibraryFailed(tr("The birth could not be saved"), e);
    return false;
  }
  saved_ = std::move(saved);
  UpdateTitle();
  Remember(saved_->id);
  PrefetchBirths();
  return true;
}

// "Save Birth": over the saved birth the form shows, after asking; a birth
// not saved yet is added, unless one of its name is saved: that is replaced,
// after asking.
void FrmMain::SaveBirth() {
  std::optional<Birth> birth = CheckedFormBirth();
  if (!birth) return;
  births::SavedBirth saved;
  try {
    if (saved_) {
      // The kind, tags, source and note as the library has them now (they may
      // have been changed in the list, or by the other program).
      std::optional<births::SavedBirth> now;
      if (QFileInfo::exists(QString::fromStdString(libraryPath_))) {
        now = births::Library(libraryPath_, births::Access::Read).Find(saved_->id);
      }
      saved = now.value_or(*saved_);
    } else if (QFileInfo::exists(QString::fromStdString(libraryPath_))) {
      const births::Library library(libraryPath_, births::Access::Read);
      for (const births::BirthSummary& summary : library.Summaries(birth->name)) {
        if (summary.name != birth->name) continue;
        if (std::optional<births::SavedBirth> same = library.Find(summary.id)) saved = std::move(*same);
        break;
      }
    }
  } catch (const births::LibraryError& e) {
    LibraryFailed(tr("The birth could not be saved"), e);
    return;
  }
  if (saved.id != 0 &&
      !Messages().Ask(this, tr("Replace the saved birth \u201C%1\u201D (%2) with the form's entries?")
                                .arg(FromEngine(saved.birth.name), FromEngine(births::DateText(saved.birth))))) {
    return;
  }
  saved.birth = std::move(*birth);
  Store(std::move(saved));
}

// "Save Birth As…": always a new birth; the note, source, kind and tags of the
// birth shown go with it.
void FrmMain::SaveBirthAs() {
  std::optional<Birth> birth = CheckedFormBirth();
  if (!birth) return;
  births::SavedBirth saved = saved_.value_or(births::SavedBirth{});
  saved.id = 0;
  saved.birth = std::move(*birth);
  Store(std::move(saved));
}

void FrmMain::ImportBirths() {
  if (ImportBirthsInto(this, libraryPath_)) PrefetchBirths();
}

void FrmMain::ExportBirths() { ExportBirthsFrom(this, libraryPath_); }

void FrmMain::RestoreSession() {
  QSettings settings = ProgramSettings();
  if (const QByteArray geometry = settings.value(kGeometryKey).toByteArray(); !geometry.isEmpty()) {
    restoreGeometry(geometry);
    FitToScreen(this);
  }
  bool known = false;
  const std::int64_t last = settings.value(kLastBirthKey).toLongLong(&known);
  if (!known || !QFileInfo::exists(QString::fromStdString(libraryPath_))) return;
  try {
    const std::optional<births::SavedBirth> saved = births::Library(libraryPath_, births::Access::Read).Find(last);
    if (saved) OpenSaved(saved->id);
  } catch (const births::LibraryError&) {
    // Gone or unreadable: the form starts empty, as without a library.
  }
}

}  // namespace orbisca::ui
