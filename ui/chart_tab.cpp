#include "ui/chart_tab.h"

#include <QAccessible>
#include <QBoxLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "report/atomic_file.h"
#include "report/chart_sheet.h"
#include "report/pdf/pdf_file.h"
#include "places/zone_facts.h"
#include "report/chart_picture.h"
#include "run/chart_picture_of.h"
#include "run/chart_sheet_of.h"
#include "run/vedic_text.h"
#include "ui/accessible_list.h"
#include "ui/enter_key.h"
#include "ui/fonts.h"
#include "ui/printing.h"
#include "ui/save_path.h"
#include "ui/seams.h"
#include "ui/theme.h"

namespace orbisca::ui {
namespace {

QString FromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

struct KindShortName {
  AspectKind kind;
  const char* text;
};

// Short names of the kinds for the grid's narrow cells, in kind order.
constexpr std::array<KindShortName, kAspectKindCount> kKindShortNames = {{
    {AspectKind::Conjunction, "Conj"},
    {AspectKind::SemiSextile, "S.Sext"},
    {AspectKind::Sextile, "Sext"},
    {AspectKind::Square, "Square"},
    {AspectKind::Trine, "Trine"},
    {AspectKind::Quincunx, "Quinc"},
    {AspectKind::Opposition, "Opp"},
}};

// The grid's rows are the bodies from the Moon on, its columns the bodies up
// to Neptune; the cell of a pair sits below the diagonal.
constexpr int kGridSide = static_cast<int>(kBodyCount) - 1;
Body RowBody(int row) { return kAllBodies[static_cast<std::size_t>(row + 1)]; }
Body ColumnBody(int column) { return kAllBodies[static_cast<std::size_t>(column)]; }

// The choices offered, in the order of their lists.
template <typename Value>
struct ChoiceRow {
  Value value;
  const char* text;
  const char* key;  // as remembered
};
using NodeChoiceRow = ChoiceRow<NodeKind>;
constexpr std::array<NodeChoiceRow, 2> kNodeChoices = {{
    {NodeKind::Mean, "Mean node", "mean"},
    {NodeKind::True, "True node", "true"},
}};

using StyleChoiceRow = ChoiceRow<ChartStyle>;
constexpr std::array<StyleChoiceRow, 2> kStyleChoices = {{
    {ChartStyle::South, "South Indian", "south"},
    {ChartStyle::North, "North Indian", "north"},
}};

// The vargas in the order of their list: the rasi, the navamsa one step
// below it (the one most asked for), then the rest in Parashara's order.
std::vector<Varga> VargaListOrder() {
  std::vector<Varga> order{Varga::D1, Varga::D9};
  for (const VargaRow& row : kVargas)
    if (row.varga != Varga::D1 && row.varga != Varga::D9) order.push_back(row.varga);
  return order;
}

// "D9 Navamsa".
QString VargaCaption(Varga v) {
  return QStringLiteral("D%1 ").arg(Divisions(v)) + FromUtf8(VargaRowOf(v).name);
}

const QString kNodeKey = QStringLiteral("chart/node");
const QString kDashaYearKey = QStringLiteral("chart/dashaYear");
const QString kStyleKey = QStringLiteral("chart/style");

QSettings Settings() { return ProgramSettings(); }

// The Julian day (universal time) of a moment.
double JulianDayOf(const QDateTime& moment) {
  constexpr double kUnixEpochJulianDay = 2440587.5;  // 1970-01-01 00:00 UTC
  return kUnixEpochJulianDay + static_cast<double>(moment.toMSecsSinceEpoch()) / 86400000.0;
}

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

// A wrapping line of plain text that can be selected and copied.
QLabel* MakeTextLine(const char* objectName, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(objectName));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  return label;
}

// The offset the run turned local time into universal time with, daylight
// saving included: the zone row's or the atlas's correction, and the box's hour.
std::string OffsetUsed(const Birth& birth) {
  const ZoneCorrection correction = CorrectionOf(birth.zone);
  const int minutesEast = -(correction.hours * 60 + correction.minutes) + (birth.dst ? 60 : 0);
  return places::FormatUtcOffset(minutesEast * 60);
}

// A list with its caption before it, at the end of `row`; the caption's
// mnemonic gives the list the focus.
QComboBox* AddCaptionedList(QBoxLayout* row, const char* objectName, const QString& caption) {
  QWidget* holder = row->parentWidget();
  auto* label = new QLabel(caption, holder);
  auto* list = new AccessibleList(holder);
  list->setObjectName(QLatin1String(objectName));
  label->setBuddy(list);
  row->addWidget(label);
  row->addWidget(list);
  return list;
}

QTableWidget* MakeTable(int rows, int columns, QWidget* parent) {
  auto* table = new QTableWidget(rows, columns, parent);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  // Tab moves on to the next control; the arrows move between cells.
  table->setTabKeyNavigation(false);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette palette = table->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  // The selected cell stands out whether or not the table has the focus.
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Highlight, QColor(0x1f, 0x4e, 0x99));
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
  }
  table->setPalette(palette);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  return table;
}

}  // namespace

ChartOptions RememberedChartOptions() {
  QSettings settings = Settings();
  ChartOptions options;
  const QString node = settings.value(kNodeKey).toString();
  for (const NodeChoiceRow& row : kNodeChoices)
    if (node == QLatin1String(row.key)) options.nodeKind = row.value;
  const double days = settings.value(kDashaYearKey).toDouble();
  for (const DashaYearRow& row : kDashaYears)
    if (days == row.days) options.dashaYear = row.kind;
  return options;
}

ChartStyle RememberedChartStyle() {
  const QString style = Settings().value(kStyleKey).toString();
  for (const StyleChoiceRow& row : kStyleChoices)
    if (style == QLatin1String(row.key)) return row.value;
  return ChartStyle::South;
}

ChartTab::ChartTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("fraChart"));
  style_ = RememberedChartStyle();
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  // A screen reader walks every page, shown or not.
  if (QAccessible::isActive()) BuildContents();
}

void ChartTab::BuildContents() {
  if (instantLabel_) return;
  scroll_ = new QScrollArea(this);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->installEventFilter(this);
  layout()->addWidget(scroll_);

  auto* page = new QWidget(scroll_);
  Paint(page, kLightBlue, Qt::black);
  auto* pageLayout = new QVBoxLayout(page);
  instantLabel_ = MakeTextLine("lblInstant", page);
  instantLabel_->setFont(UiFont(9, true));
  pageLayout->addWidget(instantLabel_);
  particularsLabel_ = MakeTextLine("lblParticulars", page);
  pageLayout->addWidget(particularsLabel_);

  // The choices above; the tables one under the other, each at its full
  // size, and the picture beside them or under them (FitPicture); the dasha
  // panel below. The page scrolls when the window is smaller than all of it.
  pageLayout->addWidget(BuildChoices(), 0, Qt::AlignLeft);
  auto* tables = new QVBoxLayout;
  tables->addWidget(BuildPositionsTable(), 0, Qt::AlignLeft);
  tables->addWidget(BuildAspectGrid(), 0, Qt::AlignLeft);
  tables->addStretch(1);
  body_ = new QBoxLayout(QBoxLayout::LeftToRight);
  body_->addLayout(tables);
  body_->addWidget(BuildPicture(), 0, Qt::AlignLeft | Qt::AlignTop);
  body_->addStretch(1);
  pageLayout->addLayout(body_);
  pageLayout->addWidget(BuildDashaPanel());
  pageLayout->addStretch(1);
  scroll_->setWidget(page);
  scroll_->show();  // built from showEvent, after this page's children were shown
  if (hasChart_) FillContents();
  FitPicture();
}

bool ChartTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scroll_ && event->type() == QEvent::Resize) FitPicture();
  return QWidget::eventFilter(watched, event);
}

// The smallest font size in the picture, in the drawing's units.
int ChartTab::SmallestPictureSide() const {
  static const QRegularExpression kFontSize(QStringLiteral("font-size=\"([0-9.]+)\""));
  double smallest = 9.0;  // the signs' names
  for (const QRegularExpressionMatch& m : kFontSize.globalMatch(QString::fromStdString(pictureSvg_)))
    smallest = std::min(smallest, m.captured(1).toDouble());
  // The body font's size in pixels: the window's own, at its default size.
  const double bodyPixels = QFontInfo(UiFont(9)).pixelSize();
  return static_cast<int>(std::ceil(kPictureSize * bodyPixels / smallest));
}

void ChartTab::FitPicture() {
  if (!pictureView_ || !scroll_) return;
  const QLayout* pageLayout = scroll_->widget()->layout();
  const QMargins margins = pageLayout->contentsMargins();
  const int spacing = pageLayout->spacing();
  // Room inside the page, leaving a vertical scroll bar's width whether or
  // not one shows, so that its coming and going does not resize the picture.
  const int width = scroll_->width() - scroll_->verticalScrollBar()->sizeHint().width() - margins.left() -
                    margins.right();
  const int pictureSpacing = pictureView_->parentWidget()->layout()->spacing();
  const int height = scroll_->height() - margins.top() - margins.bottom() - instantLabel_->heightForWidth(width) -
                     particularsLabel_->heightForWidth(width) - choices_->sizeHint().height() - 3 * spacing -
                     pictureChoices_->sizeHint().height() - pictureButtons_->sizeHint().height() - 2 * pictureSpacing;
  const int tablesWidth = std::max(positionsTable_->sizeHint().width(), aspectGrid_->sizeHint().width());
  const int smallest = SmallestPictureSide();
  const bool wide = width >= tablesWidth + spacing + smallest;
  body_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
  // The North Indian drawing is taller than wide: its name, date and place
  // sit under the square.
  const QRectF box = pictureView_->renderer()->viewBoxF();
  const double tallness = box.width() > 0 ? box.height() / box.width() : 1.0;
  const int side = std::max(smallest, std::min(wide ? width - tablesWidth - spacing : width,
                                               static_cast<int>(height / tallness)));
  pictureView_->setFixedSize(side, static_cast<int>(std::lround(side * tallness)));
}

void ChartTab::showEvent(QShowEvent* event) {
  BuildContents();
  QWidget::showEvent(event);
}

QWidget* ChartTab::BuildChoices() {
  auto* holder = new QWidget(this);
  auto* row = new QHBoxLayout(holder);
  row->setContentsMargins(0, 0, 0, 0);
  const ChartOptions remembered = RememberedChartOptions();
  nodeChoice_ = AddCaptionedList(row, "cboNode", tr("&Nodes:"));
  for (const NodeChoiceRow& r : kNodeChoices) nodeChoice_->addItem(tr(r.text));
  nodeChoice_->setCurrentIndex(static_cast<int>(remembered.nodeKind));
  dashaYearChoice_ = AddCaptionedList(row, "cboDashaYear", tr("Dasha &year:"));
  for (const DashaYearRow& r : kDashaYears) dashaYearChoice_->addItem(FromUtf8(r.name));
  dashaYearChoice_->setCurrentIndex(static_cast<int>(remembered.dashaYear));
  row->addStretch(1);
  connect(nodeChoice_, &QComboBox::currentIndexChanged, this, &ChartTab::OnChoice);
  connect(dashaYearChoice_, &QComboBox::currentIndexChanged, this, &ChartTab::OnChoice);
  choices_ = holder;
  return holder;
}

QWidget* ChartTab::BuildDashaPanel() {
  auto* box = new QGroupBox(tr("Vimshottari dasha"), this);
  box->setObjectName(QStringLiteral("fraDasha"));
  auto* layout = new QVBoxLayout(box);
  balanceLabel_ = MakeTextLine("lblDashaBalance", box);
  layout->addWidget(balanceLabel_);
  dashaTree_ = new QTreeWidget(box);
  dashaTree_->setObjectName(QStringLiteral("trvDasha"));
  dashaTree_->setAccessibleName(tr("Dasha periods"));
  dashaTree_->setAccessibleDescription(
      tr("The nine mahadashas with their start and end and the age at the start; each opens to its antardashas, "
         "and those to their pratyantardashas. The period running today is marked now."));
  dashaTree_->setHeaderLabels({tr("Period"), tr("Start"), tr("End"), tr("Age at start")});
  dashaTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  dashaTree_->setMinimumHeight(dashaTree_->fontMetrics().height() * 16);
  QPalette palette = dashaTree_->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  dashaTree_->setPalette(palette);
  layout->addWidget(dashaTree_);
  return box;
}

QWidget* ChartTab::BuildPositionsTable() {
  positionsTable_ = MakeTable(static_cast<int>(kBodyCount + kNodes.size()) + 1, 6, this);
  positionsTable_->setObjectName(QStringLiteral("tblPositions"));
  positionsTable_->setAccessibleName(tr("Positions"));
  positionsTable_->setAccessibleDescription(
      tr("Each body's sign, degrees and minutes in the sign, nakshatra, pada and navamsa sign"));
  positionsTable_->setHorizontalHeaderLabels(
      {tr("Body"), tr("Sign"), tr("Degrees"), tr("Nakshatra"), tr("Pada"), tr("Navamsa")});
  positionsTable_->verticalHeader()->setVisible(false);
  positionsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
  return positionsTable_;
}

QWidget* ChartTab::BuildPicture() {
  auto* holder = new QWidget(this);
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  // What the picture shows, above it.
  pictureChoices_ = new QWidget(holder);
  auto* choices = new QHBoxLayout(pictureChoices_);
  choices->setContentsMargins(0, 0, 0, 0);
  vargaChoice_ = AddCaptionedList(choices, "cboVarga", tr("&Varga:"));
  for (const Varga v : VargaListOrder()) vargaChoice_->addItem(VargaCaption(v), Divisions(v));
  vargaChoice_->setCurrentIndex(vargaChoice_->findData(Divisions(varga_)));
  styleChoice_ = AddCaptionedList(choices, "cboStyle", tr("&Style:"));
  for (const StyleChoiceRow& r : kStyleChoices) styleChoice_->addItem(tr(r.text));
  styleChoice_->setCurrentIndex(static_cast<int>(style_));
  choices->addStretch(1);
  connect(vargaChoice_, &QComboBox::currentIndexChanged, this, &ChartTab::OnPictureChoice);
  connect(styleChoice_, &QComboBox::currentIndexChanged, this, &ChartTab::OnPictureChoice);
  layout->addWidget(pictureChoices_);
  pictureView_ = new QSvgWidget(holder);
  pictureView_->renderer()->setAspectRatioMode(Qt::KeepAspectRatio);
  pictureView_->setObjectName(QStringLiteral("svgChart"));
  pictureView_->setAccessibleName(tr("Chart picture"));
  pictureView_->setFocusPolicy(Qt::TabFocus);  // so that a screen reader reaches its description
  layout->addWidget(pictureView_, 1, Qt::AlignLeft);
  pictureButtons_ = new QWidget(holder);
  auto* buttons = new QHBoxLayout(pictureButtons_);
  buttons->setContentsMargins(0, 0, 0, 0);
  const auto addButton = [&](const char* objectName, const QString& caption, void (ChartTab::*action)()) {
    QPushButton* button = LightBlueButton(QLatin1String(objectName), caption, pictureButtons_);
    PressOnEnter(button, button);
    connect(button, &QPushButton::clicked, this, action);
    buttons->addWidget(button);
  };
  addButton("cmdSavePicture", tr("Save Picture\u2026"), &ChartTab::SavePicture);
  addButton("cmdSaveSheet", tr("Save Chart Sheet\u2026"), &ChartTab::SaveChartSheet);
  addButton("cmdPrintSheet", tr("Print Chart Sheet\u2026"), &ChartTab::PrintChartSheet);
  buttons->addStretch(1);
  layout->addWidget(pictureButtons_);
  return holder;
}

QWidget* ChartTab::BuildAspectGrid() {
  aspectGrid_ = MakeTable(kGridSide, kGridSide, this);
  aspectGrid_->setObjectName(QStringLiteral("grdAspects"));
  aspectGrid_->setAccessibleName(tr("Aspect grid"));
  aspectGrid_->setAccessibleDescription(
      tr("The aspect found between each pair of bodies, with the separation in degrees; activate a cell to open "
         "that aspect's tab"));
  QStringList rows, columns;
  for (int i = 0; i < kGridSide; ++i) {
    rows << FromUtf8(BodyName(RowBody(i)));
    columns << FromUtf8(BodyName(ColumnBody(i)));
  }
  aspectGrid_->setVerticalHeaderLabels(rows);
  aspectGrid_->setHorizontalHeaderLabels(columns);
  aspectGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
  aspectGrid_->setWordWrap(true);
  connect(aspectGrid_, &QTableWidget::cellClicked, this, &ChartTab::OnGridCell);
  connect(aspectGrid_, &QTableWidget::cellActivated, this, &ChartTab::OnGridCell);
  return aspectGrid_;
}

void ChartTab::ShowChart(const Birth& birth, const Chart& chart, const QString& placeName) {
  hasChart_ = true;
  birth_ = birth;
  placeName_ = placeName.toStdString();
  chart_ = chart;
  char local[48];
  std::snprintf(local, sizeof local, "%04d-%02d-%02d %02d:%02d", birth.year, birth.month, birth.day, birth.hour,
                birth.minute);
  localTimeLine_ = "Local time " + std::string(local) + " at " + OffsetUsed(birth) + ". ";
  DrawPicture();
  if (instantLabel_) FillContents();
}

void ChartTab::DrawPicture() {
  picture_ = PictureOfVarga(birth_, chart_, placeName_, varga_);
  picture_.localDateTime += ' ';
  picture_.localDateTime += OffsetUsed(birth_);
  pictureSvg_ = ChartPictureSvg(picture_, style_);
}

// A varga or a style chosen: the picture drawn again at once, the style
// remembered for the next window. The varga starts at the rasi in each.
void ChartTab::OnPictureChoice() {
  varga_ = static_cast<Varga>(vargaChoice_->currentData().toInt());
  style_ = kStyleChoices[static_cast<std::size_t>(std::max(0, styleChoice_->currentIndex()))].value;
  Settings().setValue(kStyleKey, QLatin1String(kStyleChoices[static_cast<std::size_t>(style_)].key));
  if (!hasChart_) return;
  DrawPicture();
  ShowPicture();
}

// A node or a dasha year chosen: remembered, and the chart computed again
// with it (the bodies and the aspects come out as before).
void ChartTab::OnChoice() {
  ChartOptions options;
  options.nodeKind = kNodeChoices[static_cast<std::size_t>(std::max(0, nodeChoice_->currentIndex()))].value;
  options.dashaYear = kDashaYears[static_cast<std::size_t>(std::max(0, dashaYearChoice_->currentIndex()))].kind;
  QSettings settings = Settings();
  settings.setValue(kNodeKey, QLatin1String(kNodeChoices[static_cast<std::size_t>(options.nodeKind)].key));
  settings.setValue(kDashaYearKey, DashaYearDays(options.dashaYear));
  if (hasChart_) ShowChart(birth_, ComputeChart(birth_, options), QString::fromStdString(placeName_));
}

void ChartTab::FillContents() {
  instantLabel_->setText(QString::fromStdString(localTimeLine_ + InstantLine(chart_.instant)));
  particularsLabel_->setText(QString::fromStdString(ParticularsLine(chart_)));
  {
    // The lists show the chart's own choices, without computing it again.
    const QSignalBlocker nodeBlock(nodeChoice_), yearBlock(dashaYearChoice_);
    nodeChoice_->setCurrentIndex(static_cast<int>(chart_.nodeKind));
    dashaYearChoice_->setCurrentIndex(static_cast<int>(chart_.dasha.year));
  }
  FillPositions(chart_);
  FillDasha();
  FillAspectGrid(chart_.aspects);
  ShowPicture();
}

void ChartTab::ShowPicture() {
  pictureView_->load(PictureSvg());
  // Loading gives the view a new drawing, with the mode of a new renderer.
  pictureView_->renderer()->setAspectRatioMode(Qt::KeepAspectRatio);
  QStringList alternative;
  for (const PictureMark& m : picture_.marks) {
    alternative << QString::fromStdString(m.letters + (m.degrees.empty() ? "" : " " + m.degrees) + " in " +
                                          SignName(m.sign));
  }
  pictureView_->setAccessibleDescription(tr("%1 chart, %2: ")
                                             .arg(styleChoice_->currentText(), VargaCaption(varga_)) +
                                         alternative.join(QStringLiteral("; ")));
  FitPicture();  // its smallest text may have changed
}

void ChartTab::FillPositions(const Chart& chart) {
  const std::array<int, kVargaPointCount> navamsa = VargaSignsOf(chart, Varga::D9);
  auto fillRow = [this, &navamsa](int row, const QString& name, const ZodiacPosition& p) {
    positionsTable_->setItem(row, 0, ReadOnlyItem(name));
    positionsTable_->setItem(row, 1, ReadOnlyItem(QString::fromStdString(SignName(p.sign))));
    positionsTable_->setItem(row, 2, ReadOnlyItem(QString::fromStdString(FormatInSign(p))));
    positionsTable_->setItem(row, 3, ReadOnlyItem(FromUtf8(NakshatraName(p.nakshatra))));
    positionsTable_->setItem(row, 4, ReadOnlyItem(QString::number(p.pada)));
    // The rows run in the order of the varga points: the bodies, the nodes, the lagna.
    const int sign = navamsa[static_cast<std::size_t>(row)];
    positionsTable_->setItem(row, 5, ReadOnlyItem(QString::fromStdString(SignName(sign))));
  };
  int row = 0;
  for (const BodyPosition& b : chart.bodies) fillRow(row++, FromUtf8(BodyName(b.body)), b.where);
  for (const NodePosition& n : chart.nodes) fillRow(row++, FromUtf8(NodeName(n.node)), n.where);
  fillRow(row, tr("Ascendant"), chart.ascendant.where);
  positionsTable_->resizeColumnsToContents();
  positionsTable_->setMinimumSize(positionsTable_->sizeHint());  // the page scrolls, the table never clips
}

// The periods of the whole life; those running today (the clock seam's
// moment) are marked, opened and scrolled to.
void ChartTab::FillDasha() {
  const double offset = chart_.instant.clockOffsetHours;
  balanceLabel_->setText(QString::fromStdString(BalanceLine(chart_.dasha.balance)) +
                         tr(". Years of %1; dates on the birth's clock (%2).")
                             .arg(FromUtf8(DashaYearName(chart_.dasha.year)),
                                  QString::fromStdString(ClockOffsetName(offset))));
  dashaTree_->clear();
  const std::vector<const DashaPeriod*> current = PeriodsAt(chart_.dasha.periods, JulianDayOf(Clock().Now()));
  QTreeWidgetItem* deepest = nullptr;
  for (const DashaPeriod& md : chart_.dasha.periods) {
    if (QTreeWidgetItem* marked = AddPeriod(nullptr, md, current, 0)) deepest = marked;
  }
  for (int c = 0; c < dashaTree_->columnCount(); ++c) dashaTree_->resizeColumnToContents(c);
  if (deepest) {
    dashaTree_->setCurrentItem(deepest);
    dashaTree_->scrollToItem(deepest);
  }
}

// Adds a period and its sub-periods; returns the deepest item marked as
// running today among them, nullptr when none is.
QTreeWidgetItem* ChartTab::AddPeriod(QTreeWidgetItem* parent, const DashaPeriod& period,
                                     const std::vector<const DashaPeriod*>& current, std::size_t depth) {
  const double offset = chart_.instant.clockOffsetHours;
  const std::string age = AgeAt(birth_, chart_, period.start);
  const bool now = depth < current.size() && current[depth] == &period;
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(dashaTree_);
  item->setText(0, FromUtf8(LordName(period.lord)) + (now ? tr(" (now)") : QString()));
  item->setText(1, QString::fromStdString(ClockDateTime(period.start, offset)));
  item->setText(2, QString::fromStdString(ClockDateTime(period.end, offset)));
  item->setText(3, age.empty() ? tr("before birth") : QString::fromStdString(age));
  item->setToolTip(1, QString::fromStdString(IsoUniversal(period.start)));
  item->setToolTip(2, QString::fromStdString(IsoUniversal(period.end)));
  QTreeWidgetItem* marked = nullptr;
  if (now) {
    marked = item;
    QFont bold = item->font(0);
    bold.setBold(true);
    for (int c = 0; c < 4; ++c) {
      item->setFont(c, bold);
      item->setBackground(c, kLavender);
    }
  }
  for (const DashaPeriod& sub : period.periods) {
    if (QTreeWidgetItem* deeper = AddPeriod(item, sub, current, depth + 1)) marked = deeper;
  }
  if (now) item->setExpanded(true);
  return marked;
}

void ChartTab::FillAspectGrid(const std::vector<AspectEntry>& aspects) {
  for (int r = 0; r < kGridSide; ++r) {
    for (int c = 0; c < kGridSide; ++c) {
      auto* item = new QTableWidgetItem;
      item->setData(Qt::UserRole, -1);
      item->setFlags(c <= r ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
      if (c <= r) {
        const QString pair = FromUtf8(BodyName(RowBody(r))) + QStringLiteral(" \u2013 ") + FromUtf8(BodyName(ColumnBody(c)));
        item->setData(Qt::AccessibleTextRole, pair + tr(": no aspect"));
      }
      aspectGrid_->setItem(r, c, item);
    }
  }
  for (const AspectEntry& e : aspects) {
    const Body low = Index(e.first) < Index(e.second) ? e.first : e.second;
    const Body high = Index(e.first) < Index(e.second) ? e.second : e.first;
    QTableWidgetItem* item = aspectGrid_->item(static_cast<int>(Index(high)) - 1, static_cast<int>(Index(low)));
    const QString degrees = QString::number(std::abs(e.separation)) + QStringLiteral("\u00B0");
    item->setText(QString::fromLatin1(kKindShortNames[Index(e.kind)].text) + QLatin1Char('\n') + degrees);
    item->setData(Qt::UserRole, static_cast<int>(Index(e.kind)));
    const QString full = FromUtf8(BodyName(high)) + QStringLiteral(" \u2013 ") + FromUtf8(BodyName(low)) +
                         QStringLiteral(": ") + FromUtf8(Info(e.kind).caption) + QStringLiteral(", ") + degrees;
    item->setData(Qt::AccessibleTextRole, full);
    item->setToolTip(full);
  }
  aspectGrid_->setCurrentCell(0, 0);  // where the keyboard starts in the grid
  aspectGrid_->resizeColumnsToContents();
  aspectGrid_->resizeRowsToContents();
  aspectGrid_->setMinimumSize(aspectGrid_->sizeHint());
}

void ChartTab::OnGridCell(int row, int column) {
  const QTableWidgetItem* item = aspectGrid_->item(row, column);
  if (!item) return;
  const int kind = item->data(Qt::UserRole).toInt();
  if (kind >= 0) emit kindChosen(kind);
}

QByteArray ChartTab::PictureSvg() const { return QByteArray::fromStdString(pictureSvg_); }

QByteArray ChartTab::PicturePng(int pixels, QString* reason) const {
  QSvgRenderer renderer(PictureSvg());
  // As high as the drawing's proportions make it: the North Indian one is
  // taller than wide, and a square image would squash it.
  const QRectF box = renderer.viewBoxF();
  const int height = box.width() > 0 ? static_cast<int>(std::lround(pixels * box.height() / box.width())) : pixels;
  QImage image(pixels, height, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG") && reason) *reason = tr("The picture could not be drawn as a PNG image.");
  return bytes;
}

// The chart sheet of the chart shown, in the chosen style.
std::vector<std::string> ChartTab::SheetPages() const {
  return ChartSheetSvgPages(ChartSheetOf(birth_, chart_, placeName_, style_));
}

// A path to save to, ending in one of `suffixes` (the first added when the
// name has none of them). "No" to replacing a file goes back to the dialog,
// as the report's save does.
QString ChartTab::AskSavePath(const QString& filter, const QStringList& suffixes, const QString& proposedName) {
  QString declined;
  for (;;) {
    QString path = FileDialogs().SaveFileName(this, kAppTitle, filter, suffixes.front(),
                                              declined.isEmpty() ? ProposedSavePath(proposedName, suffixes.front())
                                                                 : declined);
    if (path.isEmpty()) return {};  // cancelled: nothing written, nothing said
    if (std::none_of(suffixes.begin(), suffixes.end(), [&path](const QString& suffix) {
          return path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive);
        })) {
      path += QLatin1Char('.') + suffixes.front();
    }
    const QFileInfo target(path);
    if (!target.exists() || target.isDir() ||
        Messages().Ask(this, tr("%1 already exists.\nDo you want to replace it?")
                                 .arg(QDir::toNativeSeparators(target.absoluteFilePath())))) {
      RememberSaveFolder(path);
      return path;
    }
    declined = path;
  }
}

// Written whole or not at all: a failure leaves any earlier file as it was.
// The reason, or nothing on success.
std::optional<QString> ChartTab::WriteWhole(const QString& path, const QByteArray& bytes) {
  const auto reason = WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!reason) return std::nullopt;
  return QString::fromLocal8Bit(reason->data(), static_cast<qsizetype>(reason->size()));
}

// The file's name chooses the format: ".png" gives an image, anything else
// the SVG text (".svg" added when the name has neither). A varga other than
// the rasi is proposed under a name of its own ("ada-lovelace-d9.svg").
void ChartTab::SavePicture() {
  const QString person = QString::fromStdString(birth_.name) +
                         (varga_ == Varga::D1 ? QString() : QStringLiteral(" D%1").arg(Divisions(varga_)));
  const QString path =
      AskSavePath(tr("SVG picture (*.svg);;PNG image (*.png)"), {QStringLiteral("svg"), QStringLiteral("png")}, person);
  if (path.isEmpty()) return;
  const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
  QString reason;
  const QByteArray bytes = png ? PicturePng(kPngPixels, &reason) : PictureSvg();
  // A PNG that cannot be drawn writes nothing: an earlier file stays as it was.
  if (!(png && bytes.isEmpty())) reason = WriteWhole(path, bytes).value_or(QString());
  if (!reason.isEmpty()) {
    Messages().Show(this, QMessageBox::Critical,
                    tr("The picture could not be saved to %1.\n%2")
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason));
  }
}

// The PDF is made before the dialog opens, so that a program without its PDF
// module says so at once rather than after a file was chosen.
void ChartTab::SaveChartSheet() {
  if (!hasChart_) return;
  std::string error;
  const std::optional<std::string> pdf = pdf::PdfOfSvgPages(SheetPages(), error);
  if (!pdf) {
    Messages().Show(this, QMessageBox::Critical,
                    tr("The chart sheet cannot be made as a PDF.\n%1").arg(QString::fromStdString(error)));
    return;
  }
  const QString path =
      AskSavePath(tr("PDF document (*.pdf)"), {QStringLiteral("pdf")}, QString::fromStdString(birth_.name));
  if (path.isEmpty()) return;
  if (const auto reason = WriteWhole(path, QByteArray::fromStdString(*pdf))) {
    Messages().Show(this, QMessageBox::Critical,
                    tr("The chart sheet could not be saved to %1.\n%2")
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), *reason));
  }
}

void ChartTab::PrintChartSheet() {
  if (!hasChart_) return;
  if (const auto reason = PrintSvgPages(this, PrintDialogs(), SheetPages())) {
    Messages().Show(this, QMessageBox::Critical, tr("The chart sheet could not be printed.\n%1").arg(*reason));
  }
}

}  // namespace orbisca::ui
