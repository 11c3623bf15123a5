// The births library in the form window: save, reopen, edit, duplicate,
// delete and recent births through the File menu and the "Open Birth…" list,
// the modified marker, the start-up reopening, imports and exports, and the
// library's refusals. A temporary library and settings folder each test.

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QAbstractItemView>
#include <QtTest>
#include <functional>

#include "births/exchange.h"
#include "births/library.h"
#include "ui/births_dialog.h"
#include "ui/frm_main.h"
#include "ui/save_path.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

// Answers "Open Birth…" (and any other of the program's modal windows) with
// the test's steps.
class ScriptedWindows final : public WindowSeam {
 public:
  void Exec(QDialog& window) override {
    ++shown;
    if (!steps.isEmpty()) {
      steps.takeFirst()(window);
    } else if (step) {
      step(window);
    }
  }
  QList<std::function<void(QDialog&)>> steps;  // one window each, then `step` for all
  std::function<void(QDialog&)> step;
  int shown = 0;
};

class FakeFileDialogs final : public FileDialogSeam {
 public:
  QString SaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
    return path;
  }
  QString OpenFileName(QWidget*, const QString&, const QString&) override { return path; }
  QString path;
};

births::SavedBirth Saved(const std::string& name, BirthZone zone, int year = 1970) {
  births::SavedBirth s;
  s.birth.name = name;
  s.birth.year = year;
  s.birth.month = 9;
  s.birth.day = 27;
  s.birth.hour = 11;
  s.birth.minute = 4;
  s.birth.second = 30;
  s.birth.zone = std::move(zone);
  s.birth.lonDegrees = 85;
  s.birth.lonMinutes = 19;
  s.birth.latDegrees = 27;
  s.birth.latMinutes = 42;
  s.birth.place = BirthPlace{1283240, "Kathmandu, Central Region, Nepal"};
  s.kind = births::Kind::Female;
  s.note = "from the family";
  s.tags = {"family"};
  return s;
}

void Trigger(FrmMain& form, const char* action) { Child<QAction>(form, QString::fromLatin1(action))->trigger(); }

// Selects the birth of that name in the open list and presses `button`.
std::function<void(QDialog&)> Press(const QString& name, const char* button) {
  return [name, button](QDialog& dialog) {
    auto* search = Child<QLineEdit>(dialog, "txtSearch");
    for (const QChar c : name.left(2)) QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(c), Qt::NoModifier);
    auto* list = Child<QAbstractItemView>(dialog, "lstBirths");
    QVERIFY(list->model()->rowCount() >= 1);
    QCOMPARE(list->currentIndex().data().toString(), name);
    if (QString::fromLatin1(button) == "enter") {
      PressEnter(search);
    } else if (QString::fromLatin1(button) == "double click") {
      dialog.show();  // a row has a place on screen only then
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      const QRect row = list->visualRect(list->currentIndex());
      // A double click, as the system delivers it: a click, then the second press.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    } else {
      Child<QPushButton>(dialog, QString::fromLatin1(button))->click();
    }
  };
}

}  // namespace

class BirthsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_->filePath("config"));
    libraryPath_ = dir_->filePath("births.sqlite").toStdString();
    form_ = std::make_unique<FrmMain>();
    form_->SetLibraryPath(libraryPath_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() {
    form_.reset();
    dir_.reset();
  }

  // What the form saves is what it reopens, and what charts: every zone form
  // (a row, an atlas offset with and without its zone name), both
  // hemispheres, hostile names.
  void saveAndReopen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("atlas");
    QTest::addColumn<int>("minutesEast");
    QTest::addColumn<QString>("zoneName");
    QTest::addColumn<QString>("zoneText");
    QTest::addColumn<QString>("opening");  // how the birth is opened from the list
    QTest::newRow("zone row") << "Ada \"Byron\", Lovelace" << false << 0 << "" << "" << "enter";
    QTest::newRow("atlas offset") << "\u0905\u0926\u093F\u0924\u093F\tK" << true << 345 << "Asia/Kathmandu"
                                  << "From the atlas: UTC+5:45 (Asia/Kathmandu)" << "double click";
    QTest::newRow("mean time, no zone name") << "[*] x" << true << -19 << "" << "From the atlas: UTC\u22120:19"
                                             << "cmdOpen";
  }
  void saveAndReopen() {
    QFETCH(QString, name);
    QFETCH(bool, atlas);
    QFETCH(int, minutesEast);
    QFETCH(QString, zoneName);
    QFETCH(QString, zoneText);
    QFETCH(QString, opening);
    births::SavedBirth stored = Saved(name.toStdString(), atlas ? BirthZone{ZoneOffset{minutesEast, zoneName.toStdString()}}
                                                                  : BirthZone{ZoneRow{50}});
    stored.birth.east = !atlas;
    stored.birth.south = atlas;
    births::Library(libraryPath_, births::Access::Write).Add(stored);

    RecordingMessages messages;
    ScopedMessageSeam messageGuard(&messages);
    ScriptedWindows windows;
    const QByteArray how = opening.toLatin1();
    windows.step = Press(name, how.constData());
    ScopedWindowSeam windowGuard(&windows);
    Trigger(*form_, "mnuOpenBirth");
    QCOMPARE(Describe(messages.shown), QStringList());
    QVERIFY(form_->Saved());
    QCOMPARE(form_->Saved()->id, stored.id);
    const std::optional<Birth> shown = form_->FormBirth();
    QVERIFY(shown);
    QVERIFY(*shown == stored.birth);
    auto* zone = Child<QComboBox>(*form_, "cmbTimeZone");
    if (atlas) QCOMPARE(zone->currentText(), zoneText);
    QCOMPARE(form_->Entries().zoneOffsetMinutes.has_value(), atlas);
    QVERIFY(!form_->isWindowModified());
    // A "[*]" of the name is doubled, Qt's way of showing it as text.
    QCOMPARE(form_->windowTitle(), QString(name).replace("[*]", "[*][*]") + " \u2014 " + kCaption + "[*]");

    // Saved again unchanged (after the question), the library has the same birth.
    Trigger(*form_, "mnuSaveBirth");
    QCOMPARE(messages.asked.size(), 1);
    const std::optional<births::SavedBirth> again = births::Library(libraryPath_, births::Access::Read).Find(stored.id);
    QVERIFY(again && again->SameBirth(stored));
    QCOMPARE(births::Library(libraryPath_, births::Access::Read).Count(), 1);
  }

  // Typed, saved, changed, saved over after the question naming it; the
  // marker follows the entries, also back to the saved values.
  void saveEditAndMarker() {
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    FillForm(*form_, {"Ada", "0", "7", "51", "30", 12, 10, "1915", "3", "45", 29, true, false, false});
    QCOMPARE(form_->windowTitle(), kCaption);
    Trigger(*form_, "mnuSaveBirth");
    QCOMPARE(messages.asked, QStringList());  // a new birth replaces nothing
    QVERIFY(form_->Saved());
    const std::int64_t id = form_->Saved()->id;
    QCOMPARE(form_->windowTitle(), "Ada \u2014 " + kCaption + "[*]");
    QVERIFY(!form_->isWindowModified());

    auto* minute = Child<QComboBox>(*form_, "cboMM");
    minute->setCurrentIndex(46);
    QVERIFY(form_->isWindowModified());
    minute->setCurrentIndex(45);
    QVERIFY(!form_->isWindowModified());
    minute->setCurrentIndex(50);
    QVERIFY(form_->isWindowModified());

    messages.answers = {false};
    Trigger(*form_, "mnuSaveBirth");
    QCOMPARE(messages.asked, QStringList{"Replace the saved birth \u201CAda\u201D (1915-12-10) with the form's entries?"});
    QCOMPARE(births::Library(libraryPath_, births::Access::Read).Find(id)->birth.minute, 45);
    QVERIFY(form_->isWindowModified());
    Trigger(*form_, "mnuSaveBirth");
    QCOMPARE(births::Library(libraryPath_, births::Access::Read).Find(id)->birth.minute, 50);
    QVERIFY(!form_->isWindowModified());

    // Save As adds a second birth; New, then Save of the same name asks to replace.
    Trigger(*form_, "mnuSaveBirthAs");
    QCOMPARE(births::Library(libraryPath_, births::Access::Read).Count(), 2);
    QVERIFY(form_->Saved()->id != id);
    Trigger(*form_, "mnuNewBirth");
    QCOMPARE(form_->windowTitle(), kCaption);
    QVERIFY(!form_->Saved());
    FillForm(*form_, {"Ada", "0", "7", "51", "30", 1, 1, "1950", "0", "0", 29, false, false, false});
    messages.asked.clear();
    messages.answers = {false};
    Trigger(*form_, "mnuSaveBirth");
    QCOMPARE(messages.asked.size(), 1);
    QVERIFY(messages.asked[0].startsWith("Replace the saved birth \u201CAda\u201D"));
    QCOMPARE(births::Library(libraryPath_, births::Access::Read).Count(), 2);
    QVERIFY(!form_->Saved());
  }

  // Leaving a saved birth whose entries changed asks first; No keeps the
  // entries and the birth shown.
  void changedBirthAsksBeforeLeaving_data() {
    QTest::addColumn<QString>("leaving");
    QTest::addColumn<bool>("answer");
    QTest::newRow("new, no") << "mnuNewBirth" << false;
    QTest::newRow("new, yes") << "mnuNewBirth" << true;
    QTest::newRow("open, no") << "mnuOpenBirth" << false;
    QTest::newRow("close, no") << "close" << false;
  }
  void changedBirthAsksBeforeLeaving() {
    QFETCH(QString, leaving);
    QFETCH(bool, answer);
    births::SavedBirth a = Saved("Ada", ZoneRow{29});
    births::Library(libraryPath_, births::Access::Write).Add(a);
    QVERIFY(form_->OpenSaved(a.id));
    Child<QLineEdit>(*form_, "txtLatD")->setText("28");
    RecordingMessages messages;
    ScopedMessageSeam messageGuard(&messages);
    ScriptedWindows windows;
    ScopedWindowSeam windowGuard(&windows);
    messages.answers = {answer};
    if (leaving == "close") {
      QVERIFY(!form_->close());
    } else {
      Trigger(*form_, leaving.toLatin1().constData());
    }
    QCOMPARE(messages.asked,
             QStringList{"The birth \u201CAda\u201D has changed since it was saved. Discard the changes?"});
    QCOMPARE(windows.shown, 0);
    QCOMPARE(form_->Saved().has_value(), !answer);
    QCOMPARE(Child<QLineEdit>(*form_, "txtLatD")->text(), answer ? QString() : "28");
    QVERIFY(form_->isVisible());
  }

  // A saved birth the form's lists cannot hold (the years 1901 to 2050) is
  // not half shown: a message says why, and the form is left as it was.
  void birthOutsideTheFormIsNotOpened() {
    births::SavedBirth old = Saved("Old", ZoneRow{29}, 1850);
    births::Library(libraryPath_, births::Access::Write).Add(old);
    Child<QLineEdit>(*form_, "txtName")->setText("Typed");
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    QVERIFY(!form_->OpenSaved(old.id));
    QCOMPARE(Describe(messages.shown),
             QStringList{"information: The birth \u201COld\u201D (1850-09-27) cannot be shown in this form: it takes "
                         "the years 1901 to 2050."});
    QVERIFY(!form_->Saved());
    QCOMPARE(Child<QLineEdit>(*form_, "txtName")->text(), "Typed");
  }

  // Entries the form refuses are not saved: the form's own message, nothing written.
  void refusedEntriesAreNotSaved() {
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    Trigger(*form_, "mnuSaveBirth");
    Trigger(*form_, "mnuSaveBirthAs");
    QCOMPARE(messages.shown.size(), 2);
    QVERIFY(!QFile::exists(QString::fromStdString(libraryPath_)));
  }

  // Delete asks, naming the birth; No keeps it. Deleting the birth the form
  // shows leaves its entries as a birth not saved. Duplicate adds a copy.
  void deleteAndDuplicate() {
    births::SavedBirth a = Saved("Ada", ZoneRow{29});
    births::SavedBirth b = Saved("Bea", ZoneRow{29});
    {
      births::Library library(libraryPath_, births::Access::Write);
      library.Add(a);
      library.Add(b);
    }
    QVERIFY(form_->OpenSaved(a.id));
    RecordingMessages messages;
    ScopedMessageSeam messageGuard(&messages);
    ScriptedWindows windows;
    ScopedWindowSeam windowGuard(&windows);

    messages.answers = {false, true};
    windows.step = [](QDialog& dialog) {
      Press("Ada", "cmdDelete")(dialog);
      Child<QPushButton>(dialog, "cmdDelete")->click();
      dialog.reject();
    };
    Trigger(*form_, "mnuOpenBirth");
    QCOMPARE(messages.asked, (QStringList{"Delete the birth \u201CAda\u201D (1970-09-27) from the library?",
                                          "Delete the birth \u201CAda\u201D (1970-09-27) from the library?"}));
    births::Library library(libraryPath_, births::Access::Read);
    QVERIFY(!library.Find(a.id));
    QVERIFY(library.Find(b.id));
    QVERIFY(!form_->Saved());
    QCOMPARE(form_->windowTitle(), kCaption);
    QCOMPARE(Child<QLineEdit>(*form_, "txtName")->text(), "Ada");

    windows.step = Press("Bea", "cmdDuplicate");
    Trigger(*form_, "mnuOpenBirth");
    const std::vector<births::BirthSummary> left = library.Summaries();
    QCOMPARE(left.size(), std::size_t{2});
    QCOMPARE(left[1].name, std::string("Bea (copy)"));
  }

  // The list read ahead while the form is open is not shown once the
  // library has changed since (here by the other program): it is read again.
  void listSeesChangesMadeElsewhere() {
    births::SavedBirth a = Saved("Ada", ZoneRow{29});
    births::Library(libraryPath_, births::Access::Write).Add(a);
    form_->hide();
    form_->show();  // the library exists now: it is read ahead again
    QTest::qWait(1000);
    births::SavedBirth b = Saved("Bea", ZoneRow{29});
    births::Library(libraryPath_, births::Access::Write).Add(b);
    ScriptedWindows windows;
    QStringList listed;
    windows.step = [&listed](QDialog& dialog) {
      const QAbstractItemModel* model = Child<QAbstractItemView>(dialog, "lstBirths")->model();
      for (int row = 0; row < model->rowCount(); ++row) listed << model->index(row, 0).data().toString();
    };
    ScopedWindowSeam guard(&windows);
    Trigger(*form_, "mnuOpenBirth");
    QCOMPARE(listed, (QStringList{"Ada", "Bea"}));
  }

  // "Edit…" in the list changes the details the form has no box for; a
  // cancel or a nameless birth changes nothing. The form then shows the birth
  // as edited, and saving it from the form keeps the edited details.
  void editDetails() {
    births::SavedBirth a = Saved("Ada", ZoneRow{29});
    births::Library(libraryPath_, births::Access::Write).Add(a);
    QVERIFY(form_->OpenSaved(a.id));
    RecordingMessages messages;
    ScopedMessageSeam messageGuard(&messages);
    ScriptedWindows windows;
    ScopedWindowSeam windowGuard(&windows);
    const auto edit = [](QString name, bool accept) {
      return [name, accept](QDialog& details) {
        Child<QLineEdit>(details, "txtDetailsName")->setText(name);
        Child<QLineEdit>(details, "txtTags")->setText(" clients;  famous ;");
        Child<QComboBox>(details, "cboKind")->setCurrentIndex(3);
        Child<QPlainTextEdit>(details, "txtNote")->setPlainText("line 1\nline 2");
        if (accept) details.accept();
        if (details.result() != QDialog::Accepted) details.reject();
      };
    };
    const auto inList = [](QDialog& list) {
      Press("Ada", "cmdEdit")(list);
      list.reject();
    };
    // Cancelled, then refused for want of a name: nothing changes.
    windows.steps = {inList, edit("Ada B", false), inList, edit("  ", true)};
    Trigger(*form_, "mnuOpenBirth");
    Trigger(*form_, "mnuOpenBirth");
    QCOMPARE(Describe(messages.shown), QStringList{"information: A saved birth needs a name."});
    QVERIFY(births::Library(libraryPath_, births::Access::Read).Find(a.id)->SameBirth(a));

    windows.steps = {inList, edit("Ada B", true)};
    Trigger(*form_, "mnuOpenBirth");
    births::SavedBirth edited = *births::Library(libraryPath_, births::Access::Read).Find(a.id);
    QCOMPARE(edited.birth.name, std::string("Ada B"));
    QCOMPARE(edited.tags, (std::vector<std::string>{"clients", "famous"}));
    QCOMPARE(edited.kind, births::Kind::Event);
    QCOMPARE(edited.note, std::string("line 1\nline 2"));
    QVERIFY(form_->windowTitle().startsWith("Ada B \u2014"));
    QVERIFY(form_->isWindowModified());  // the form's name box still says "Ada"

    messages.answers = {true};
    Trigger(*form_, "mnuSaveBirth");
    edited = *births::Library(libraryPath_, births::Access::Read).Find(a.id);
    QCOMPARE(edited.birth.name, std::string("Ada"));
    QCOMPARE(edited.tags, (std::vector<std::string>{"clients", "famous"}));
    QCOMPARE(edited.note, std::string("line 1\nline 2"));
  }

  // The last ten births opened or saved, the latest first; a deleted one goes.
  void recentBirths() {
    std::vector<births::SavedBirth> saved;
    {
      births::Library library(libraryPath_, births::Access::Write);
      for (int i = 0; i < 12; ++i) {
        saved.push_back(Saved("B" + std::to_string(i), ZoneRow{29}));
        library.Add(saved.back());
      }
    }
    for (const births::SavedBirth& s : saved) QVERIFY(form_->OpenSaved(s.id));
    births::Library(libraryPath_, births::Access::Write).Remove(saved[10].id);
    auto* file = Child<QMenu>(*form_, "mnuFile");
    QMetaObject::invokeMethod(file, "aboutToShow");
    auto* recent = Child<QMenu>(*form_, "mnuRecentBirths");
    QStringList texts;
    for (QAction* action : recent->actions()) texts << action->text();
    QCOMPARE(texts, (QStringList{"&1 B11 (1970-09-27)", "&2 B9 (1970-09-27)", "&3 B8 (1970-09-27)",
                                 "&4 B7 (1970-09-27)", "&5 B6 (1970-09-27)", "&6 B5 (1970-09-27)",
                                 "&7 B4 (1970-09-27)", "&8 B3 (1970-09-27)", "&9 B2 (1970-09-27)"}));
    recent->actions()[3]->trigger();
    QCOMPARE(form_->Saved()->id, saved[7].id);
  }

  // At start the last birth shown comes back; a deleted one leaves the form
  // empty. Neither writes to the library.
  void lastBirthAtStart() {
    births::SavedBirth a = Saved("Ada", ZoneOffset{345, "Asia/Kathmandu"});
    births::Library(libraryPath_, births::Access::Write).Add(a);
    QVERIFY(form_->OpenSaved(a.id));
    // The size the window had when it last closed.
    FrmMain sized;
    sized.resize(sized.size() + QSize(40, 30));
    ProgramSettings().setValue("frmMain/geometry", sized.saveGeometry());
    const QByteArray before = Bytes();
    for (const bool deleted : {false, true}) {
      if (deleted) births::Library(libraryPath_, births::Access::Write).Remove(a.id);
      const QByteArray library = Bytes();
      FrmMain next;
      next.SetLibraryPath(libraryPath_);
      next.RestoreSession();
      QCOMPARE(next.Saved().has_value(), !deleted);
      QCOMPARE(next.size(), sized.size());
      if (!deleted) QVERIFY(*next.FormBirth() == a.birth);
      QCOMPARE(Bytes(), library);
    }
    QVERIFY(!before.isEmpty());

    // After "New Birth" the next start shows the empty form too.
    births::SavedBirth b = Saved("Bea", ZoneRow{29});
    births::Library(libraryPath_, births::Access::Write).Add(b);
    QVERIFY(form_->OpenSaved(b.id));
    Trigger(*form_, "mnuNewBirth");
    FrmMain next;
    next.SetLibraryPath(libraryPath_);
    next.RestoreSession();
    QVERIFY(!next.Saved());
  }

  // A library that cannot be used is named in the message, and stays as it was.
  void libraryRefusals_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("action");
    const QByteArray csv("name,date\nAda,1815-12-10\n");
    for (const char* action : {"mnuSaveBirth", "mnuSaveBirthAs", "mnuOpenBirth", "mnuImportBirths", "mnuExportBirths"}) {
      QTest::addRow("not SQLite, %s", action) << csv << false << "is not an SQLite file" << action;
    }
    QTest::newRow("a folder, save") << QByteArray() << true << "is not a regular file" << "mnuSaveBirth";
  }
  void libraryRefusals() {
    QFETCH(QByteArray, content);
    QFETCH(bool, folder);
    QFETCH(QString, message);
    QFETCH(QString, action);
    const QString path = QString::fromStdString(libraryPath_);
    if (folder) {
      QVERIFY(QDir().mkpath(path));
    } else {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(content);
    }
    const QByteArray before = Bytes();
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    ScriptedWindows windows;
    ScopedWindowSeam windowGuard(&windows);
    FakeFileDialogs files;
    ScopedFileDialogSeam fileGuard(&files);
    files.path = dir_->filePath(action == "mnuImportBirths" ? "in.csv" : "out.csv");
    QFile importFile(dir_->filePath("in.csv"));
    QVERIFY(importFile.open(QIODevice::WriteOnly));
    importFile.write(births::ExportText({Saved("Bea", ZoneRow{29})}, births::FileFormat::Csv).c_str());
    importFile.close();
    FillForm(*form_, {"Ada", "0", "7", "51", "30", 12, 10, "1915", "3", "45", 29, true, false, false});
    Trigger(*form_, action.toLatin1().constData());
    QCOMPARE(windows.shown, 0);
    QVERIFY(!QFile::exists(dir_->filePath("out.csv")));
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].icon, QMessageBox::Critical);
    QVERIFY2(messages.shown[0].text.contains(message), qPrintable(messages.shown[0].text));
    QVERIFY(messages.shown[0].text.contains(path));
    QCOMPARE(Bytes(), before);
    QVERIFY(!form_->Saved());
  }

  // An import is whole or nothing; with the bad records skipped the others
  // come in and the skip is reported. The export gives them back.
  void importAndExport() {
    std::vector<births::SavedBirth> people = {Saved("Ada", ZoneRow{29}),
                                              Saved("Bea, \"B\"", ZoneOffset{345, "Asia/Kathmandu"})};
    const QString source = dir_->filePath("in.csv");
    std::string text = births::ExportText(people, births::FileFormat::Csv);
    text += "not,a,birth\n";
    {
      QFile file(source);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(text.data(), static_cast<qint64>(text.size()));
    }
    RecordingMessages messages;
    ScopedMessageSeam messageGuard(&messages);
    FakeFileDialogs files;
    ScopedFileDialogSeam fileGuard(&files);
    files.path = source;

    messages.answers = {false};
    Trigger(*form_, "mnuImportBirths");
    QCOMPARE(messages.asked.size(), 1);
    QVERIFY2(messages.asked[0].contains("line 4"), qPrintable(messages.asked[0]));
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(births::Library(libraryPath_, births::Access::Read).Count(), 0);

    messages.answers = {true};
    Trigger(*form_, "mnuImportBirths");
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(messages.shown[0].text.startsWith("2 births imported from in.csv. 1 bad record skipped."),
             qPrintable(messages.shown[0].text));

    files.path = dir_->filePath("out.jsonl");
    Trigger(*form_, "mnuExportBirths");
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(messages.shown[1].text, "2 births exported to out.jsonl.");
    std::string error;
    const std::optional<std::string> exported = births::ReadWholeFile(files.path.toStdString(), error);
    QVERIFY(exported);
    const births::ParsedBirths back = births::ParseBirths(*exported, births::FileFormat::Jsonl);
    QCOMPARE(back.births.size(), std::size_t{2});
    for (std::size_t i = 0; i < 2; ++i) QVERIFY(back.births[i].birth == people[i].birth);

    files.path = dir_->filePath("out.txt");
    Trigger(*form_, "mnuExportBirths");
    QCOMPARE(messages.shown.size(), 3);
    QVERIFY(messages.shown[2].text.contains("none of them"));
    QVERIFY(!QFile::exists(files.path));
  }

  // The list filters on name, place and tags in any case, narrowing and
  // widening again, and sorts by each column both ways.
  void listFiltersAndSorts_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("all by name") << "" << 0 << int(Qt::AscendingOrder) << QStringList{"ada", "Bea", "\u00C9mile", "Zoe"};
    QTest::newRow("by name, down") << "" << 0 << int(Qt::DescendingOrder) << QStringList{"Zoe", "\u00C9mile", "Bea", "ada"};
    QTest::newRow("by date") << "" << 1 << int(Qt::AscendingOrder) << QStringList{"Zoe", "Bea", "ada", "\u00C9mile"};
    QTest::newRow("by place") << "" << 2 << int(Qt::AscendingOrder) << QStringList{"\u00C9mile", "ada", "Bea", "Zoe"};
    QTest::newRow("a tag, any case") << "FAM" << 0 << int(Qt::AscendingOrder) << QStringList{"ada", "Zoe"};
    QTest::newRow("a place") << "paris" << 0 << int(Qt::AscendingOrder) << QStringList{"Bea"};
    QTest::newRow("accent, any case") << "\u00E9MI" << 0 << int(Qt::AscendingOrder) << QStringList{"\u00C9mile"};
    QTest::newRow("without the accent") << "emil" << 0 << int(Qt::AscendingOrder) << QStringList{"\u00C9mile"};
    QTest::newRow("the tags' separator") << "famous;fam" << 0 << int(Qt::AscendingOrder) << QStringList{"ada"};
    QTest::newRow("none") << "qq" << 0 << int(Qt::AscendingOrder) << QStringList{};
  }
  void listFiltersAndSorts() {
    QFETCH(QString, filter);
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QStringList, names);
    const auto summary = [](std::int64_t id, const char* name, int year, const char* place, const char* tags) {
      births::BirthSummary s;
      s.id = id;
      s.name = name;
      s.year = year;
      s.place = place;
      s.tags = tags;
      return s;
    };
    BirthListModel model;
    model.SetBirths({summary(1, "Zoe", 1901, "Zurich", "family"), summary(2, "ada", 1950, "London", "famous;family"),
                     summary(3, "Bea", 1920, "Paris, France", ""), summary(4, "\u00C9mile", 2001, "Albi", "x")});
    model.sort(column, Qt::SortOrder(order));
    // Typed one letter at a time, through a wider text first.
    for (int n = 1; n <= filter.size(); ++n) model.SetFilter(filter.left(n));
    model.SetFilter(filter + "zz");
    model.SetFilter(filter);
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row) shown << model.index(row, 0).data().toString();
    QCOMPARE(shown, names);
  }

 private:
  QByteArray Bytes() const {
    QFile file(QString::fromStdString(libraryPath_));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  std::unique_ptr<QTemporaryDir> dir_;
  std::string libraryPath_;
  std::unique_ptr<FrmMain> form_;
};

QTEST_MAIN(BirthsWindowTest)
#include "births_window_test.moc"
