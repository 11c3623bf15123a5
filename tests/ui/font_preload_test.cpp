// fontconfig's configuration loaded on a thread while the QApplication is
// made, and Qt's font database populated on another while the main thread
// connects the accessibility bridge: Qt's font database uses that
// configuration rather than loading its own, and the program's fonts come out
// as in a process that loads nothing ahead (the same executable, started again
// without either).

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QProcess>
#include <QtTest>
#include <fontconfig/fontconfig.h>

#include "app/font_preload.h"
#include "ui/fonts.h"

namespace {

constexpr char kWithoutPreload[] = "--without-preload";
FcConfig* preloaded = nullptr;  // current once the preload was waited for

// What the program's windows take from fontconfig, one line each.
QString FontFacts() {
  QStringList facts;
  facts << QStringLiteral("families %1").arg(QFontDatabase::families().join(u','));
  for (const qreal points : {9.0, 10.0, 12.0}) {
    for (const bool bold : {false, true}) {
      const QFontInfo info(orbisca::ui::UiFont(points, bold));
      facts << QStringLiteral("%1 %2: %3 %4 %5px")
                   .arg(points)
                   .arg(bold)
                   .arg(info.family(), info.styleName())
                   .arg(info.pixelSize());
    }
  }
  return facts.join(u'\n');
}

}  // namespace

class FontPreloadTest : public QObject {
  Q_OBJECT

 private slots:
  void qtUsesThePreloadedConfiguration() {
    QVERIFY(preloaded != nullptr);
    QVERIFY(!QFontDatabase::families().isEmpty());  // the database is populated now
    QCOMPARE(static_cast<void*>(FcConfigGetCurrent()), static_cast<void*>(preloaded));
  }

  void fontsAsWithoutPreload() {
    QProcess plain;
    plain.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kWithoutPreload)});
    QVERIFY(plain.waitForFinished(60000));
    QCOMPARE(plain.exitCode(), 0);
    const QString withoutPreload = QString::fromUtf8(plain.readAllStandardOutput());
    QVERIFY(withoutPreload.startsWith(QStringLiteral("families ")));
    QCOMPARE(FontFacts(), withoutPreload);
  }
};

int main(int argc, char* argv[]) {
  if (argc == 2 && qstrcmp(argv[1], kWithoutPreload) == 0) {
    QApplication app(argc, argv);
    std::fputs(FontFacts().toUtf8().constData(), stdout);
    return 0;
  }
  orbisca::FontConfigPreload preload;
  QApplication app(argc, argv);
  preload.Wait();
  preloaded = FcConfigGetCurrent();
  orbisca::ConnectAccessibilityWhileFontsLoad();
  FontPreloadTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "font_preload_test.moc"
