// What the saves (the report's, the picture's, the chart sheet's) share in
// their tests: a save dialog that answers, the files a folder holds, and the
// failures of a save that root cannot bypass, set up in a temporary folder.
#pragma once

#include <sys/resource.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "ui/seams.h"
#include "ui_test_support.h"

namespace orbisca::ui::testing {

// Answers the save dialog with the `answers` in turn, then with `answer`
// ("" is a cancelled dialog).
class FakeFileDialogs : public FileDialogSeam {
 public:
  QString SaveFileName(QWidget*, const QString& caption, const QString& filter, const QString& suffix,
                       const QString& selectedPath) override {
    calls.append({caption, filter, suffix});
    opened.append(selectedPath);
    return answers.isEmpty() ? answer : answers.takeFirst();
  }
  QString answer;
  QStringList answers;
  QList<QStringList> calls;
  QStringList opened;  // the path each dialog opened on
};

// Every name in the folder, hidden ones included: a save leaves no stray file.
inline QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// The rows of a failed-save test: a "failure" column.
inline void AddSaveFailureRows() {
  QTest::addColumn<QString>("failure");
  QTest::newRow("missing parent folder") << "missing folder";
  QTest::newRow("folder at the target") << "folder";
  QTest::newRow("disk full (file-size limit)") << "size limit";
}

// The path a save to `name` in `folder` fails at, for the row's failure; for
// "size limit" an earlier file holding `earlier` is there already. Empty when
// the folder could not be prepared.
inline QString FailingSaveTarget(const QString& folder, const QString& failure, const QString& name,
                                 const QByteArray& earlier) {
  const QDir dir(folder);
  if (failure == "missing folder") return dir.filePath(QStringLiteral("gone/") + name);
  if (failure == "folder") return dir.mkdir(name) ? dir.filePath(name) : QString();
  QFile file(dir.filePath(name));
  if (failure == "size limit" && (!file.open(QIODevice::WriteOnly) || file.write(earlier) != earlier.size())) return {};
  return file.fileName();
}

// Runs `save` under the row's failure: for "size limit", files may grow to 64
// bytes only, with SIGXFSZ ignored as the programs ignore it. The limit and
// the signal's handler are restored after.
template <typename Save>
bool SaveUnderLimit(const QString& failure, Save save) {
  rlimit saved{};
  if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return false;
  auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  const bool limited = failure != "size limit" || setrlimit(RLIMIT_FSIZE, &small) == 0;
  if (limited) save();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  return limited;
}

// A save that fails by the row's `failure`: `save` opens the save dialog,
// which is answered with a path `name` in a new folder that fails. One error
// message "<what> could not be saved to <path>." with the reason under it; no
// partial file stays, an earlier file stays whole.
template <typename Save>
void CheckFailedSave(const QString& failure, const QString& what, const QString& name, Save save) {
  QTemporaryDir dir;
  const QByteArray earlier = "earlier " + name.toUtf8();
  const QString target = FailingSaveTarget(dir.path(), failure, name, earlier);
  QVERIFY(!target.isEmpty());
  const QStringList before = Entries(dir.path());
  FakeFileDialogs files;
  files.answer = target;
  RecordingMessages messages;
  ScopedFileDialogSeam fileGuard(&files);
  ScopedMessageSeam messageGuard(&messages);

  QVERIFY(SaveUnderLimit(failure, save));

  QCOMPARE(messages.shown.size(), 1);
  QCOMPARE(messages.shown[0].icon, QMessageBox::Critical);
  const QString text = messages.shown[0].text;
  QVERIFY2(text.startsWith(what + " could not be saved to " + QDir::toNativeSeparators(target) + ".\n"),
           qPrintable(text));
  QVERIFY2(text.section(QLatin1Char('\n'), 1).trimmed().size() > 0, qPrintable(text));  // the reason
  QCOMPARE(Entries(dir.path()), before);
  if (failure == "size limit") {
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), earlier);
  }
}

}  // namespace orbisca::ui::testing
