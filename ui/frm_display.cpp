#include "ui/focus_ring.h"
#include "ui/frm_display.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedLayout>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "aspects/interpretation_table.h"
#include "ui/chart_tab.h"
#include "ui/enter_key.h"
#include "ui/fonts.h"
#include "ui/frm_save.h"
#include "ui/report_text.h"
#include "ui/seams.h"
#include "ui/theme.h"
#include "ui/unload_all.h"
#include "ui/web_menus.h"
#include "ui/web_pages.h"
#include "ui/window_fit.h"

namespace orbisca::ui {
namespace {

// The result boxes' headings are dark red; their paragraphs take the ink.
const QColor kHeadingColour(128, 0, 0);

// What each tab says about its kind, in kind order.
struct KindDescription {
  const char* boxName;
  const char* keyword;
  const char* category;
  const char* type;
  const char* significance;
};

constexpr std::array<KindDescription, kAspectKindCount> kDescriptions = {{
    {"RTBAspectsDescConjunction", "Power", "Hard Aspect", "Same Element / Same Quality/ Same Gender",
     "This aspect signifies power. Planets in this aspect affect each other. This is one aspect that you cannot "
     "ignore. The energy of this aspect can be favorable or unfavorable. The effects of the planets involved will "
     "be magnified."},
    {"RTBAspectsDescSemiSextile", "Response", "Soft Aspect", "Different element/ different quality/different gender",
     "This aspect stimulates change and growth. This growth will incorporate positive changes in the character of "
     "an individual. There may be some minor nagging tension. This aspect is also karmic in nature. You will learn "
     "something from your past life."},
    {"RTBAspectsDescSextile", "Opportunity", "Soft Aspect", "Complementary element/different quality/same gender",
     "The effect of this planet is seen only when you work hard. Also the results are good but not very exciting. "
     "There is easy flow of energy between the two planets. Since there is no tension between the two planets, this "
     "will aid in the achievements of the individual. There will be many opportunities but they will be fruitful "
     "only when you put in hard work."},
    {"RTBAspectsDescSquare", "Irritation", "Hard Aspect", "Same quality/different element/different gender ",
     "This aspect involves a lot of friction. This aspect doesn't let you stay calm. You will feel that something "
     "isn't right and there is an underlying tension. Sometimes they can have a positive effect by making you more "
     "productive. They are forceful and have tremendous energy."},
    {"RTBAspectsDescTrine", "Easy Flow", "Soft Aspect", "Same element/Different Quality/Same Gender",
     "This aspect will make you lucky. You will face problems but they may not be so evident. You will be able to "
     "face obstacles in an easy manner. This will be a joyous and happy aspect which will have a lot of positive "
     "energy flowing. You will have the best results with minimal effort."},
    {"RTBAspectsDescQuincunx", "Adjustment", "Hard Aspect", "Different Element/Different Quality/Different Gender",
     "There will be nothing in common between the planets involved in this aspect. You will need to understand the "
     "pros and cons and accept it and go ahead in life. You will need to rearrange your priorities, change your "
     "outlook and perspective in life to be able to overcome the ill effects of this aspect. This aspect often "
     "influences health and financial matters."},
    {"RTBAspectsDescOpposition", "Conflicts", "Hard Aspect", "Complementary Element/Same Quality/Same Gender",
     "This aspect calls for balance. You will be influenced by other people. There are a lot of polarities involved "
     "int this aspect. This presents opposing forces and harmony will need to be balanced. You will need to work at "
     "bringing the opposing energies together."},
}};

QLabel* MakeLabel(const QString& text, const QFont& font, QWidget* parent, const QString& name = {}) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  if (!name.isEmpty()) label->setObjectName(name);
  return label;
}

QString Caption(AspectKind kind) {
  const std::string_view caption = Info(kind).caption;
  return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

// The caption of the description frame and of its cover.
QString FrameCaption(AspectKind kind) { return FrmDisplay::tr("Planetary Aspect - ") + Caption(kind); }

// The suffix of a tab's object names: its index.
QString Suffix(AspectKind kind) { return QString::number(Index(kind)); }

// The stack of one tab's description frame and cover. It takes the room of
// the tallest stack of all tabs at the same width, so that the caption and
// the result box below it start at the same place on every tab, however many
// lines a kind's description wraps to.
class AlignedStack final : public QStackedLayout {
 public:
  using Peers = std::function<std::vector<const AlignedStack*>()>;  // every tab's stack, this one included

  AlignedStack(QWidget* parent, Peers peers) : QStackedLayout(parent), peers_(std::move(peers)) {}

  int heightForWidth(int width) const override {
    int height = 0;
    for (const AlignedStack* peer : peers_()) height = std::max(height, peer->OwnHeightForWidth(width));
    return height;
  }
  void invalidate() override {
    ownHeights_.clear();
    ownMinimum_.reset();
    QStackedLayout::invalidate();
  }
  QSize sizeHint() const override {
    QSize size(0, 0);
    for (const AlignedStack* peer : peers_()) size = size.expandedTo(peer->QStackedLayout::sizeHint());
    return size;
  }
  QSize minimumSize() const override {
    QSize size(0, 0);
    for (const AlignedStack* peer : peers_()) size = size.expandedTo(peer->OwnMinimumSize());
    return size;
  }

 private:
  // Its own pages' height at a width, kept until the layout is invalidated:
  // every tab asks all seven, and each answer wraps a description anew.
  int OwnHeightForWidth(int width) const {
    for (const auto& [knownWidth, height] : ownHeights_) {
      if (knownWidth == width) return height;
    }
    const int height = QStackedLayout::heightForWidth(width);
    if (ownHeights_.size() == kKnownWidths) ownHeights_.erase(ownHeights_.begin());  // dragging the edge: the newest count
    ownHeights_.emplace_back(width, height);
    return height;
  }

  QSize OwnMinimumSize() const {
    if (!ownMinimum_) ownMinimum_ = QStackedLayout::minimumSize();
    return *ownMinimum_;
  }

  static constexpr std::size_t kKnownWidths = 8;
  Peers peers_;
  mutable std::vector<std::pair<int, int>> ownHeights_;  // width, height
  mutable std::optional<QSize> ownMinimum_;
};

// What a screen reader says of a description frame: each caption with its value.
QString SpokenDescription(const QStringList& captions, const QStringList& values) {
  QStringList parts;
  for (int i = 0; i < captions.size() && i < values.size(); ++i) {
    parts << captions[i].trimmed() + QStringLiteral(": ") + values[i].trimmed();
  }
  return parts.join(QStringLiteral(". "));
}

}  // namespace

FrmDisplay::FrmDisplay(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmDisplay"));
  setWindowTitle(kWindowCaption);
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(UiFont(9));
  BuildMenus();
  setCentralWidget(BuildCentral());
  resize(sizeHint().expandedTo(QSize(UiScaled(660), UiScaled(640))));
  FitToScreen(this);
  AddFocusRing(this);
}

void FrmDisplay::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* back = file->addAction(tr("&Back"), this, &FrmDisplay::GoBack);
  back->setObjectName(QStringLiteral("mnuFileBack"));
  back->setShortcut(Qt::Key_Escape);  // Escape does what Back does
  file->addSeparator();
  // The chart sheet of the Chart tab, in the style chosen there.
  file->addAction(tr("&Save Chart Sheet\u2026"), this, [this] { chartTab_->SaveChartSheet(); })
      ->setObjectName(QStringLiteral("mnuSaveSheet"));
  file->addAction(tr("&Print Chart Sheet\u2026"), this, [this] { chartTab_->PrintChartSheet(); })
      ->setObjectName(QStringLiteral("mnuPrintSheet"));
  file->addSeparator();
  file->addAction(tr("E&xit"), this, &FrmDisplay::ExitProgram)->setObjectName(QStringLiteral("mnuExit"));
  AddWebMenus(bar, this,
              {tr("&Check for Software Update"), QStringLiteral("mnuFileSep1"), QStringLiteral("mnuFileSep2")});
}

// The band with the invitation to the maker's site, the tabs, the button bar.
QWidget* FrmDisplay::BuildCentral() {
  auto* central = new QWidget(this);
  Paint(central, kNavy, kLavender);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(MakeCommunityStrip(central, QStringLiteral("Frame2")));
  auto* tabHolder = new QWidget(central);
  auto* tabHolderLayout = new QVBoxLayout(tabHolder);
  tabHolderLayout->setContentsMargins(8, 8, 8, 8);
  tabHolderLayout->addWidget(BuildTabs(tabHolder));
  layout->addWidget(tabHolder, 1);
  layout->addWidget(BuildButtonBar(central));
  return central;
}

QTabWidget* FrmDisplay::BuildTabs(QWidget* parent) {
  auto* tabs = new QTabWidget(parent);
  tabs->setObjectName(QStringLiteral("SSTab1"));
  tabs->setDocumentMode(false);
  tabs->setUsesScrollButtons(false);
  StyleTabs(tabs);
  for (const AspectKindInfo& info : kAspectKinds) BuildTab(info.kind, tabs);
  // Each tab's stack measures all of them: ask again now that all exist.
  for (const Tab& tab : tabs_) tab.stack->parentWidget()->updateGeometry();
  chartTab_ = new ChartTab(tabs);
  tabs->addTab(chartTab_, tr("Chart"));
  connect(chartTab_, &ChartTab::kindChosen, tabs, &QTabWidget::setCurrentIndex);
  return tabs;
}

// One tab: the description frame and its cover share one place, where the
// stack decides which of the two is in front; the result box below them.
void FrmDisplay::BuildTab(AspectKind kind, QTabWidget* tabs) {
  Tab& tab = tabs_[Index(kind)];
  // The page joins the tabs before it is filled: its controls are made in
  // their final place, and are not styled and measured once more when the
  // finished page would move under the tabs' style sheet.
  auto* page = new QWidget;
  tabs->addTab(page, Caption(kind));
  Paint(page, kLightBlue, kInk);
  auto* pageLayout = new QVBoxLayout(page);
  auto* stackHolder = new QWidget(page);
  tab.stack = new AlignedStack(stackHolder, [this] {
    std::vector<const AlignedStack*> stacks;
    for (const Tab& t : tabs_) {
      if (t.stack) stacks.push_back(static_cast<const AlignedStack*>(t.stack));
    }
    return stacks;
  });
  tab.stack->setContentsMargins(0, 0, 0, 0);
  tab.description = BuildDescription(kind, stackHolder);
  tab.stack->addWidget(tab.description);
  tab.cover = BuildCover(kind, stackHolder);
  tab.stack->addWidget(tab.cover);
  tab.stack->setCurrentWidget(tab.description);
  pageLayout->addWidget(stackHolder);
  QLabel* resultCaption = MakeLabel(tr("Planets in this Aspect"), UiFont(9, true), page,
                                    QStringLiteral("Label%1").arg(12 + Index(kind)));
  pageLayout->addWidget(resultCaption);
  tab.resultBox = BuildResultBox(kind, page);
  resultCaption->setBuddy(tab.resultBox);
  pageLayout->addWidget(tab.resultBox, 1);
}

// The kind's name, keyword, category and type beside their captions, the
// significance below them.
QGroupBox* FrmDisplay::BuildDescription(AspectKind kind, QWidget* parent) {
  const KindDescription& d = kDescriptions[Index(kind)];
  auto* frame = new QGroupBox(FrameCaption(kind), parent);
  frame->setObjectName(QStringLiteral("Frame1_") + Suffix(kind));
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(16);
  const QStringList captions = {tr("Aspects Name"), tr("Keyword"), tr("Category"),
                                tr("Type"), tr("Significance ")};
  const QStringList values = {Caption(kind), QString::fromUtf8(d.keyword), QString::fromUtf8(d.category),
                              QString::fromUtf8(d.type)};
  for (int row = 0; row < captions.size(); ++row) {
    grid->addWidget(MakeLabel(captions[row], UiFont(9, true, true), frame), row, 0, Qt::AlignLeft | Qt::AlignTop);
  }
  for (int row = 0; row < values.size(); ++row) {
    QLabel* value = MakeLabel(values[row], row == 0 ? UiFont(11.25, true) : UiFont(9, true), frame);
    value->setWordWrap(true);
    grid->addWidget(value, row, 1);
  }
  QLabel* significance = MakeLabel(QString::fromUtf8(d.significance), UiFont(9), frame);
  significance->setWordWrap(true);
  grid->addWidget(significance, captions.size(), 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(captions.size() + 1, 1);  // room left by a longer description on another tab stays below
  frame->setAccessibleDescription(SpokenDescription(captions, values + QStringList{significance->text()}));
  return frame;
}

QGroupBox* FrmDisplay::BuildCover(AspectKind kind, QWidget* parent) {
  auto* cover = new QGroupBox(FrameCaption(kind), parent);
  cover->setObjectName(QStringLiteral("fraShow_") + Suffix(kind));
  auto* layout = new QVBoxLayout(cover);
  QLabel* nothing = MakeLabel(tr("No Planet is present in this aspect."), UiFont(14.25, true), cover,
                              QStringLiteral("Label11_") + Suffix(kind));
  nothing->setAlignment(Qt::AlignCenter);
  nothing->setWordWrap(true);
  layout->addWidget(nothing);
  cover->setAccessibleDescription(nothing->text());
  return cover;
}

QTextEdit* FrmDisplay::BuildResultBox(AspectKind kind, QWidget* parent) {
  auto* box = new QTextEdit(parent);
  box->setObjectName(QString::fromUtf8(kDescriptions[Index(kind)].boxName));
  box->setAccessibleName(Caption(kind) + tr(" results"));
  box->setReadOnly(true);
  box->setAcceptRichText(true);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  PaintPaper(box);
  StyleScrollBars(box);
  box->setMinimumHeight(box->fontMetrics().lineSpacing() * 8);
  MarkAsGivingWay(box);
  return box;
}

// Frame5: the two offers, "&Print", "Exit" and "Back"; Exit and Back get the
// mnemonics X and B, which no menu of the window takes (File, Help, Donate).
QFrame* FrmDisplay::BuildButtonBar(QWidget* parent) {
  auto* bar = new QFrame(parent);
  bar->setObjectName(QStringLiteral("Frame5"));
  Paint(bar, kDarkGrey, kLavender);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(12, 8, 12, 8);
  auto* offers = new QVBoxLayout;
  auto* coBrand = new WebPageLabel(WebPage::CoBrandPage, kCoBrandOffer, bar);
  coBrand->setObjectName(QStringLiteral("lblCobrand"));
  auto* fullBrand = new WebPageLabel(WebPage::FullBrandPage, kFullBrandOffer, bar);
  fullBrand->setObjectName(QStringLiteral("lblFullBrand"));
  offers->addWidget(coBrand);
  offers->addWidget(fullBrand);
  layout->addLayout(offers, 1);
  QPushButton* printButton = LightBlueButton(QStringLiteral("Command1"), tr("&Print"), bar);
  QPushButton* exitButton = LightBlueButton(QStringLiteral("cmdExit"), tr("E&xit"), bar);
  QPushButton* backButton = LightBlueButton(QStringLiteral("cmdOK"), tr("&Back"), bar);
  for (QPushButton* button : {printButton, exitButton, backButton}) {
    layout->addWidget(button, 0, Qt::AlignVCenter);
    PressOnEnter(button, button);
  }
  connect(printButton, &QPushButton::clicked, this, &FrmDisplay::OpenReport);
  connect(exitButton, &QPushButton::clicked, this, &FrmDisplay::ExitProgram);
  connect(backButton, &QPushButton::clicked, this, &FrmDisplay::GoBack);
  return bar;
}

void FrmDisplay::ShowChart(const Birth& birth, const Chart& chart, const QString& placeName) {
  aspects_ = chart.aspects;
  personName_ = QString::fromStdString(birth.name);
  QTextCharFormat heading;
  heading.setFontWeight(QFont::Bold);
  heading.setForeground(kHeadingColour);
  QTextCharFormat paragraph;
  paragraph.setFontWeight(QFont::Normal);
  paragraph.setForeground(kInk);
  const InterpretationTable& paragraphs = GetInterpretationTable();
  for (const AspectEntry& e : chart.aspects) {
    QTextCursor caret = tabs_[Index(e.kind)].resultBox->textCursor();
    caret.movePosition(QTextCursor::End);
    caret.insertText(ToShownText(HeadingLine(e)), heading);
    caret.insertText(ToShownText(EntryText(paragraphs, e.kind, e.first, e.second)), paragraph);
  }
  const std::array<bool, kAspectKindCount> found = KindsFound(chart.aspects);
  for (const AspectKindInfo& info : kAspectKinds) {
    Tab& tab = tabs_[Index(info.kind)];
    tab.stack->setCurrentWidget(found[Index(info.kind)] ? tab.description : tab.cover);
  }
  chartTab_->ShowChart(birth, chart, placeName);
}

std::string FrmDisplay::ResultText(AspectKind kind) const {
  return FromShownText(tabs_[Index(kind)].resultBox->toPlainText());
}

void FrmDisplay::GoBack() {
  unloading_ = true;
  close();  // deletes the window once control is back in the event loop
  emit backRequested();
}

void FrmDisplay::ExitProgram() {
  unloading_ = true;
  close();
  UnloadAllAndEnd();
}

void FrmDisplay::OpenReport() { OpenReportWindow(this, KindTexts(aspects_), personName_); }

void FrmDisplay::showEvent(QShowEvent* event) {
  // The results are read from the top.
  for (Tab& tab : tabs_) tab.resultBox->moveCursor(QTextCursor::Start);
  QMainWindow::showEvent(event);
}

void FrmDisplay::closeEvent(QCloseEvent* event) {
  event->accept();
  // The close box ends the program; "Back" and "Exit" have their own paths.
  if (!unloading_) UnloadAllAndEnd();
}

}  // namespace orbisca::ui
