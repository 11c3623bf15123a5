// One copy per user: the real program holds the lock, a second start in this
// process is refused with the message and no window; after the first copy is
// killed its stale lock does not block the next start.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <unistd.h>

#include "app/single_instance.h"
#include "app/start_up.h"
#include "ui/frm_main.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui::testing;

namespace {

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
