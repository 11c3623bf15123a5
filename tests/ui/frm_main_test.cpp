// The birth-data window: its initial state, the key filters (typed, pasted,
// dropped, composed), the entry checks through the form, the place lookup and
// the web links of menus and labels.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrlQuery>
#include <QtTest>

#include "ui/accessible_list.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/web_pages.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

QLineEdit* Box(QWidget& form, const QString& name) { return Child<QLineEdit>(form, name); }

// Types the text: '\b' is Backspace, '\r' is Enter, every other character a key of its own.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c == QLatin1Char('\b')) {
      QTest::keyClick(widget, Qt::Key_Backspace);
    } else if (c == QLatin1Char('\r')) {
      QTest::keyClick(widget, Qt::Key_Return);
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// Fills the form with entries that pass every check.
void FillValid(QWidget& form) {
  Box(form, "txtName")->setText("ADA");
  Box(form, "txtLonD")->setText("0");
  Box(form, "txtLonM")->setText("7");
  Box(form, "txtLatD")->setText("51");
  Box(form, "txtLatM")->setText("30");
}

}  // namespace

class FrmMainTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<FrmMain>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void captionAndMenus() {
    QCOMPARE(form_->windowTitle(), kCaption);
    QStringList bar;
    for (QAction* a : form_->menuBar()->actions()) bar << a->text();
    QCOMPARE(bar, (QStringList{"&File", "&Help", "&Donate", "Make Money &Online"}));
    const auto items = [&](const QString& menu) {
      QStringList texts;
      for (QAction* a : Child<QMenu>(*form_, menu)->actions()) texts << (a->isSeparator() ? "-" : a->text()) + "/" + a->objectName();
      return texts;
    };
    QCOMPARE(items("mnuFile"),
             (QStringList{"&New Birth/mnuNewBirth", "&Open Birth\u2026/mnuOpenBirth", "&Save Birth/mnuSaveBirth",
                          "Save Birth &As\u2026/mnuSaveBirthAs", "&Recent Births/", "-/mnuFileBar1",
                          "&Import Births\u2026/mnuImportBirths", "&Export Births\u2026/mnuExportBirths",
                          "-/mnuFileBar2", "Proceed/mnuNext", "E&xit/mnuExit"}));
    QCOMPARE(items("mnuHelp"), (QStringList{"&Online Help/mnuOnline", "&Visit Us Online/mnuVisit", "-/mnuHelp1",
                                            "Check for Software &Update/mnuUpdate", "-/mnuHelp2",
                                            "&About Software/mnuAbout"}));
    QAction* money = form_->findChild<QAction*>("mkmoney");
    QVERIFY(money);
    QVERIFY(!money->isEnabled());
    QVERIFY(money->isVisible());  // shown greyed
  }

  void lists_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("selected");
    QTest::newRow("month") << "cboMonth" << 12 << "January" << "December" << "January";
    QTest::newRow("day") << "cboDate" << 31 << "1" << "31" << "1";
    QTest::newRow("year") << "cboYear" << 150 << "1901" << "2050" << "1901";
    QTest::newRow("hour") << "cboHH" << 24 << "0" << "23" << "0";
    QTest::newRow("minute") << "cboMM" << 60 << "0" << "59" << "0";
    QTest::newRow("second") << "cboSS" << 60 << "0" << "59" << "0";
    QTest::newRow("zone") << "cmbTimeZone" << 71 << "Alaska/Hawaii Daylight Time,AHDT,-9.0"
                          << "Yukon War Time,YWT,-8.0" << "Greenwich Mean Time,GMT,0.0";
  }
  void lists() {
    QFETCH(QString, list);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, selected);
    auto* combo = Child<QComboBox>(*form_, list);
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->count(), count);
    QCOMPARE(combo->itemText(0), first);
    QCOMPARE(combo->itemText(count - 1), last);
    QCOMPARE(combo->currentText(), selected);
    if (list == "cmbTimeZone") QCOMPARE(combo->currentIndex(), 29);
    // The open list, a window of its own, shows the items in the list's font,
    // not the application's (made larger here so that the two differ).
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(QFont(applicationFont.family(), form_->font().pointSize() + 7));
    combo->showPopup();
    const QFont shown = combo->view()->font();
    combo->hidePopup();
    QApplication::setFont(applicationFont);
    QCOMPARE(shown, combo->font());
  }

  void boxes_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("name") << "txtName" << 32767;
    QTest::newRow("latitude degrees") << "txtLatD" << 2;
    QTest::newRow("latitude minutes") << "txtLatM" << 2;
    QTest::newRow("longitude degrees") << "txtLonD" << 3;
    QTest::newRow("longitude minutes") << "txtLonM" << 2;
    QTest::newRow("city") << "txtMCity" << 32767;
    QTest::newRow("state") << "txtMState" << 32767;
    QTest::newRow("country") << "txtMCountry" << 32767;
  }
  void boxes() {
    QFETCH(QString, box);
    QFETCH(int, maxLength);
    QLineEdit* edit = Box(*form_, box);
    QVERIFY(edit->text().isEmpty());
    QCOMPARE(edit->maxLength(), maxLength);
  }

  void options() {
    QCOMPARE(Child<QRadioButton>(*form_, "optLat0")->text(), QStringLiteral("North"));
    QCOMPARE(Child<QRadioButton>(*form_, "optLat1")->text(), QStringLiteral("South"));
    QCOMPARE(Child<QRadioButton>(*form_, "optLong0")->text(), QStringLiteral("East"));
    QCOMPARE(Child<QRadioButton>(*form_, "optLong1")->text(), QStringLiteral("West"));
    QVERIFY(Child<QRadioButton>(*form_, "optLat0")->isChecked());
    QVERIFY(Child<QRadioButton>(*form_, "optLong0")->isChecked());
    // Choosing one option of a pair clears the other.
    Child<QRadioButton>(*form_, "optLong1")->click();
    QVERIFY(!Child<QRadioButton>(*form_, "optLong0")->isChecked());
    QCOMPARE(form_->findChild<QButtonGroup*>("optLong")->checkedId(), 1);
    QCOMPARE(Child<QCheckBox>(*form_, "chkDST")->checkState(), Qt::Unchecked);
    QCOMPARE(Child<QPushButton>(*form_, "cmdBrowser")->text(), QStringLiteral("Click Here To Find Latitude && Longitude"));
    QCOMPARE(Child<QPushButton>(*form_, "cmdRashi")->text(), QStringLiteral("Proceed"));
  }

  void typedKeys_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;
    const QStringList letters{"information: Please Enter only Letters"};
    const QStringList numbers{"error: Only Numbers Are Accepted"};
    QTest::newRow("name: lower case becomes capital") << "txtName" << "" << "ada b" << "ADA B" << none;
    QTest::newRow("name: digit refused") << "txtName" << "" << "a1" << "A" << letters;
    QTest::newRow("name: punctuation refused") << "txtName" << "" << "o'b-c" << "OBC" << (letters + letters);
    QTest::newRow("name: accented letter refused") << "txtName" << "" << QString::fromUtf8("zé") << "Z" << letters;
    QTest::newRow("name: Backspace and Enter pass quietly") << "txtName" << "AB" << "\b\r" << "A" << none;
    QTest::newRow("lat degrees: digits") << "txtLatD" << "" << "45" << "45" << none;
    QTest::newRow("lat degrees: two digits at most") << "txtLatD" << "" << "123" << "12" << none;
    QTest::newRow("lat minutes: point refused") << "txtLatM" << "" << "3.5" << "35" << numbers;
    QTest::newRow("lon degrees: minus refused") << "txtLonD" << "" << "-7" << "7" << numbers;
    QTest::newRow("lon degrees: three digits at most") << "txtLonD" << "" << "1799" << "179" << none;
    QTest::newRow("lon minutes: letter and space refused") << "txtLonM" << "" << "a 5" << "5" << (numbers + numbers);
    QTest::newRow("lon minutes: Backspace passes") << "txtLonM" << "59" << "\b" << "5" << none;
    // Enter is no character for these boxes: it presses Proceed, whose first check speaks.
    QTest::newRow("lon minutes: Enter presses Proceed") << "txtLonM" << "5" << "\r" << "5"
                                                        << QStringList{"error: Please Enter Name"};
  }
  void typedKeys() {
    QFETCH(QString, box);
    QFETCH(QString, initial);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    QLineEdit* edit = Box(*form_, box);
    edit->setText(initial);
    Type(edit, typed);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(Describe(seam.shown), messages);
  }

  void pastedText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;
    const QStringList letters{"information: Please Enter only Letters"};
    const QStringList numbers{"error: Only Numbers Are Accepted"};
    QTest::newRow("name: letters made capital") << "txtName" << "" << "ada lovelace" << "ADA LOVELACE" << none;
    QTest::newRow("name: refused characters dropped, one message") << "txtName" << "" << "r2-d2 x" << "RD X" << letters;
    QTest::newRow("name: line break dropped") << "txtName" << "" << "ab\ncd\r\n" << "ABCD" << letters;
    QTest::newRow("name: inserted at the cursor") << "txtName" << "AD" << "a" << "ADA" << none;
    QTest::newRow("lon degrees: cut at three") << "txtLonD" << "" << "12345" << "123" << none;
    QTest::newRow("lon degrees: decimal refused") << "txtLonD" << "" << "77.5" << "775" << numbers;
    QTest::newRow("lat degrees: cut at two after the filter") << "txtLatD" << "" << "-4.5.6" << "45" << numbers;
    QTest::newRow("lat minutes: nothing acceptable") << "txtLatM" << "7" << "abc" << "7" << numbers;
  }
  void pastedText() {
    QFETCH(QString, box);
    QFETCH(QString, initial);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    QLineEdit* edit = Box(*form_, box);
    edit->setText(initial);
    edit->end(false);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keySequence(edit, QKeySequence::Paste);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(Describe(seam.shown), messages);
  }

  // The box's own context menu pastes through the filter too.
  void contextMenuPaste() {
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    QLineEdit* edit = Box(*form_, "txtLatM");
    QGuiApplication::clipboard()->setText("4-2x9");
    bool pasteOffered = false;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QLineEdit::tr("&Paste"))) {
          pasteOffered = true;
          action->trigger();
        }
      }
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), edit->mapToGlobal(QPoint(4, 4)));
    QCoreApplication::sendEvent(edit, &event);
    QVERIFY(pasteOffered);
    QCOMPARE(edit->text(), QStringLiteral("42"));
    QCOMPARE(Describe(seam.shown), QStringList{"error: Only Numbers Are Accepted"});
  }

  // A paste that bypasses the box's own paste handling (the plain line edit's
  // paste slot, as any other menu or tool would call it) is cleaned as well.
  void otherPastePathsAreCleaned() {
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    QLineEdit* edit = Box(*form_, "txtName");
    QGuiApplication::clipboard()->setText("jo 3x");
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("JO X"));
    QCOMPARE(Describe(seam.shown), QStringList{"information: Please Enter only Letters"});
  }

  void pasteReplacesSelection() {
    QLineEdit* edit = Box(*form_, "txtLonD");
    edit->setText("999");
    edit->selectAll();
    QGuiApplication::clipboard()->setText("12");
    QTest::keySequence(edit, QKeySequence::Paste);
    QCOMPARE(edit->text(), QStringLiteral("12"));
  }

  void droppedText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("name") << "txtName" << "mary-jane 2" << "MARYJANE " << QStringList{"information: Please Enter only Letters"};
    QTest::newRow("lon minutes") << "txtLonM" << "5x9y1" << "59" << QStringList{"error: Only Numbers Are Accepted"};
  }
  void droppedText() {
    QFETCH(QString, box);
    QFETCH(QString, dropped);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    QLineEdit* edit = Box(*form_, box);
    QMimeData data;
    data.setText(dropped);
    const QPointF at(4, edit->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(edit->text(), expected);
    QCOMPARE(Describe(seam.shown), messages);
  }

  void composedText() {
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    QLineEdit* edit = Box(*form_, "txtName");
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("jo\u00eblle"));
    QCoreApplication::sendEvent(edit, &commit);
    QCOMPARE(edit->text(), QStringLiteral("JOLLE"));
    QCOMPARE(Describe(seam.shown), QStringList{"information: Please Enter only Letters"});
  }

  // The entry checks through the form: the first failing check's message and
  // icon, the focus where it says, and nothing else changed.
  void validation_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lonD");
    QTest::addColumn<QString>("lonM");
    QTest::addColumn<QString>("latD");
    QTest::addColumn<QString>("latM");
    QTest::addColumn<int>("month");  // list position
    QTest::addColumn<int>("day");    // day number
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("message");  // empty: the run goes ahead
    QTest::addColumn<QString>("focus");    // box given the focus; empty: unchanged
    const QString lonDeg = "error: Please Enter Value Between 0 And 179 in the Degree of Longitude";
    const QString lonMin = "error: Please Enter Value Between 0 And 59 in the  Minute of Longitude";
    const QString latDeg = "error: Please Enter Value Between 0 And 89 in the Degree of Latitude";
    const QString latMin = "error: Please Enter Value Between 0 And 59 in the  Minute of Latitude";
    const QString february = "information: Please Enter Correct Date Or Month!";
    const QString thirty = "information: Please Enter Correct Date Or Month !";
    QTest::newRow("empty name") << "" << "0" << "0" << "0" << "0" << 0 << 1 << "1901" << "error: Please Enter Name" << "txtName";
    QTest::newRow("name of spaces") << "   " << "0" << "0" << "0" << "0" << 0 << 1 << "1901" << "error: Please Enter Name" << "txtName";
    QTest::newRow("empty name wins over bad longitude") << "" << "500" << "" << "" << "" << 0 << 1 << "1901" << "error: Please Enter Name" << "txtName";
    QTest::newRow("longitude 179 59 passes") << "A" << "179" << "59" << "0" << "0" << 0 << 1 << "1901" << "" << "";
    QTest::newRow("longitude degrees 180") << "A" << "180" << "0" << "0" << "0" << 0 << 1 << "1901" << lonDeg << "txtLonD";
    QTest::newRow("longitude degrees empty") << "A" << "" << "0" << "0" << "0" << 0 << 1 << "1901" << lonDeg << "txtLonD";
    QTest::newRow("longitude minutes empty") << "A" << "10" << "" << "0" << "0" << 0 << 1 << "1901" << lonMin << "txtLonM";
    QTest::newRow("longitude minutes 60") << "A" << "10" << "60" << "0" << "0" << 0 << 1 << "1901" << lonMin << "txtLonM";
    QTest::newRow("latitude degrees 90") << "A" << "10" << "0" << "90" << "0" << 0 << 1 << "1901" << latDeg << "txtLatD";
    QTest::newRow("latitude 89 59 passes") << "A" << "10" << "0" << "89" << "59" << 0 << 1 << "1901" << "" << "";
    QTest::newRow("latitude minutes empty") << "A" << "10" << "0" << "10" << "" << 0 << 1 << "1901" << latMin << "txtLatM";
    QTest::newRow("February 29 2000 passes") << "A" << "0" << "0" << "0" << "0" << 1 << 29 << "2000" << "" << "";
    QTest::newRow("February 29 1904 passes") << "A" << "0" << "0" << "0" << "0" << 1 << 29 << "1904" << "" << "";
    QTest::newRow("February 29 2001") << "A" << "0" << "0" << "0" << "0" << 1 << 29 << "2001" << february << "";
    QTest::newRow("February 30 2000") << "A" << "0" << "0" << "0" << "0" << 1 << 30 << "2000" << february << "";
    QTest::newRow("April 31") << "A" << "0" << "0" << "0" << "0" << 3 << 31 << "1990" << thirty << "";
    QTest::newRow("November 31") << "A" << "0" << "0" << "0" << "0" << 10 << 31 << "1990" << thirty << "";
    QTest::newRow("March 31 passes") << "A" << "0" << "0" << "0" << "0" << 2 << 31 << "1990" << "" << "";
  }
  void validation() {
    QFETCH(QString, name);
    QFETCH(QString, lonD);
    QFETCH(QString, lonM);
    QFETCH(QString, latD);
    QFETCH(QString, latM);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, year);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    Box(*form_, "txtName")->setText(name);
    Box(*form_, "txtLonD")->setText(lonD);
    Box(*form_, "txtLonM")->setText(lonM);
    Box(*form_, "txtLatD")->setText(latD);
    Box(*form_, "txtLatM")->setText(latM);
    Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(month);
    Child<QComboBox>(*form_, "cboDate")->setCurrentIndex(day - 1);
    Child<QComboBox>(*form_, "cboYear")->setCurrentText(year);
    auto* proceed = Child<QPushButton>(*form_, "cmdRashi");
    proceed->setFocus();

    QTest::mouseClick(proceed, Qt::LeftButton);

    if (message.isEmpty()) {
      QVERIFY2(seam.shown.isEmpty(), qPrintable(Describe(seam.shown).join('|')));
      QVERIFY(form_->Display());
      QVERIFY(form_->Display()->isVisible());
      QVERIFY(form_->isHidden());
      return;
    }
    QCOMPARE(Describe(seam.shown), QStringList{message});
    QCOMPARE(form_->focusWidget()->objectName(), focus.isEmpty() ? QStringLiteral("cmdRashi") : focus);
    QVERIFY(!form_->Display());
    QVERIFY(form_->isVisible());
    QCOMPARE(Box(*form_, "txtName")->text(), name);
    QCOMPARE(Box(*form_, "txtLonD")->text(), lonD);
  }

  // Enter (either key) in any entry but the name box presses Proceed; on a
  // button it presses that button; in the name box it does nothing.
  void enterKey_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QStringList>("messages");
    const QStringList proceed{"error: Please Enter Name"};  // the form is empty
    const QStringList lookup{"information: Please Enter City"};
    for (const char* entry : {"cboMonth", "cboDate", "cboYear", "cboHH", "cboMM", "cboSS", "cmbTimeZone", "chkDST",
                              "txtLatD", "txtLatM", "optLat1", "txtLonD", "txtLonM", "optLong0", "txtMCity",
                              "txtMState", "txtMCountry", "cmdRashi"}) {
      QTest::addRow("Enter in %s", entry) << entry << false << proceed;
    }
    QTest::newRow("keypad Enter in a list") << "cboYear" << true << proceed;
    QTest::newRow("keypad Enter in a degree box") << "txtLonD" << true << proceed;
    QTest::newRow("keypad Enter on Proceed") << "cmdRashi" << true << proceed;
    QTest::newRow("Enter on the lookup button") << "cmdBrowser" << false << lookup;
    QTest::newRow("keypad Enter on the lookup button") << "cmdBrowser" << true << lookup;
    QTest::newRow("Enter in the name box") << "txtName" << false << QStringList{};
    QTest::newRow("keypad Enter in the name box") << "txtName" << true << QStringList{};
  }
  void enterKey() {
    QFETCH(QString, control);
    QFETCH(bool, keypad);
    QFETCH(QStringList, messages);
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    auto* target = Child<QWidget>(*form_, control);
    target->setFocus();
    PressEnter(target, keypad);
    QCOMPARE(Describe(seam.shown), messages);
    QVERIFY(!form_->Display());
  }

  void proceedFromMenu() {
    RecordingMessages seam;
    ScopedMessageSeam guard(&seam);
    form_->findChild<QAction*>("mnuNext")->trigger();
    QCOMPARE(Describe(seam.shown), QStringList{"error: Please Enter Name"});
    seam.shown.clear();
    FillValid(*form_);
    form_->findChild<QAction*>("mnuNext")->trigger();
    QVERIFY(seam.shown.isEmpty());
    QVERIFY(form_->Display() && form_->Display()->isVisible());
    QVERIFY(form_->isHidden());
    // Hidden, not closed: the entries are still there.
    QCOMPARE(Box(*form_, "txtLatD")->text(), QStringLiteral("51"));
  }

  void placeLookup_data() {
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("query");  // handed to the search; empty: none
    QTest::newRow("all three") << "Pune" << "Maharashtra" << "India" << "" << ""
                               << "Pune Maharashtra India Latitude Longitude";
    QTest::newRow("texts are not trimmed") << " Salt Lake City" << "Utah " << "USA" << "" << ""
                                           << " Salt Lake City Utah  USA Latitude Longitude";
    QTest::newRow("spaces count as text") << " " << " " << " " << "" << "" << "      Latitude Longitude";
    QTest::newRow("special characters reach the search") << "St. John's" << "N&L" << "Canada+" << "" << ""
                                                         << "St. John's N&L Canada+ Latitude Longitude";
    QTest::newRow("city empty") << "" << "" << "" << "information: Please Enter City" << "txtMCity" << "";
    QTest::newRow("state empty") << "Pune" << "" << "India" << "information: Please Enter State" << "txtMState" << "";
    QTest::newRow("country empty") << "Pune" << "MH" << "" << "information: Please Enter Country" << "txtMCountry" << "";
  }
  void placeLookup() {
    QFETCH(QString, city);
    QFETCH(QString, state);
    QFETCH(QString, country);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, query);
    RecordingMessages messages;
    ScopedMessageSeam messageGuard(&messages);
    RecordingUrls urls;
    ScopedUrlSeam urlGuard(&urls);
    Box(*form_, "txtMCity")->setText(city);
    Box(*form_, "txtMState")->setText(state);
    Box(*form_, "txtMCountry")->setText(country);
    Box(*form_, "txtName")->setFocus();

    QTest::mouseClick(Child<QPushButton>(*form_, "cmdBrowser"), Qt::LeftButton);

    if (query.isEmpty()) {
      QCOMPARE(Describe(messages.shown), QStringList{message});
      QCOMPARE(form_->focusWidget()->objectName(), focus);
      QVERIFY(urls.opened.isEmpty());
      return;
    }
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(urls.opened.size(), 1);
    const QUrl url = urls.opened.front();
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QCOMPARE(QUrlQuery(url).queryItemValue("q", QUrl::FullyDecoded), query);
    // The lookup writes nothing into the form.
    QVERIFY(Box(*form_, "txtLatD")->text().isEmpty());
    QVERIFY(Box(*form_, "txtLonD")->text().isEmpty());
  }

 private:
  std::unique_ptr<FrmMain> form_;
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
