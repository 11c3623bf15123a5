// One copy per user: the real program holds the lock, a second start in this
// process is refused with the message and no window; after the first copy is
// killed its stale lock does not block the next start. The lock lives only in
// a folder no other user can write; where none can be had, the program starts
// and says so.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include "app/single_instance.h"
#include "app/start_up.h"
#include "ui/frm_main.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui::testing;

namespace {

// A folder at `name` under `scratch` that belongs to another user: made and
// given away when the tests run as root, otherwise the root folder.
QString ForeignFolder(const QTemporaryDir& scratch, const QString& name) {
  if (geteuid() != 0) return QStringLiteral("/");
  const QString path = scratch.filePath(name);
  QDir().mkpath(path);
  const QByteArray native = QFile::encodeName(path);
  if (chown(native.constData(), 65534, 65534) != 0 || chmod(native.constData(), 0700) != 0) return {};
  return path;
}

QList<QWidget*> VisibleWindows() {
  QList<QWidget*> shown;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) shown << w;
  }
  return shown;
}

}  // namespace

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // A private runtime directory (0700, as the desktop makes it), so the lock
    // never meets the one of a real session.
    QVERIFY(runtime_.isValid());
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    program_ = qEnvironmentVariable("ORBISCA_TEST_BINARY_DIR") + QStringLiteral("/app/orbisca");
    QVERIFY2(QFile::exists(program_), qPrintable(program_));
  }

  // Each row sets its own folders; the next starts from the private runtime
  // folder again.
  void cleanup() {
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    qunsetenv("XDG_CACHE_HOME");
  }

  void cleanupTestCase() {
    if (first_.state() != QProcess::NotRunning) {
      first_.kill();
      first_.waitForFinished();
    }
  }

  void lockIsPerUserInTheRuntimeDirectory() {
    const QString path = SingleInstance::DefaultLockPath();
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(runtime_.path()).absoluteFilePath());
    const QString user = QString::fromLocal8Bit(qgetenv("USER"));
    if (!user.isEmpty()) QVERIFY2(QFileInfo(path).fileName().contains(user), qPrintable(path));
  }

  void secondCopyIsRefused() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    first_.setProcessEnvironment(env);
    first_.start(program_, {});
    QVERIFY(first_.waitForStarted());
    // The first copy has its lock once the file names its process.
    const QString lockPath = SingleInstance::DefaultLockPath();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockPath) && QFileInfo(lockPath).size() > 0, 30000);

    RecordingMessages seam;
    ui::ScopedMessageSeam guard(&seam);
    SingleInstance second;
    QCOMPARE(RunProgram(second), 0);
    QCOMPARE(Describe(seam.shown), QStringList{"information: Application is already running"});
    QVERIFY(VisibleWindows().isEmpty());
    QCOMPARE(first_.state(), QProcess::Running);  // the running copy is untouched
  }

  void staleLockAfterCrashDoesNotBlock() {
    QCOMPARE(first_.state(), QProcess::Running);
    first_.kill();  // SIGKILL: the copy gets no chance to remove its lock
    QVERIFY(first_.waitForFinished());
    QVERIFY(QFile::exists(SingleInstance::DefaultLockPath()));

    RecordingMessages seam;
    ui::ScopedMessageSeam guard(&seam);
    SingleInstance next;
    bool lockHeldWhileRunning = false;
    bool formShown = false;
    QTimer::singleShot(0, [&] {
      SingleInstance probe;
      lockHeldWhileRunning = probe.AnotherCopyRunning();
      for (QWidget* w : VisibleWindows()) {
        if (w->objectName() == QStringLiteral("frmMain")) {
          formShown = true;
          w->close();  // ends the program
        }
      }
    });
    QCOMPARE(RunProgram(next), 0);
    QVERIFY(seam.shown.isEmpty());
    QVERIFY(formShown);
    QVERIFY(lockHeldWhileRunning);
  }

  // Where the lock goes for each state of the runtime and cache folders.
  void lockFolder_data() {
    QTest::addColumn<QString>("runtime");   // private, unset, other user, open, link
    QTest::addColumn<QString>("cache");     // missing, open, other user, unusable
    QTest::addColumn<QString>("expected");  // runtime, cache, none
    QTest::newRow("own 0700 runtime folder") << "private" << "missing" << "runtime";
    QTest::newRow("runtime folder unset") << "unset" << "missing" << "cache";
    QTest::newRow("runtime folder of another user") << "other user" << "missing" << "cache";
    QTest::newRow("runtime folder open to others (0755)") << "open" << "missing" << "cache";
    QTest::newRow("runtime folder a link to a private one") << "link" << "missing" << "cache";
    QTest::newRow("cache folder left open is closed") << "unset" << "open" << "cache";
    QTest::newRow("cache folder made by another user") << "unset" << "other user" << "none";
    QTest::newRow("nothing usable") << "open" << "unusable" << "none";
  }
  void lockFolder() {
    QFETCH(QString, runtime);
    QFETCH(QString, cache);
    QFETCH(QString, expected);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString privateDir = scratch.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(privateDir));
    QCOMPARE(chmod(QFile::encodeName(privateDir).constData(), runtime == "open" ? 0755 : 0700), 0);
    QString runtimeDir = privateDir;
    if (runtime == "other user") runtimeDir = ForeignFolder(scratch, QStringLiteral("foreign-runtime"));
    if (runtime == "link") {
      runtimeDir = scratch.filePath(QStringLiteral("link"));
      QVERIFY(QFile::link(privateDir, runtimeDir));
    }
    if (runtime == "unset") {
      qunsetenv("XDG_RUNTIME_DIR");
    } else {
      qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir));
    }
    QString cacheDir = scratch.filePath(QStringLiteral("cache"));
    if (cache == "open") {
      QVERIFY(QDir().mkpath(cacheDir + QStringLiteral("/orbisca")));
      QCOMPARE(chmod(QFile::encodeName(cacheDir + QStringLiteral("/orbisca")).constData(), 0777), 0);
    }
    if (cache == "other user") {
      if (geteuid() != 0) QSKIP("giving a folder to another user needs root");
      QVERIFY(QDir().mkpath(cacheDir));
      QCOMPARE(ForeignFolder(scratch, QStringLiteral("cache/orbisca")), cacheDir + QStringLiteral("/orbisca"));
    }
    if (cache == "unusable") cacheDir = QStringLiteral("/dev/null/cache");  // under a file: no folder can be made
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheDir));

    const QString path = SingleInstance::DefaultLockPath();
    if (expected == "none") {
      QVERIFY2(path.isEmpty(), qPrintable(path));
      SingleInstance instance(path);
      QVERIFY(!instance.AnotherCopyRunning());  // the program starts without a lock
      return;
    }
    const QString folder = expected == "runtime" ? privateDir : cacheDir + QStringLiteral("/orbisca");
    QCOMPARE(QFileInfo(path).absolutePath(), folder);
    struct stat info {};
    QCOMPARE(lstat(QFile::encodeName(folder).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0700));
    QCOMPARE(info.st_uid, geteuid());
    SingleInstance holder(path);
    QVERIFY(!holder.AnotherCopyRunning());
    QVERIFY(QFileInfo(path).size() > 0);
    SingleInstance rival(path);
    QVERIFY(rival.AnotherCopyRunning());
  }

  // No folder for the lock at all: the program still opens its window and
  // says on standard error that it runs without the lock.
  void startsWithoutALockAndSaysSo() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), QStringLiteral("/dev/null/cache"));
    QProcess copy;
    copy.setProcessEnvironment(env);
    copy.start(program_, {});
    QVERIFY(copy.waitForStarted());
    QByteArray errors;
    QTRY_VERIFY_WITH_TIMEOUT((errors += copy.readAllStandardError()).contains("without the single-instance lock"),
                             30000);
    // Started, not refused: a refused copy ends at once.
    QVERIFY(!copy.waitForFinished(300));
    QCOMPARE(copy.state(), QProcess::Running);
    copy.kill();
    copy.waitForFinished();

    SingleInstance unwritable(QStringLiteral("/dev/null/orbisca.lock"));
    QVERIFY(!unwritable.AnotherCopyRunning());
  }

  void lockIsFreedWhenTheCopyEnds() {
    const QString path = runtime_.filePath(QStringLiteral("other.lock"));
    auto holder = std::make_unique<SingleInstance>(path);
    QVERIFY(!holder->AnotherCopyRunning());
    QVERIFY(!holder->AnotherCopyRunning());  // asking again keeps the lock
    SingleInstance rival(path);
    QVERIFY(rival.AnotherCopyRunning());
    holder.reset();
    QVERIFY(!rival.AnotherCopyRunning());
  }

 private:
  QTemporaryDir runtime_;
  QString program_;
  QProcess first_;
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
