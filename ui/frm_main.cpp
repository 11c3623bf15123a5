#include "ui/frm_main.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/unload_all.h"
#include "app/web_pages.h"
#include "ui/web_menus.h"
#include "run/time_zones.h"
#include "ui/filtered_line_edit.h"
#include "ui/fonts.h"
#include "ui/frm_display.h"
#include "ui/place_completion.h"
#include "ui/place_lookup.h"
#include "ui/seams.h"
#include "ui/theme.h"

namespace orbisca::ui {
namespace {

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

QComboBox* NamedList(const QString& name, QWidget* parent) {
  auto* list = new QComboBox(parent);  // a drop-down list: items are picked, not typed
  list->setObjectName(name);
  list->setEditable(false);
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  Paint(list, kDarkGrey, kLavender);
  return list;
}

// A degree or minute box, wide enough for its digits at any font size.
FilteredLineEdit* NumberBox(const QString& name, int maxLength, QWidget* parent) {
  auto* box = new FilteredLineEdit(NumberKeyPress, parent);
  box->setObjectName(name);
  box->setMaxLength(maxLength);
  Paint(box, kDarkGrey, kLavender);
  const int digits = box->fontMetrics().horizontalAdvance(QString(maxLength + 2, QLatin1Char('0')));
  box->setMinimumWidth(digits + 12);
  box->setMaximumWidth(digits * 2 + 12);
  return box;
}

// The mark of an option or check box drawn light on black, so the choice
// stands out on the dark grey frame.
void MarkContrast(QWidget* control) {
  QPalette palette = control->palette();
  palette.setColor(QPalette::Base, Qt::black);
  palette.setColor(QPalette::Text, Qt::white);
  control->setPalette(palette);
}

QGroupBox* NamedFrame(const QString& name, const QString& caption, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  Paint(frame, kDarkGrey, kLavender);
  return frame;
}

// One hemisphere frame: degree and minute boxes over the two options.
QGroupBox* HemisphereFrame(const QString& frameName, const QString& caption, const QString& degLabel,
                           FilteredLineEdit* deg, const QString& minLabel, FilteredLineEdit* min, QButtonGroup* group,
                           const QString& optionName, const QString& first, const QString& second, QWidget* parent) {
  QGroupBox* frame = NamedFrame(frameName, caption, parent);
  auto* grid = new QGridLayout(frame);
  deg->setParent(frame);
  min->setParent(frame);
  grid->addWidget(NamedLabel(degLabel, QStringLiteral("Deg"), frame), 0, 0);
  grid->addWidget(deg, 0, 1);
  grid->addWidget(NamedLabel(minLabel, QStringLiteral("Min"), frame), 0, 2);
  grid->addWidget(min, 0, 3);
  for (int id = 0; id < 2; ++id) {
    auto* option = new QRadioButton(id == 0 ? first : second, frame);
    option->setObjectName(optionName + QString::number(id));
    MarkContrast(option);
    group->addButton(option, id);
    grid->addWidget(option, 1, id * 2, 1, 2);
  }
  group->button(0)->setChecked(true);
  grid->setColumnStretch(4, 1);
  return frame;
}

}  // namespace

FrmMain::FrmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(kWindowCaption);
  setFont(UiFont(9));
  BuildMenus();

  auto* central = new QWidget(this);
  Paint(central, kNavy, Qt::white);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  layout->addWidget(MakeCommunityStrip(central, QStringLiteral("fraTop")));

  QLabel* label2 = NamedLabel(QStringLiteral("Label2"), kDescription, central);
  label2->setWordWrap(true);
  label2->setFont(UiFont(10));
  label2->setContentsMargins(16, 12, 16, 12);
  layout->addWidget(label2);

  auto* panelHolder = new QWidget(central);
  auto* panelHolderLayout = new QVBoxLayout(panelHolder);
  panelHolderLayout->setContentsMargins(16, 0, 16, 16);
  panelHolderLayout->addWidget(BuildEntryPanel(panelHolder));
  layout->addWidget(panelHolder, 1);

  auto* bottom = new QFrame(central);
  bottom->setObjectName(QStringLiteral("fraBottom"));
  Paint(bottom, kDarkGrey, kLavender);
  auto* bottomLayout = new QHBoxLayout(bottom);
  bottomLayout->setContentsMargins(12, 8, 12, 8);
  bottomLayout->setSpacing(24);
  auto* lblFullBrand = new WebPageLabel(WebPage::FullBrandPage, kFullBrandOffer, bottom);
  lblFullBrand->setObjectName(QStringLiteral("lblFullBrand"));
  auto* lblCobrand = new WebPageLabel(WebPage::CoBrandPage, kCoBrandOffer, bottom);
  lblCobrand->setObjectName(QStringLiteral("lblCobrand"));
  bottomLayout->addWidget(lblFullBrand, 1);
  bottomLayout->addWidget(lblCobrand, 1);
  layout->addWidget(bottom);

  setCentralWidget(central);
  Form_Load();
  // Room for the zone names and the place boxes beside each other.
  resize(sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 84, 0)));
  txtName_->setFocus();
}

FrmMain::~FrmMain() { delete display_.data(); }

FrmDisplay* FrmMain::Display() const { return display_; }

void FrmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  file->addAction(QStringLiteral("Proceed"), this, &FrmMain::mnuNext_Click)->setObjectName(QStringLiteral("mnuNext"));
  file->addAction(QStringLiteral("E&xit"), this, &FrmMain::mnuExit_Click)->setObjectName(QStringLiteral("mnuExit"));

  AddWebMenus(bar, this, {QStringLiteral("Check for Software &Update"), QStringLiteral("mnuHelp1"), QStringLiteral("mnuHelp2")});
}

QWidget* FrmMain::BuildEntryPanel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QStringLiteral("fraEntry"));
  Paint(panel, kLightBlue, Qt::black);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(16, 16, 16, 16);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(10);
  int row = 0;

  // Name.
  grid->addWidget(NamedLabel(QStringLiteral("Label13"), QStringLiteral("Name"), panel), row, 0);
  txtName_ = new FilteredLineEdit(NameKeyPress, panel);
  txtName_->setObjectName(QStringLiteral("txtName"));
  Paint(txtName_, kLightBlue, kNameText);
  grid->addWidget(txtName_, row++, 1);

  // Date and time of birth.
  const auto listRow = [&](const QString& labelName, const QString& caption, std::initializer_list<QComboBox*> lists,
                           QLabel* hint) {
    grid->addWidget(NamedLabel(labelName, caption, panel), row, 0);
    auto* line = new QHBoxLayout;
    for (QComboBox* list : lists) line->addWidget(list);
    if (hint) {
      line->addSpacing(8);
      line->addWidget(hint);
    }
    line->addStretch(1);
    grid->addLayout(line, row++, 1);
  };
  cboMonth_ = NamedList(QStringLiteral("cboMonth"), panel);
  cboDate_ = NamedList(QStringLiteral("cboDate"), panel);
  cboYear_ = NamedList(QStringLiteral("cboYear"), panel);
  listRow(QStringLiteral("Label5"), QStringLiteral("Date of Birth"), {cboMonth_, cboDate_, cboYear_}, nullptr);
  cboHH_ = NamedList(QStringLiteral("cboHH"), panel);
  cboMM_ = NamedList(QStringLiteral("cboMM"), panel);
  cboSS_ = NamedList(QStringLiteral("cboSS"), panel);
  listRow(QStringLiteral("Label1"), QStringLiteral("Time of Birth"), {cboHH_, cboMM_, cboSS_},
          NamedLabel(QStringLiteral("Label12"), QStringLiteral("HH:MM:SS"), panel));

  // Zone.
  QGroupBox* fraZone = NamedFrame(QStringLiteral("fraZone"), QStringLiteral("Zone"), panel);
  auto* zoneLayout = new QHBoxLayout(fraZone);
  cmbTimeZone_ = NamedList(QStringLiteral("cmbTimeZone"), fraZone);
  chkDST_ = new QCheckBox(QStringLiteral("Daylight Saving Time"), fraZone);
  chkDST_->setObjectName(QStringLiteral("chkDST"));
  MarkContrast(chkDST_);
  zoneLayout->addWidget(cmbTimeZone_, 1);
  zoneLayout->addSpacing(12);
  zoneLayout->addWidget(chkDST_);
  grid->addWidget(fraZone, row++, 0, 1, 2);

  // Latitude and longitude.
  txtLatD_ = NumberBox(QStringLiteral("txtLatD"), 2, panel);
  txtLatM_ = NumberBox(QStringLiteral("txtLatM"), 2, panel);
  optLat_ = new QButtonGroup(this);
  optLat_->setObjectName(QStringLiteral("optLat"));
  QGroupBox* frame3 = HemisphereFrame(QStringLiteral("Frame3"), QStringLiteral("Latitude"), QStringLiteral("Label7"),
                                      txtLatD_, QStringLiteral("Label9"), txtLatM_, optLat_, QStringLiteral("optLat"),
                                      QStringLiteral("North"), QStringLiteral("South"), panel);
  txtLonD_ = NumberBox(QStringLiteral("txtLonD"), 3, panel);
  txtLonM_ = NumberBox(QStringLiteral("txtLonM"), 2, panel);
  optLong_ = new QButtonGroup(this);
  optLong_->setObjectName(QStringLiteral("optLong"));
  QGroupBox* frame4 = HemisphereFrame(QStringLiteral("Frame4"), QStringLiteral("Longitude"), QStringLiteral("Label6"),
                                      txtLonD_, QStringLiteral("Label8"), txtLonM_, optLong_, QStringLiteral("optLong"),
                                      QStringLiteral("East"), QStringLiteral("West"), panel);
  auto* places = new QHBoxLayout;
  places->setSpacing(12);
  places->addWidget(frame3, 1);
  places->addWidget(frame4, 1);
  grid->addLayout(places, row++, 0, 1, 2);

  // The place for the lookup aid.
  auto* lookupLine = new QHBoxLayout;
  lookupLine->setSpacing(8);
  const auto placeBox = [&](const QString& labelName, const QString& caption, const QString& boxName) {
    lookupLine->addWidget(NamedLabel(labelName, caption, panel));
    auto* box = new QLineEdit(panel);
    box->setObjectName(boxName);
    Paint(box, kDarkGrey, kLavender);
    lookupLine->addWidget(box, 1);
    return box;
  };
  txtMCity_ = placeBox(QStringLiteral("Label54"), QStringLiteral("City"), QStringLiteral("txtMCity"));
  lookupLine->addSpacing(8);
  txtMState_ = placeBox(QStringLiteral("Label55"), QStringLiteral("State"), QStringLiteral("txtMState"));
  lookupLine->addSpacing(8);
  txtMCountry_ = placeBox(QStringLiteral("Label4"), QStringLiteral("Country"), QStringLiteral("txtMCountry"));
  grid->addLayout(lookupLine, row++, 0, 1, 2);
  grid->addWidget(BuildPlaceCompletion(panel), row++, 0, 1, 2);

  // The two buttons.
  auto* buttons = new QHBoxLayout;
  auto* cmdBrowser = new QPushButton(QStringLiteral("Click Here To Find Latitude && Longitude"), panel);
  cmdBrowser->setObjectName(QStringLiteral("cmdBrowser"));
  auto* cmdRashi = new QPushButton(QStringLiteral("Proceed"), panel);
  cmdRashi->setObjectName(QStringLiteral("cmdRashi"));
  for (QPushButton* button : {cmdBrowser, cmdRashi}) {
    Paint(button, kLightBlue, Qt::black);
    button->setAutoDefault(false);
  }
  cmdRashi->setFont(UiFont(9, true));
  cmdRashi->setMinimumWidth(cmdRashi->sizeHint().width() * 3 / 2);
  buttons->addWidget(cmdBrowser);
  buttons->addStretch(1);
  buttons->addWidget(cmdRashi);
  grid->addLayout(buttons, row++, 0, 1, 2);
  connect(cmdBrowser, &QPushButton::clicked, this, &FrmMain::cmdBrowser_Click);
  connect(cmdRashi, &QPushButton::clicked, this, &FrmMain::cmdRashi_Click);

  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row, 1);
  return panel;
}

// The City box's completion from the atlas; returns the note it writes under the place row.
QWidget* FrmMain::BuildPlaceCompletion(QWidget* parent) {
  PlaceCompletion::Fields fields;
  fields.city = txtMCity_;
  fields.state = txtMState_;
  fields.country = txtMCountry_;
  fields.latDeg = txtLatD_;
  fields.latMin = txtLatM_;
  fields.latHemisphere = optLat_;
  fields.lonDeg = txtLonD_;
  fields.lonMin = txtLonM_;
  fields.lonHemisphere = optLong_;
  fields.zone = cmbTimeZone_;
  fields.dst = chkDST_;
  fields.dateAndTime = {cboMonth_, cboDate_, cboYear_, cboHH_, cboMM_, cboSS_};
  fields.localTime = [this] {
    return places::LocalDateTime{cboYear_->currentText().toInt(), cboMonth_->currentIndex() + 1,
                                 cboDate_->currentText().toInt(), cboHH_->currentText().toInt(),
                                 cboMM_->currentText().toInt(), cboSS_->currentText().toInt()};
  };
  placeCompletion_ = new PlaceCompletion(std::move(fields), parent);
  return placeCompletion_->Note();
}

void FrmMain::Form_Load() {
  for (const char* month : {"January", "February", "March", "April", "May", "June", "July", "August", "September",
                            "October", "November", "December"}) {
    cboMonth_->addItem(QString::fromLatin1(month));
  }
  for (const TimeZoneRow& zone : TimeZoneTable) {
    cmbTimeZone_->addItem(QString::fromUtf8(zone.text.data(), static_cast<qsizetype>(zone.text.size())));
  }
  for (int day = 1; day <= 31; ++day) cboDate_->addItem(QString::number(day));
  for (int year = 1901; year <= 2050; ++year) cboYear_->addItem(QString::number(year));
  for (int hour = 0; hour <= 23; ++hour) cboHH_->addItem(QString::number(hour));
  for (int minute = 0; minute <= 59; ++minute) cboMM_->addItem(QString::number(minute));
  for (int second = 0; second <= 59; ++second) cboSS_->addItem(QString::number(second));
  for (QComboBox* list : {cboMonth_, cboDate_, cboYear_, cboHH_, cboMM_, cboSS_}) list->setCurrentIndex(0);
  cmbTimeZone_->setCurrentIndex(kDefaultTimeZone);
}

BirthEntries FrmMain::Entries() const {
  BirthEntries e;
  e.name = txtName_->text().toStdString();
  e.monthIndex = cboMonth_->currentIndex();
  e.dayIndex = cboDate_->currentIndex();
  e.dayText = cboDate_->currentText().toStdString();
  e.yearText = cboYear_->currentText().toStdString();
  e.hourText = cboHH_->currentText().toStdString();
  e.minuteText = cboMM_->currentText().toStdString();
  e.zoneIndex = cmbTimeZone_->currentIndex();
  e.lonDeg = txtLonD_->text().toStdString();
  e.lonMin = txtLonM_->text().toStdString();
  e.latDeg = txtLatD_->text().toStdString();
  e.latMin = txtLatM_->text().toStdString();
  e.east = optLong_->button(0)->isChecked();
  e.south = optLat_->button(1)->isChecked();
  e.dst = chkDST_->checkState() != Qt::Unchecked;
  return e;
}

QLineEdit* FrmMain::FieldBox(EntryField field) const {
  switch (field) {
    case EntryField::Name: return txtName_;
    case EntryField::LonDeg: return txtLonD_;
    case EntryField::LonMin: return txtLonM_;
    case EntryField::LatDeg: return txtLatD_;
    case EntryField::LatMin: return txtLatM_;
    case EntryField::None: break;
  }
  return nullptr;
}

void FrmMain::Refuse(const EntryRefusal& refusal) {
  const QMessageBox::Icon icon =
      refusal.icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information;
  Messages().Show(this, icon,
                  QString::fromUtf8(refusal.message.data(), static_cast<qsizetype>(refusal.message.size())));
  if (QLineEdit* box = FieldBox(refusal.focus)) box->setFocus();
}

ResultsSink& FrmMain::Results() {
  if (!display_) {
    display_ = new FrmDisplay;
    connect(display_, &FrmDisplay::backRequested, this, [this] {
      display_ = nullptr;  // unloaded: the next run builds a new window
      show();
    });
  }
  return *display_;
}

void FrmMain::ShowResults() {
  Results();
  display_->show();
  hide();
}

void FrmMain::cmdRashi_Click() { RunChart(*this); }

void FrmMain::mnuNext_Click() { cmdRashi_Click(); }

void FrmMain::cmdBrowser_Click() {
  // Exactly empty counts: a box holding spaces has a value.
  const struct {
    QLineEdit* box;
    const char* message;
  } required[] = {{txtMCity_, "Please Enter City"}, {txtMState_, "Please Enter State"},
                  {txtMCountry_, "Please Enter Country"}};
  for (const auto& [box, message] : required) {
    if (box->text().isEmpty()) {
      Messages().Show(this, QMessageBox::Information, QString::fromLatin1(message));
      box->setFocus();
      return;
    }
  }
  const QString query = txtMCity_->text() + QLatin1Char(' ') + txtMState_->text() + QLatin1Char(' ') +
                        txtMCountry_->text() + QStringLiteral(" Latitude Longitude");
  PlaceLookup lookup;
  lookup.Lookup(query, HomePageAddress());
}

void FrmMain::mnuExit_Click() { close(); }

void FrmMain::closeEvent(QCloseEvent* event) {
  event->accept();
  UnloadAllAndEnd();
}

}  // namespace orbisca::ui
