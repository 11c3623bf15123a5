// The "Chart" page on its own: the instant line, the positions table against
// the engine's chart, saving the picture, and the names a screen reader reads.


#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTableWidget>
#include <QtTest>

#include "aspects/aspects.h"
#include "report/chart_picture.h"
#include "ui/chart_tab.h"
#include "ui/picture_module.h"
#include "save_failures.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

// Answers with `answer`, then with the next of `later` on each reopening.
class FakeFileDialogs final : public FileDialogSeam {
 public:
  QString SaveFileName(QWidget*, const QString& caption, const QString& filter, const QString& suffix,
                       const QString& selected) override {
    calls.append({caption, filter, suffix, selected});
    return calls.size() == 1 || later.isEmpty() ? answer : later.takeFirst();
  }
  QString answer;
  QStringList later;
  QList<QStringList> calls;
};

// 1976-07-04 10:15 local, zone 5 hours west, daylight saving, 40°N 74°W.
ChartInput NewYork1976() {
  ChartInput in;
  in.PersonName = "Chart Test";
  in.BirthYear = 1976;
  in.BirthMonth = 7;
  in.BirthDay = 4;
  in.BirthHour = 10;
  in.BirthMinute = 15;
  in.ZoneHours = in.ZoneCorrHours = 5;
  in.LonDeg = 74;
  in.LatDeg = 40;
  in.IsDst = kTrue;
  return in;
}

void Show(ChartTab& tab, const ChartInput& in) {
  const ChartFacts facts = ComputeChartFacts(in);
  tab.ShowChart(in, facts, FindAspects(facts.planets));
  tab.BuildContents();
}

}  // namespace

class ChartTabTest : public QObject {
  Q_OBJECT

 private slots:
  // The chart picture is drawn by a module beside the build tree's program.
  void initTestCase() {
    SetPictureModuleFolder(qEnvironmentVariable("ORBISCA_TEST_BINARY_DIR") + QStringLiteral("/app"));
    // The save's remembered folder goes to settings of the test's own.
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
  }

  void showsTheInstantAndThePositions() {
    const ChartInput in = NewYork1976();
    const ChartFacts facts = ComputeChartFacts(in);
    ChartTab tab;
    tab.ShowChart(in, facts, FindAspects(facts.planets));
    QVERIFY(!tab.findChild<QTableWidget*>("tblPositions"));  // nothing built before the page is shown
    QVERIFY(tab.PictureSvg().startsWith("<?xml"));
    tab.show();
    QCOMPARE(tab.findChild<QLabel*>("lblInstant")->text(),
             QString::fromUtf8("Local time 1976-07-04 10:15 at UTC−4. "
                               "Universal time 1976-07-04 14:15, Julian day 2442964.09375, sidereal shift 23°31′58″"));
    auto* table = tab.findChild<QTableWidget*>("tblPositions");
    QCOMPARE(table->rowCount(), 11);
    for (int row = 0; row < 11; ++row) {
      const ZodiacPosition p = row < 10 ? facts.bodies[static_cast<std::size_t>(row)].where : facts.ascendantWhere;
      QCOMPARE(table->item(row, 1)->text(), QString::fromStdString(SignName(p.sign)));
      QCOMPARE(table->item(row, 2)->text(), QString::fromStdString(FormatInSign(p)));
      QCOMPARE(table->item(row, 3)->text(), QString::fromUtf8(NakshatraName(p.nakshatra).data()));
      QCOMPARE(table->item(row, 4)->text(), QString::number(p.pada));
    }
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Sun"));
    QCOMPARE(table->item(10, 0)->text(), QStringLiteral("Ascendant"));
    QVERIFY(tab.PictureSvg().startsWith("<?xml"));
  }

  // The name chooses the format; a name without either suffix gets ".svg".
  void savesSvgOrPng() {
    QTemporaryDir dir;
    FakeFileDialogs files;
    RecordingMessages messages;
    ScopedFileDialogSeam fileGuard(&files);
    ScopedMessageSeam messageGuard(&messages);
    ChartTab tab;
    Show(tab, NewYork1976());
    files.answer = dir.filePath(QStringLiteral("J.Smith"));
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    // Named after the person, in a folder that exists the first time.
    QCOMPARE(files.calls.value(0).mid(0, 3), (QStringList{"Orbisca", "SVG picture (*.svg);;PNG image (*.png)", "svg"}));
    QCOMPARE(QFileInfo(files.calls.value(0).value(3)).fileName(), QStringLiteral("chart-test.svg"));
    QVERIFY(QFileInfo(files.calls.value(0).value(3)).dir().exists());
    QFile svg(dir.filePath(QStringLiteral("J.Smith.svg")));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QCOMPARE(svg.readAll(), tab.PictureSvg());

    files.answer = dir.filePath(QStringLiteral("chart.PNG"));
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    QCOMPARE(files.calls.value(1).value(3), dir.filePath(QStringLiteral("chart-test.svg")));  // the last folder
    QImage png;
    QVERIFY(png.load(files.answer, "PNG"));
    QCOMPARE(png.size(), QSize(800, 800));
    // Drawn at twice the drawing's size: inside the empty Meena cell, and on
    // the line between Meena and Mesha at x = 100.
    QCOMPARE(png.pixelColor(100, 140), QColor(0xff, 0xfd, 0xf6));
    QCOMPARE(png.pixelColor(200, 140), QColor(0x4a, 0x4a, 0x4a));
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(Entries(dir.path()), (QStringList{"J.Smith.svg", "chart.PNG"}));

    // Declining to replace keeps the earlier file and reopens the dialog on
    // that name; cancelling it then writes nothing.
    messages.answer = false;
    files.calls.clear();
    files.answer = dir.filePath(QStringLiteral("J.Smith.svg"));
    files.later = {QString()};
    QVERIFY(QFile::resize(files.answer, 3));
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    QCOMPARE(messages.asked.size(), 1);
    QCOMPARE(files.calls.size(), 2);
    QCOMPARE(files.calls[1].value(3), files.answer);
    QCOMPARE(QFileInfo(files.answer).size(), 3);
    QCOMPARE(Entries(dir.path()), (QStringList{"J.Smith.svg", "chart.PNG"}));
  }

  // The image drawn through the picture module is, byte for byte, the PNG of
  // Qt SVG's own drawing of the picture on white.
  void pngIsQtSvgsDrawing() {
    ChartTab tab;
    Show(tab, NewYork1976());
    for (const int pixels : {100, 800}) {
      QSvgRenderer renderer(tab.PictureSvg());
      QImage image(pixels, pixels, QImage::Format_ARGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      renderer.render(&painter);
      painter.end();
      QByteArray expected;
      QBuffer buffer(&expected);
      buffer.open(QIODevice::WriteOnly);
      QVERIFY(image.save(&buffer, "PNG"));
      QCOMPARE(tab.PicturePng(pixels), expected);
    }
  }

  // As the report's save: the message names the file and the reason, no
  // partial file stays, an earlier file stays whole.
  void failedSaveIsReported_data() { AddSaveFailureRows(); }
  void failedSaveIsReported() {
    QFETCH(QString, failure);
    QTemporaryDir dir;
    const QString target = FailingSaveTarget(dir.path(), failure, QStringLiteral("chart.svg"), "earlier picture");
    QVERIFY(!target.isEmpty());
    const QStringList before = Entries(dir.path());
    FakeFileDialogs files;
    files.answer = target;
    RecordingMessages messages;
    ScopedFileDialogSeam fileGuard(&files);
    ScopedMessageSeam messageGuard(&messages);
    ChartTab tab;
    Show(tab, NewYork1976());

    QVERIFY(SaveUnderLimit(failure, [&tab] { Child<QPushButton>(tab, "cmdSavePicture")->click(); }));

    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].icon, QMessageBox::Critical);
    const QString text = messages.shown[0].text;
    QVERIFY2(text.startsWith("The picture could not be saved to " + QDir::toNativeSeparators(target) + ".\n"),
             qPrintable(text));
    QVERIFY2(text.section(QLatin1Char('\n'), 1).trimmed().size() > 0, qPrintable(text));  // the reason
    QCOMPARE(Entries(dir.path()), before);
    if (failure == "size limit") {
      QFile earlier(target);
      QVERIFY(earlier.open(QIODevice::ReadOnly));
      QCOMPARE(earlier.readAll(), QByteArray("earlier picture"));
    }
  }

  // As Qt SVG draws it in the window: a long hostile name and place change
  // pixels only inside the centre (the engine's test checks librsvg).
  void hostileCentreStaysInsideWithQtSvg() {
    const auto draw = [](const ChartPicture& p) {
      QSvgRenderer renderer(QByteArray::fromStdString(ChartPictureSvg(p)));
      QImage image(800, 800, QImage::Format_ARGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      renderer.render(&painter);
      return image;
    };
    ChartPicture hostile;
    hostile.name = "<script>&\"'" + std::string(49, 'W');
    hostile.localDateTime = "2050-12-31 23:59 DST";
    hostile.placeLines = {"</text>&amp; " + std::string(60, 'm'), std::string(30, '%')};
    const QImage blank = draw(ChartPicture{});
    const QImage drawn = draw(hostile);
    int changedInside = 0;
    for (int y = 0; y < 800; ++y) {
      for (int x = 0; x < 800; ++x) {
        if (blank.pixel(x, y) == drawn.pixel(x, y)) continue;
        const bool inCentre = x >= 200 && x < 600 && y >= 200 && y < 600;
        QVERIFY2(inCentre, qPrintable(QStringLiteral("pixel %1,%2 outside the centre").arg(x).arg(y)));
        ++changedInside;
      }
    }
    QVERIFY(changedInside > 1000);  // the texts were drawn
  }

  void screenReaderNames() {
    const ChartInput in = NewYork1976();
    const ChartFacts facts = ComputeChartFacts(in);
    ChartTab tab;
    tab.BuildContents();  // built before the chart came: the chart fills it
    tab.ShowChart(in, facts, FindAspects(facts.planets));
    QCOMPARE(tab.findChild<QTableWidget*>("tblPositions")->accessibleName(), QStringLiteral("Positions"));
    QCOMPARE(tab.findChild<QTableWidget*>("grdAspects")->accessibleName(), QStringLiteral("Aspect grid"));
    auto* picture = tab.findChild<QSvgWidget*>("svgChart");
    QCOMPARE(picture->accessibleName(), QStringLiteral("Chart picture"));
    // The text alternative names every body's sign and degrees.
    for (const BodyPosition& b : facts.bodies)
      QVERIFY(picture->accessibleDescription().contains(
          QString::fromUtf8(Abbreviation(b.body).data(), 2) + " " + QString::fromStdString(FormatInSign(b.where)) +
          " in " + QString::fromStdString(SignName(b.where.sign))));
    auto* grid = tab.findChild<QTableWidget*>("grdAspects");
    QCOMPARE(grid->item(0, 0)->data(Qt::AccessibleTextRole).toString().left(11), QString::fromUtf8("Moon – Sun:"));
  }

  // Tab leaves the positions table and reaches the picture's save and the
  // grid, whose first cell is selected and drawn in the highlight colour.
  void tabWalksThroughThePage() {
    ChartTab tab;
    Show(tab, NewYork1976());
    tab.show();
    QVERIFY(QTest::qWaitForWindowActive(&tab));
    tab.findChild<QTableWidget*>("tblPositions")->setFocus();
    QStringList reached;
    for (int i = 0; i < 6; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reached << QApplication::focusWidget()->objectName();
    }
    QVERIFY2(reached.front() != QStringLiteral("tblPositions"), qPrintable(reached.join(' ')));
    QVERIFY2(reached.contains(QStringLiteral("cmdSavePicture")), qPrintable(reached.join(' ')));
    QVERIFY2(reached.contains(QStringLiteral("grdAspects")), qPrintable(reached.join(' ')));
    auto* grid = tab.findChild<QTableWidget*>("grdAspects");
    QVERIFY(grid->currentItem() && grid->currentItem()->isSelected());
    QVERIFY(grid->palette().color(QPalette::Inactive, QPalette::Highlight) != grid->palette().color(QPalette::Base));
  }

 private:
  QTemporaryDir config_;
};

QTEST_MAIN(ChartTabTest)
#include "chart_tab_test.moc"
