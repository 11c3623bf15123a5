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
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "report/atomic_file.h"
#include "places/zone_facts.h"
#include "report/chart_picture.h"
#include "ui/enter_key.h"
#include "ui/fonts.h"
#include "ui/picture_module.h"
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

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

// What the page and the picture's save say when the picture module cannot be
// loaded, worded as printing's.
QString NoPictureModule(const QString& reason) {
  return ChartTab::tr("The chart picture cannot be drawn: its module could not be loaded.\n%1")
      .arg(reason);
}

// The offset the run turned local time into universal time with, daylight
// saving included: the zone row's or the atlas's correction, and the box's hour.
std::string OffsetUsed(const ChartInput& in) {
  const int minutesEast = -(in.ZoneCorrHours * 60 + in.ZoneCorrMinutes) + (IsSet(in.IsDst) ? 60 : 0);
  return places::FormatUtcOffset(minutesEast * 60);
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

ChartTab::ChartTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("fraChart"));
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
  instantLabel_ = new QLabel(page);
  instantLabel_->setObjectName(QStringLiteral("lblInstant"));
  instantLabel_->setFont(UiFont(9, true));
  instantLabel_->setTextFormat(Qt::PlainText);
  instantLabel_->setWordWrap(true);
  instantLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  pageLayout->addWidget(instantLabel_);

  // The tables one under the other, each at its full size, and the picture
  // beside them or under them (FitPicture); the page scrolls when the
  // window is smaller than all of it.
  auto* tables = new QVBoxLayout;
  tables->addWidget(BuildPositionsTable(), 0, Qt::AlignLeft);
  tables->addWidget(BuildAspectGrid(), 0, Qt::AlignLeft);
  tables->addStretch(1);
  body_ = new QBoxLayout(QBoxLayout::LeftToRight);
  body_->addLayout(tables);
  body_->addWidget(BuildPicture(), 0, Qt::AlignLeft | Qt::AlignTop);
  body_->addStretch(1);
  pageLayout->addLayout(body_);
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
  const int height = scroll_->height() - margins.top() - margins.bottom() - instantLabel_->heightForWidth(width) -
                     savePictureButton_->sizeHint().height() - 2 * spacing;
  const int tablesWidth = std::max(positionsTable_->sizeHint().width(), aspectGrid_->sizeHint().width());
  const int smallest = SmallestPictureSide();
  const bool wide = width >= tablesWidth + spacing + smallest;
  body_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
  const int side = std::max(smallest, std::min(wide ? width - tablesWidth - spacing : width, height));
  pictureView_->setFixedSize(side, side);
}

void ChartTab::showEvent(QShowEvent* event) {
  BuildContents();
  QWidget::showEvent(event);
}

QWidget* ChartTab::BuildPositionsTable() {
  positionsTable_ = MakeTable(static_cast<int>(kBodyCount) + 1, 5, this);
  positionsTable_->setObjectName(QStringLiteral("tblPositions"));
  positionsTable_->setAccessibleName(tr("Positions"));
  positionsTable_->setAccessibleDescription(tr("Each body's sign, degrees and minutes in the sign, nakshatra and pada"));
  positionsTable_->setHorizontalHeaderLabels({tr("Body"), tr("Sign"), tr("Degrees"), tr("Nakshatra"), tr("Pada")});
  positionsTable_->verticalHeader()->setVisible(false);
  positionsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
  return positionsTable_;
}

QWidget* ChartTab::BuildPicture() {
  auto* holder = new QWidget(this);
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  QString reason;
  if (PictureModule* module = LoadPictureModule(reason)) {
    pictureView_ = module->NewView(holder);
    pictureView_->setObjectName(QStringLiteral("svgChart"));
    pictureView_->setAccessibleName(tr("Chart picture"));
    pictureView_->setFocusPolicy(Qt::TabFocus);  // so that a screen reader reaches its description
    layout->addWidget(pictureView_, 1, Qt::AlignLeft);
  } else {
    // The tables need no module: they stay, and the picture's place says why
    // it is empty.
    auto* missing = new QLabel(NoPictureModule(reason), holder);
    missing->setObjectName(QStringLiteral("lblNoPicture"));
    missing->setTextFormat(Qt::PlainText);
    missing->setWordWrap(true);
    missing->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(missing);
  }
  savePictureButton_ = LightBlueButton(QStringLiteral("cmdSavePicture"), tr("Save Picture\u2026"), holder);
  PressOnEnter(savePictureButton_, savePictureButton_);
  connect(savePictureButton_, &QPushButton::clicked, this, &ChartTab::SavePicture);
  layout->addWidget(savePictureButton_, 0, Qt::AlignLeft);
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

void ChartTab::ShowChart(const ChartInput& input, const ChartFacts& facts, const std::vector<AspectEntry>& aspects,
                         const QString& placeName) {
  hasChart_ = true;
  facts_ = facts;
  aspects_ = aspects;
  picture_ = PictureOfChart(input, facts, placeName.toStdString());
  picture_.localDateTime += " " + OffsetUsed(input);
  char local[48];
  std::snprintf(local, sizeof local, "%04d-%02d-%02d %02d:%02d", input.BirthYear, input.BirthMonth, input.BirthDay,
                input.BirthHour, input.BirthMinute);
  localTimeLine_ = "Local time " + std::string(local) + " at " + OffsetUsed(input) + ". ";
  pictureSvg_ = ChartPictureSvg(picture_);
  if (instantLabel_) FillContents();
}

void ChartTab::FillContents() {
  instantLabel_->setText(QString::fromStdString(localTimeLine_ + InstantLine(facts_)));
  FillPositions(facts_);
  FillAspectGrid(aspects_);
  if (!pictureView_) return;
  QString reason;
  if (PictureModule* module = LoadPictureModule(reason)) module->Show(pictureView_, PictureSvg());
  QStringList alternative;
  for (const PictureMark& m : picture_.marks)
    alternative << QString::fromStdString(m.letters + " " + m.degrees + " in " + SignName(m.sign));
  pictureView_->setAccessibleDescription(tr("South Indian chart: ") + alternative.join(QStringLiteral("; ")));
  FitPicture();  // its smallest text may have changed
}

void ChartTab::FillPositions(const ChartFacts& facts) {
  auto fillRow = [this](int row, const QString& name, const ZodiacPosition& p) {
    positionsTable_->setItem(row, 0, ReadOnlyItem(name));
    positionsTable_->setItem(row, 1, ReadOnlyItem(QString::fromStdString(SignName(p.sign))));
    positionsTable_->setItem(row, 2, ReadOnlyItem(QString::fromStdString(FormatInSign(p))));
    positionsTable_->setItem(row, 3, ReadOnlyItem(FromUtf8(NakshatraName(p.nakshatra))));
    positionsTable_->setItem(row, 4, ReadOnlyItem(QString::number(p.pada)));
  };
  int row = 0;
  for (const BodyPosition& b : facts.bodies) fillRow(row++, FromUtf8(BodyName(b.body)), b.where);
  fillRow(row, tr("Ascendant"), facts.ascendantWhere);
  positionsTable_->resizeColumnsToContents();
  positionsTable_->setMinimumSize(positionsTable_->sizeHint());  // the page scrolls, the table never clips
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
  QString why;
  PictureModule* module = LoadPictureModule(why);
  if (!module) {
    if (reason) *reason = NoPictureModule(why);
    return {};
  }
  const QImage image = module->Draw(PictureSvg(), pixels);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG") && reason) *reason = tr("The picture could not be drawn as a PNG image.");
  return bytes;
}

// The file's name chooses the format: ".png" gives an image, anything else
// the SVG text (".svg" added when the name has neither). "No" to replacing a
// file goes back to the dialog, as the report's save does.
QString ChartTab::AskPicturePath() {
  QString declined;
  for (;;) {
    QString path = FileDialogs().SaveFileName(
        this, kAppTitle, tr("SVG picture (*.svg);;PNG image (*.png)"), QStringLiteral("svg"),
        declined.isEmpty() ? ProposedSavePath(QString::fromStdString(picture_.name), QStringLiteral("svg")) : declined);
    if (path.isEmpty()) return {};  // cancelled: nothing written, nothing said
    if (!path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
      path += QStringLiteral(".svg");
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

void ChartTab::SavePicture() {
  const QString path = AskPicturePath();
  if (path.isEmpty()) return;
  const QString shownPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  const auto cannotSave = [&](const QString& reason) {
    Messages().Show(this, QMessageBox::Critical, tr("The picture could not be saved to %1.\n%2").arg(shownPath, reason));
  };
  const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
  // The SVG text is the engine's; only the image needs the picture module.
  QString noDrawing;
  const QByteArray bytes = png ? PicturePng(kPngPixels, &noDrawing) : PictureSvg();
  if (png && bytes.isEmpty()) {
    cannotSave(noDrawing);  // nothing written: an earlier file stays as it was
    return;
  }
  // Written whole or not at all: a failure leaves any earlier file as it was.
  if (const auto reason = WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                              std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    cannotSave(QString::fromLocal8Bit(reason->data(), static_cast<qsizetype>(reason->size())));
  }
}

}  // namespace orbisca::ui
