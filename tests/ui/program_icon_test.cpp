// The program's icon, compiled in as bare pixels: every size a window's icon
// is drawn at is there, and each gives the very pixmap the rendered PNG of
// that size gives (a wrong row length, byte order or premultiplication shows
// here).
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtTest>
#include <algorithm>

#include "data/program_icon.h"

constexpr int kWindowSides[] = {16, 24, 32, 48, 64};

class ProgramIconTest : public QObject {
  Q_OBJECT

 private slots:
  void everySizeMatchesItsRenderedPng_data() {
    QTest::addColumn<int>("side");
    for (int side : kWindowSides) QTest::newRow(qPrintable(QString::number(side))) << side;
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

  // Each size is copied into every window's X property when the window is
  // made: no size past what title bars and task lists draw.
  void holdsTheWindowSizesOnly() {
    QList<QSize> expected;
    for (int side : kWindowSides) expected << QSize(side, side);
    QList<QSize> sizes = orbisca::ProgramIcon().availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(sizes, expected);
  }
};

QTEST_MAIN(ProgramIconTest)
#include "program_icon_test.moc"
