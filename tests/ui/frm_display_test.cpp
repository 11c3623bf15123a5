// The results window: the seven tabs with their descriptions, the result boxes
// and covers as the aspect step writes them, a full run through the form,
// "Back" and a second run, and every way out of the program.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>
#include <random>

#include "aspects/aspects.h"
#include "aspects/interpretation.h"
#include "run/chart.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/unload_all.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

const QStringList kBoxNames = {"RTBAspectsDescConjunction", "RTBAspectsDescSemiSextile", "RTBAspectsDescSextile",
                               "RTBAspectsDescSquare",      "RTBAspectsDescTrine",       "RTBAspectsDescQuincunx",
                               "RTBAspectsDescOpposition"};

QTextEdit* ResultBox(FrmDisplay& display, int kind) { return Child<QTextEdit>(display, kBoxNames[kind]); }

// The cover is in front when it is the frame of the two that is not hidden
// (the tab's own page may be hidden behind another tab).
bool Covered(FrmDisplay& display, int kind) {
  auto* cover = Child<QGroupBox>(display, QStringLiteral("fraShow_%1").arg(kind));
  auto* description = Child<QGroupBox>(display, QStringLiteral("Frame1_%1").arg(kind));
  if (cover->isHidden() == description->isHidden()) qFatal("cover and description seen alike");
  return !cover->isHidden();
}


const FormEntries kIndia{"ASHA", "73", "51", "18", "31", 8, 15, "1950", "5", "45", 34, false, false, false};
const FormEntries kNewYork{"BEN", "74", "0", "40", "43", 7, 4, "1985", "13", "5", 27, true, false, true};
const FormEntries kGreenwich{"CLIO", "0", "0", "0", "0", 1, 1, "1901", "0", "0", 29, false, false, false};

constexpr int kRandomBirths = 100;

// What the engine finds for the form's entries: each kind's text.
AspectTexts ExpectedTexts(const FrmMain& form) {
  return KindTexts(ComputeChart(std::get<Birth>(BirthFromEntries(form.Entries()))).aspects);
}

// Every heading bold dark red, every paragraph regular black, in the layout
// heading, paragraph, empty line.
void CheckStyles(QTextEdit* box) {
  int line = 0;
  for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next(), ++line) {
    if (block.text().isEmpty()) continue;
    const bool heading = line % 3 == 0;
    QVERIFY2(heading == block.text().endsWith(QStringLiteral(" Aspect")), qPrintable(block.text()));
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat f = it.fragment().charFormat();
      QCOMPARE(f.fontWeight() >= QFont::Bold, heading);
      QCOMPARE(f.foreground().color(), heading ? QColor(128, 0, 0) : QColor(0, 0, 0));
    }
  }
}

// Runs the event loop until the program ends; returns its exit code. A path
// that fails to end the program is stopped by the guard with code 99 instead
// of hanging the test.
int RunUntilEnd(const std::function<void()>& action) {
  QTimer::singleShot(0, action);
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  guard.start(60000);
  return QCoreApplication::exec();
}

// The results window the form built ahead, hidden and waiting, if any.
FrmDisplay* HiddenResultsWindow() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* display = qobject_cast<FrmDisplay*>(w); display && display->isHidden()) return display;
  }
  return nullptr;
}

}  // namespace

class FrmDisplayTest : public QObject {
  Q_OBJECT

 private slots:
  void captionsAndButtons() {
    FrmDisplay display;
    QCOMPARE(display.windowTitle(), kCaption);
    auto* tabs = Child<QTabWidget>(display, "SSTab1");
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    QCOMPARE(captions, (QStringList{"Conjunction", "Semi Sextile", "Sextile", "Square", "Trine", "Quincunx", "Opposition",
                                    "Chart"}));
    QCOMPARE(Child<QPushButton>(display, "Command1")->text(), QStringLiteral("&Print"));
    // Mnemonics that no menu of the bar takes.
    QCOMPARE(Child<QPushButton>(display, "cmdExit")->text(), QStringLiteral("E&xit"));
    QCOMPARE(Child<QPushButton>(display, "cmdOK")->text(), QStringLiteral("&Back"));
    QStringList bar;
    for (QAction* a : display.menuBar()->actions()) bar << a->text();
    QCOMPARE(bar, (QStringList{"&File", "&Help", "&Donate", "Make Money &Online"}));
    const auto items = [&](const QString& menu) {
      QStringList texts;
      for (QAction* a : Child<QMenu>(display, menu)->actions()) texts << (a->isSeparator() ? "-" : a->text()) + "/" + a->objectName();
      return texts;
    };
    QCOMPARE(items("mnuFile"), (QStringList{"&Back/mnuFileBack", "-/", "&Save Chart Sheet…/mnuSaveSheet",
                                            "&Print Chart Sheet…/mnuPrintSheet", "-/", "E&xit/mnuExit"}));
    QCOMPARE(items("mnuHelp"), (QStringList{"&Online Help/mnuOnline", "&Visit Us Online/mnuVisit", "-/mnuFileSep1",
                                            "&Check for Software Update/mnuUpdate", "-/mnuFileSep2",
                                            "&About Software/mnuAbout"}));
    QVERIFY(!Child<QAction>(display, "mkmoney")->isEnabled());
  }

  void descriptions_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("values");  // name, keyword, category, type, significance
    QTest::newRow("conjunction") << 0 << QStringList{"Conjunction", "Power", "Hard Aspect", "Same Element / Same Quality/ Same Gender",
        "This aspect signifies power. Planets in this aspect affect each other. This is one aspect that you cannot ignore. The energy of this aspect can be favorable or unfavorable. The effects of the planets involved will be magnified."};
    QTest::newRow("semi sextile") << 1 << QStringList{"Semi Sextile", "Response", "Soft Aspect", "Different element/ different quality/different gender",
        "This aspect stimulates change and growth. This growth will incorporate positive changes in the character of an individual. There may be some minor nagging tension. This aspect is also karmic in nature. You will learn something from your past life."};
    QTest::newRow("sextile") << 2 << QStringList{"Sextile", "Opportunity", "Soft Aspect", "Complementary element/different quality/same gender",
        "The effect of this planet is seen only when you work hard. Also the results are good but not very exciting. There is easy flow of energy between the two planets. Since there is no tension between the two planets, this will aid in the achievements of the individual. There will be many opportunities but they will be fruitful only when you put in hard work."};
    QTest::newRow("square") << 3 << QStringList{"Square", "Irritation", "Hard Aspect", "Same quality/different element/different gender ",
        "This aspect involves a lot of friction. This aspect doesn't let you stay calm. You will feel that something isn't right and there is an underlying tension. Sometimes they can have a positive effect by making you more productive. They are forceful and have tremendous energy."};
    QTest::newRow("trine") << 4 << QStringList{"Trine", "Easy Flow", "Soft Aspect", "Same element/Different Quality/Same Gender",
        "This aspect will make you lucky. You will face problems but they may not be so evident. You will be able to face obstacles in an easy manner. This will be a joyous and happy aspect which will have a lot of positive energy flowing. You will have the best results with minimal effort."};
    QTest::newRow("quincunx") << 5 << QStringList{"Quincunx", "Adjustment", "Hard Aspect", "Different Element/Different Quality/Different Gender",
        "There will be nothing in common between the planets involved in this aspect. You will need to understand the pros and cons and accept it and go ahead in life. You will need to rearrange your priorities, change your outlook and perspective in life to be able to overcome the ill effects of this aspect. This aspect often influences health and financial matters."};
    QTest::newRow("opposition") << 6 << QStringList{"Opposition", "Conflicts", "Hard Aspect", "Complementary Element/Same Quality/Same Gender",
        "This aspect calls for balance. You will be influenced by other people. There are a lot of polarities involved int this aspect. This presents opposing forces and harmony will need to be balanced. You will need to work at bringing the opposing energies together."};
  }
  void descriptions() {
    QFETCH(int, kind);
    QFETCH(QStringList, values);
    FrmDisplay display;
    auto* frame = Child<QGroupBox>(display, QStringLiteral("Frame1_%1").arg(kind));
    auto* cover = Child<QGroupBox>(display, QStringLiteral("fraShow_%1").arg(kind));
    QCOMPARE(frame->title(), "Planetary Aspect - " + values[0]);
    QCOMPARE(cover->title(), frame->title());
    QStringList texts;
    for (QLabel* label : frame->findChildren<QLabel*>()) texts << label->text();
    QCOMPARE(texts, (QStringList{"Aspects Name", "Keyword", "Category", "Type", "Significance "} + values));
    for (QLabel* label : frame->findChildren<QLabel*>().mid(0, 5)) {
      QVERIFY(label->font().bold());
      QVERIFY(label->font().underline());
    }
    QCOMPARE(Child<QLabel>(*cover, QStringLiteral("Label11_%1").arg(kind))->text(),
             QStringLiteral("No Planet is present in this aspect."));
    QCOMPARE(Child<QLabel>(display, QStringLiteral("Label%1").arg(12 + kind))->text(), QStringLiteral("Planets in this Aspect"));
    QTextEdit* box = ResultBox(display, kind);
    QVERIFY(box->isReadOnly());
    QVERIFY(box->toPlainText().isEmpty());
  }

  // The boxes are built from the chart's aspect list: only the kinds found are uncovered.
  void boxesFromTheAspectList() {
    FrmDisplay display;
    Chart chart{};
    chart.aspects = {
        {AspectKind::Conjunction, Body::Sun, Body::Moon, 10},
        {AspectKind::Square, Body::Mars, Body::Saturn, 90},
        {AspectKind::Conjunction, Body::Moon, Body::Sun, -10},
    };
    display.ShowChart(Birth{}, chart, {});
    for (int kind = 0; kind < 7; ++kind) {
      QCOMPARE(Covered(display, kind), kind != 0 && kind != 3);
    }
    const QString conjunction = Text(display.ResultText(AspectKind::Conjunction));
    const QString sunMoon = Text(GetInterpretation(AspectKind::Conjunction, Body::Sun, Body::Moon));
    QCOMPARE(conjunction, "Sun-Moon  In Conjunction Aspect\r\n" + sunMoon + "\r\n\r\n" +
                              "Moon-Sun  In Conjunction Aspect\r\n" + sunMoon + "\r\n\r\n");
    QVERIFY(Text(display.ResultText(AspectKind::Square)).startsWith("Mars-Saturn  In Square Aspect\r\n"));
    QVERIFY(display.ResultText(AspectKind::Trine).empty());
    CheckStyles(ResultBox(display, 0));
    CheckStyles(ResultBox(display, 3));
  }

  // The report is built from the aspect list; the boxes must show exactly its
  // texts, so that the report says what the window shows. Random births, as
  // the form can give them.
  void boxesShowTheReportsTexts() {
    std::mt19937 random(21);
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int i = 0; i < kRandomBirths; ++i) {
      Birth b;
      b.year = pick(1901, 2050);
      b.month = pick(1, 12);
      b.day = pick(1, 28);
      b.hour = pick(0, 23);
      b.minute = pick(0, 59);
      std::get<ZoneRow>(b.zone).row = pick(0, 70);
      b.dst = pick(0, 1);
      b.lonDegrees = pick(0, 179);
      b.east = pick(0, 1);
      const Chart chart = ComputeChart(b);
      FrmDisplay display;
      display.ShowChart(b, chart, {});
      const AspectTexts expected = KindTexts(chart.aspects);
      for (int kind = 0; kind < 7; ++kind) {
        QCOMPARE(display.ResultText(static_cast<AspectKind>(kind)), expected[kind]);
        QCOMPARE(Covered(display, kind), expected[kind].empty());
      }
    }
  }

  void fullRun_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("India 1950, IST") << 0;
    QTest::newRow("New York 1985, EST with daylight saving, west") << 1;
    QTest::newRow("defaults at Greenwich 1901") << 2;
  }
  void fullRun() {
    QFETCH(int, row);
    const FormEntries entries = std::array{kIndia, kNewYork, kGreenwich}[row];
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    FrmMain form;
    form.show();
    FillForm(form, entries);
    QTest::mouseClick(Child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
    QVERIFY2(seam.shown.isEmpty(), qPrintable(Describe(seam.shown).join('|')));
    QVERIFY(form.isHidden());
    FrmDisplay* display = form.Display();
    QVERIFY(display);
    QVERIFY(display->isVisible());

    const AspectTexts expected = ExpectedTexts(form);
    for (int kind = 0; kind < 7; ++kind) {
      const auto k = static_cast<AspectKind>(kind);
      QCOMPARE(Text(display->ResultText(k)), Text(expected[kind]));
      QCOMPARE(Covered(*display, kind), expected[kind].empty());
      QCOMPARE(Covered(*display, kind), display->ResultText(k).empty());
      CheckStyles(ResultBox(*display, kind));
    }
  }

  // Both with the results window built by Proceed and with the one the form
  // builds ahead while it waits: a second run shows its own results only.
  void backThenSecondRun_data() {
    QTest::addColumn<QString>("back");
    QTest::addColumn<bool>("builtAhead");
    for (const bool ahead : {false, true}) {
      const char* when = ahead ? ", built ahead" : "";
      QTest::addRow("Back button%s", when) << "cmdOK" << ahead;
      QTest::addRow("File, Back%s", when) << "mnuFileBack" << ahead;
      QTest::addRow("Enter on Back%s", when) << "enter" << ahead;
      QTest::addRow("keypad Enter on Back%s", when) << "keypad enter" << ahead;
      QTest::addRow("Escape%s", when) << "escape" << ahead;
      QTest::addRow("Alt+B%s", when) << "alt+b" << ahead;
    }
  }
  void backThenSecondRun() {
    QFETCH(QString, back);
    QFETCH(bool, builtAhead);
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    FrmMain form;
    form.show();
    QPointer<FrmDisplay> ahead;
    if (builtAhead) QTRY_VERIFY((ahead = HiddenResultsWindow()));
    FillForm(form, kIndia);
    QTest::mouseClick(Child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
    QPointer<FrmDisplay> first = form.Display();
    QVERIFY(first);
    if (builtAhead) QCOMPARE(first.data(), ahead.data());
    QVERIFY(!HiddenResultsWindow());  // none built while the results are shown
    AspectTexts firstTexts;
    for (int kind = 0; kind < 7; ++kind) firstTexts[kind] = first->ResultText(static_cast<AspectKind>(kind));

    if (back == "cmdOK") {
      QTest::mouseClick(Child<QPushButton>(*first, back), Qt::LeftButton);
    } else if (back.endsWith("enter")) {
      PressEnter(Child<QPushButton>(*first, "cmdOK"), back.startsWith("keypad"));
    } else if (back == "escape" || back == "alt+b") {
      first->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(first));
      QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : first.data();
      QTest::keyClick(focus, back == "escape" ? Qt::Key_Escape : Qt::Key_B,
                      back == "escape" ? Qt::NoModifier : Qt::AltModifier);
    } else {
      Child<QAction>(*first, back)->trigger();
    }
    QTRY_VERIFY(form.isVisible());  // a mnemonic clicks its button a moment later
    QVERIFY(!form.Display());
    QVERIFY(!ProgramEnding());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);  // discarded
    // The entries are those of the first run.
    QCOMPARE(Child<QLineEdit>(form, "txtName")->text(), QStringLiteral("ASHA"));
    QCOMPARE(Child<QComboBox>(form, "cboYear")->currentText(), QStringLiteral("1950"));
    QCOMPARE(Child<QComboBox>(form, "cmbTimeZone")->currentIndex(), 34);

    if (builtAhead) QTRY_VERIFY((ahead = HiddenResultsWindow()) && ahead != first);
    FillForm(form, kNewYork);
    form.findChild<QAction*>("mnuNext")->trigger();
    FrmDisplay* second = form.Display();
    QVERIFY(second);
    if (builtAhead) QCOMPARE(second, ahead.data());
    QVERIFY(second->isVisible());
    QVERIFY(form.isHidden());
    const AspectTexts expected = ExpectedTexts(form);
    bool changed = false;
    for (int kind = 0; kind < 7; ++kind) {
      const auto k = static_cast<AspectKind>(kind);
      QCOMPARE(Text(second->ResultText(k)), Text(expected[kind]));
      QCOMPARE(Covered(*second, kind), expected[kind].empty());
      changed = changed || second->ResultText(k) != firstTexts[kind];
    }
    QVERIFY(changed);
    QVERIFY(seam.shown.isEmpty());
  }

  // "&Print" opens the report window modally over the results, with the
  // results' text; closing it returns to the results window.
  void printOpensTheReport_data() {
    QTest::addColumn<QString>("press");
    QTest::newRow("click") << "click";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("keypad Enter") << "keypad enter";
  }
  void printOpensTheReport() {
    QFETCH(QString, press);
    FrmMain form;
    form.show();
    FillForm(form, kIndia);
    form.findChild<QAction*>("mnuNext")->trigger();
    FrmDisplay* display = form.Display();
    QVERIFY(display);
    const QString firstHeading = Text(display->ResultText(AspectKind::Conjunction)).section(QStringLiteral("\r\n"), 0, 0);
    QVERIFY(firstHeading.endsWith(QStringLiteral("In Conjunction Aspect")));
    QString modalName;
    QString reportText;
    QWidget* modalParent = nullptr;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      modalName = modal->objectName();
      modalParent = modal->parentWidget();
      if (auto* report = modal->findChild<QTextEdit*>()) reportText = report->toPlainText();
      modal->close();
    });
    auto* printButton = Child<QPushButton>(*display, "Command1");
    if (press == "click") {
      QTest::mouseClick(printButton, Qt::LeftButton);
    } else {
      PressEnter(printButton, press.startsWith("keypad"));
    }
    QCOMPARE(modalName, QStringLiteral("frmSave"));
    QCOMPARE(modalParent, display);
    QVERIFY2(reportText.contains(firstHeading), qPrintable(reportText.left(200)));
    QVERIFY(display->isVisible());
    QVERIFY(!ProgramEnding());
  }

  // The caption "Planets in this Aspect" and the result box start at the same
  // place on every tab, whatever the length of the tab's description, at any
  // width of the window.
  void resultBoxesAlignAcrossTabs_data() {
    QTest::addColumn<int>("width");  // 0: the width the window opens at; -1: dragged through many widths to 700
    QTest::newRow("opening width") << 0;
    QTest::newRow("after dragging the edge") << -1;
    QTest::newRow("narrow") << 560;
    QTest::newRow("wide") << 1100;
  }
  void resultBoxesAlignAcrossTabs() {
    QFETCH(int, width);
    FrmDisplay display;
    if (width > 0) display.resize(width, display.height());
    display.show();
    QVERIFY(QTest::qWaitForWindowExposed(&display));
    if (width < 0) {
      for (int w = 1100; w >= 560; w -= 45) {
        display.resize(w, display.height());
        QCoreApplication::processEvents();
      }
      display.resize(700, display.height());
    }
    auto* tabs = Child<QTabWidget>(display, "SSTab1");
    const int kinds = static_cast<int>(kAspectKindCount);  // the Chart tab after them has no result box
    QList<int> captionTops, boxTops;
    for (int kind = 0; kind < kinds; ++kind) {
      tabs->setCurrentIndex(kind);
      QCoreApplication::processEvents();
      auto* caption = Child<QLabel>(display, QStringLiteral("Label%1").arg(12 + kind));
      QCOMPARE(caption->text(), QStringLiteral("Planets in this Aspect"));
      captionTops << caption->mapTo(tabs, QPoint(0, 0)).y();
      boxTops << ResultBox(display, kind)->mapTo(tabs, QPoint(0, 0)).y();
    }
    QCOMPARE(captionTops, QList<int>(kinds, captionTops[0]));
    QCOMPARE(boxTops, QList<int>(kinds, boxTops[0]));
    // Every description is whole: its frame is as tall as it needs at its width.
    for (int kind = 0; kind < kinds; ++kind) {
      tabs->setCurrentIndex(kind);
      QCoreApplication::processEvents();
      auto* description = Child<QGroupBox>(display, QStringLiteral("Frame1_%1").arg(kind));
      QVERIFY2(description->height() >= description->heightForWidth(description->width()),
               qPrintable(QStringLiteral("tab %1").arg(kind)));
    }
  }

  // Every way out ends the event loop with every window closed.
  void exitPaths_data() {
    QTest::addColumn<bool>("run");         // a run first: the form hidden, results shown
    QTest::addColumn<QString>("window");   // where the exit is made
    QTest::addColumn<QString>("control");  // button, menu item, or "close" for the close box
    QTest::newRow("results: Exit button") << true << "frmDisplay" << "cmdExit";
    QTest::newRow("results: Enter on Exit") << true << "frmDisplay" << "enter:cmdExit";
    QTest::newRow("results: File, Exit") << true << "frmDisplay" << "mnuExit";
    QTest::newRow("results: close box") << true << "frmDisplay" << "close";
    QTest::newRow("form: File, Exit") << false << "frmMain" << "mnuExit";
    QTest::newRow("form: close box") << false << "frmMain" << "close";
  }
  void exitPaths() {
    QFETCH(bool, run);
    QFETCH(QString, window);
    QFETCH(QString, control);
    FrmMain form;
    form.show();
    QPointer<FrmDisplay> display;
    if (run) {
      FillForm(form, kGreenwich);
      form.findChild<QAction*>("mnuNext")->trigger();
      display = form.Display();
      QVERIFY(display && display->isVisible());
    }
    QWidget* target = window == "frmMain" ? static_cast<QWidget*>(&form) : display.data();
    QVERIFY(!ProgramEnding());
    const int code = RunUntilEnd([&] {
      if (control == "close") {
        target->close();
      } else if (control.startsWith("enter:")) {
        PressEnter(Child<QPushButton>(*target, control.mid(6)));
      } else if (auto* button = target->findChild<QPushButton*>(control)) {
        QTest::mouseClick(button, Qt::LeftButton);
      } else {
        Child<QAction>(*target, control)->trigger();
      }
    });
    QCOMPARE(code, 0);
    QVERIFY(!display);  // unloaded and deleted
    QVERIFY(!form.isVisible());
    QVERIFY(!ProgramEnding());  // the loop has returned
  }

  // A modal box open at the end is closed with the other windows.
  void exitWithModalBoxOpen() {
    FrmMain form;
    form.show();
    FillForm(form, kGreenwich);
    form.findChild<QAction*>("mnuNext")->trigger();
    QPointer<FrmDisplay> display = form.Display();
    QPointer<QDialog> box = new QDialog(display);
    box->setAttribute(Qt::WA_DeleteOnClose);
    int boxResult = -1;
    const int code = RunUntilEnd([&] {
      QTimer::singleShot(0, [&] {
        QVERIFY(box && box->isVisible());
        Child<QAction>(*display, "mnuExit")->trigger();
      });
      boxResult = box->exec();
    });
    QCOMPARE(code, 0);
    QCOMPARE(boxResult, int(QDialog::Rejected));
    QVERIFY(!box);
    QVERIFY(!display);
  }
};

QTEST_MAIN(FrmDisplayTest)
#include "frm_display_test.moc"
