#include "ui/frm_display.h"

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
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/unload_all.h"
#include "app/web_pages.h"
#include "ui/web_menus.h"
#include "ui/fonts.h"
#include "ui/frm_save.h"
#include "ui/seams.h"
#include "ui/theme.h"

namespace orbisca::ui {
namespace {

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

}  // namespace

FrmDisplay::FrmDisplay(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmDisplay"));
  setWindowTitle(kWindowCaption);
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(UiFont(9));
  BuildMenus();

  auto* central = new QWidget(this);
  Paint(central, kNavy, kLavender);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  // Top strip with the invitation to the maker's site.
  layout->addWidget(MakeCommunityStrip(central, QStringLiteral("Frame2")));

  auto* tabs = new QTabWidget(central);
  tabs->setObjectName(QStringLiteral("SSTab1"));
  tabs->setDocumentMode(false);
  tabs->setUsesScrollButtons(false);
  for (const AspectKindInfo& info : kAspectKinds) {
    tabs->addTab(BuildTab(info.kind), QString::fromUtf8(info.caption.data(), static_cast<qsizetype>(info.caption.size())));
  }
  auto* tabHolder = new QWidget(central);
  auto* tabHolderLayout = new QVBoxLayout(tabHolder);
  tabHolderLayout->setContentsMargins(8, 8, 8, 8);
  tabHolderLayout->addWidget(tabs);
  layout->addWidget(tabHolder, 1);

  // Button bar.
  auto* frame5 = new QFrame(central);
  frame5->setObjectName(QStringLiteral("Frame5"));
  Paint(frame5, kDarkGrey, kLavender);
  auto* barLayout = new QHBoxLayout(frame5);
  barLayout->setContentsMargins(12, 8, 12, 8);
  auto* promos = new QVBoxLayout;
  auto* lblCobrand = new WebPageLabel(WebPage::CoBrandPage, kCoBrandOffer, frame5);
  lblCobrand->setObjectName(QStringLiteral("lblCobrand"));
  auto* lblFullBrand = new WebPageLabel(WebPage::FullBrandPage, kFullBrandOffer, frame5);
  lblFullBrand->setObjectName(QStringLiteral("lblFullBrand"));
  promos->addWidget(lblCobrand);
  promos->addWidget(lblFullBrand);
  barLayout->addLayout(promos, 1);

  auto* command1 = new QPushButton(QStringLiteral("&Print"), frame5);
  command1->setObjectName(QStringLiteral("Command1"));
  auto* cmdExit = new QPushButton(QStringLiteral("Exit"), frame5);
  cmdExit->setObjectName(QStringLiteral("cmdExit"));
  auto* cmdOK = new QPushButton(QStringLiteral("Back"), frame5);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  for (QPushButton* button : {command1, cmdExit, cmdOK}) {
    Paint(button, kLightBlue, Qt::black);
    button->setAutoDefault(false);
    barLayout->addWidget(button, 0, Qt::AlignVCenter);
  }
  connect(command1, &QPushButton::clicked, this, &FrmDisplay::Command1_Click);
  connect(cmdExit, &QPushButton::clicked, this, &FrmDisplay::cmdExit_Click);
  connect(cmdOK, &QPushButton::clicked, this, &FrmDisplay::cmdOK_Click);
  layout->addWidget(frame5);

  setCentralWidget(central);
  resize(sizeHint().expandedTo(QSize(660, 640)));
}

QWidget* FrmDisplay::BuildTab(AspectKind kind) {
  const std::size_t k = Index(kind);
  const KindDescription& d = kDescriptions[k];
  const QString name = QString::fromUtf8(Info(kind).caption.data(), static_cast<qsizetype>(Info(kind).caption.size()));
  const QString frameCaption = QStringLiteral("Planetary Aspect - ") + name;
  const QString suffix = QString::number(k);
  Tab& tab = tabs_[k];

  auto* page = new QWidget;
  Paint(page, kLightBlue, Qt::black);
  auto* pageLayout = new QVBoxLayout(page);

  // The description frame and its cover share one place; the stack decides
  // which of the two is in front.
  auto* stackHolder = new QWidget(page);
  tab.stack = new QStackedLayout(stackHolder);
  tab.stack->setContentsMargins(0, 0, 0, 0);

  tab.description = new QGroupBox(frameCaption, stackHolder);
  tab.description->setObjectName(QStringLiteral("Frame1_") + suffix);
  auto* grid = new QGridLayout(tab.description);
  grid->setHorizontalSpacing(16);
  const QFont captionFont = UiFont(9, true, true);
  const QFont valueFont = UiFont(9, true);
  const QStringList captions = {QStringLiteral("Aspects Name"), QStringLiteral("Keyword"), QStringLiteral("Category"),
                                QStringLiteral("Type"), QStringLiteral("Significance ")};
  const QStringList values = {name, QString::fromUtf8(d.keyword), QString::fromUtf8(d.category),
                              QString::fromUtf8(d.type)};
  for (int row = 0; row < captions.size(); ++row) {
    grid->addWidget(MakeLabel(captions[row], captionFont, tab.description), row, 0, Qt::AlignLeft | Qt::AlignTop);
  }
  for (int row = 0; row < values.size(); ++row) {
    QLabel* value = MakeLabel(values[row], row == 0 ? UiFont(11.25, true) : valueFont, tab.description);
    value->setWordWrap(true);
    grid->addWidget(value, row, 1);
  }
  QLabel* significance = MakeLabel(QString::fromUtf8(d.significance), UiFont(9), tab.description);
  significance->setWordWrap(true);
  grid->addWidget(significance, captions.size(), 0, 1, 2);
  grid->setColumnStretch(1, 1);
  tab.stack->addWidget(tab.description);

  tab.cover = new QGroupBox(frameCaption, stackHolder);
  tab.cover->setObjectName(QStringLiteral("fraShow_") + suffix);
  auto* coverLayout = new QVBoxLayout(tab.cover);
  QLabel* label11 = MakeLabel(QStringLiteral("No Planet is present in this aspect."), UiFont(14.25, true), tab.cover,
                              QStringLiteral("Label11_") + suffix);
  label11->setAlignment(Qt::AlignCenter);
  label11->setWordWrap(true);
  coverLayout->addWidget(label11);
  tab.stack->addWidget(tab.cover);
  tab.stack->setCurrentWidget(tab.description);
  pageLayout->addWidget(stackHolder);

  pageLayout->addWidget(MakeLabel(QStringLiteral("Planets in this Aspect"), UiFont(9, true), page,
                                  QStringLiteral("Label%1").arg(12 + k)));

  tab.box = new QTextEdit(page);
  tab.box->setObjectName(QString::fromUtf8(d.boxName));
  tab.box->setReadOnly(true);
  tab.box->setAcceptRichText(true);
  tab.box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  QPalette boxPalette = tab.box->palette();
  boxPalette.setColor(QPalette::Base, Qt::white);
  boxPalette.setColor(QPalette::Text, Qt::black);
  tab.box->setPalette(boxPalette);
  tab.box->setMinimumHeight(tab.box->fontMetrics().lineSpacing() * 8);
  tab.format.setForeground(QColor(0, 0, 0));
  pageLayout->addWidget(tab.box, 1);
  return page;
}

void FrmDisplay::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* back = file->addAction(QStringLiteral("&Back"), this, &FrmDisplay::mnuFileBack_Click);
  back->setObjectName(QStringLiteral("mnuFileBack"));
  QAction* exit = file->addAction(QStringLiteral("E&xit"), this, &FrmDisplay::mnuExit_Click);
  exit->setObjectName(QStringLiteral("mnuExit"));

  AddWebMenus(bar, this, {QStringLiteral("&Check for Software Update"), QStringLiteral("mnuFileSep1"), QStringLiteral("mnuFileSep2")});
}

void FrmDisplay::SetInsertStyle(AspectKind kind, bool bold, Rgb colour) {
  QTextCharFormat& format = tabs_[Index(kind)].format;
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  format.setForeground(QColor(colour.r, colour.g, colour.b));
}

void FrmDisplay::InsertText(AspectKind kind, std::string_view text) {
  Tab& tab = tabs_[Index(kind)];
  QString inserted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  inserted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QTextCursor caret = tab.box->textCursor();
  caret.insertText(inserted, tab.format);
  tab.box->setTextCursor(caret);
}

void FrmDisplay::BringCoverToFront(AspectKind kind) {
  Tab& tab = tabs_[Index(kind)];
  tab.stack->setCurrentWidget(tab.cover);
}

void FrmDisplay::SendCoverToBack(AspectKind kind) {
  Tab& tab = tabs_[Index(kind)];
  tab.stack->setCurrentWidget(tab.description);
}

QString FrmDisplay::ResultText(AspectKind kind) const {
  QString text = tabs_[Index(kind)].box->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

std::array<QString, kAspectKindCount> FrmDisplay::ResultTexts() const {
  std::array<QString, kAspectKindCount> texts;
  for (const AspectKindInfo& info : kAspectKinds) texts[Index(info.kind)] = ResultText(info.kind);
  return texts;
}

void FrmDisplay::cmdOK_Click() {
  unloading_ = true;
  close();  // deletes the window once control is back in the event loop
  emit backRequested();
}

void FrmDisplay::mnuFileBack_Click() { cmdOK_Click(); }

void FrmDisplay::cmdExit_Click() {
  unloading_ = true;
  close();
  UnloadAllAndEnd();
}

void FrmDisplay::mnuExit_Click() { cmdExit_Click(); }

void FrmDisplay::Command1_Click() { OpenReportWindow(this, ResultTexts()); }

void FrmDisplay::showEvent(QShowEvent* event) {
  // The results are read from the top: the caret went to the end with the
  // last insertion.
  for (Tab& tab : tabs_) tab.box->moveCursor(QTextCursor::Start);
  QMainWindow::showEvent(event);
}

void FrmDisplay::closeEvent(QCloseEvent* event) {
  event->accept();
  // The close box ends the program; "Back" and "Exit" have their own paths.
  if (!unloading_) UnloadAllAndEnd();
}

}  // namespace orbisca::ui
