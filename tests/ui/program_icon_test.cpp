// The program's icon, compiled in as bare pixels: every installed size is
// there, and each gives the very pixmap the rendered PNG of that size gives
// (a wrong row length, byte order or premultiplication shows here).
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtTest>

#include "data/program_icon.h"

class ProgramIconTest : public QObject {
  Q_OBJECT

 private slots:
  void everySizeMatchesItsRenderedPng_data() {
    QTest::addColumn<int>("side");
    for (int side : {16, 24, 32, 48, 64, 128, 256}) QTest::newRow(qPrintable(QString::number(side))) << side;
  }

  void everySizeMatchesItsRenderedPng() {
    QFETCH(int, side);
    const QIcon icon = orbisca::ProgramIcon();
    QVERIFY(icon.availableSizes().contains(QSize(side, side)));
    const QString rendered =
        qEnvironmentVariable("ORBISCA_TEST_BINARY_DIR") + QStringLiteral("/data/icons/%1.png").arg(side);
    const QImage png(rendered);
    QVERIFY2(!png.isNull(), qPrintable(rendered));
    const QImage shown = icon.pixmap(QSize(side, side)).toImage();
    QCOMPARE(shown.size(), QSize(side, side));
    QCOMPARE(shown, QPixmap::fromImage(png).toImage());
  }

  void holdsTheInstalledSizesOnly() { QCOMPARE(orbisca::ProgramIcon().availableSizes().size(), 7); }
};

QTEST_MAIN(ProgramIconTest)
#include "program_icon_test.moc"
