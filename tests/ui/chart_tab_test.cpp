// The "Chart" page on its own: the instant line, the positions table against
// the engine's chart (the navamsa against 9 x longitude), the nodes and the
// dasha, the varga and style lists, saving the picture, and the names a
// screen reader reads.


#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QSettings>
#include <QTreeWidget>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTableWidget>
#include <QtTest>
#include <cmath>

#include "aspects/aspects.h"
#include "report/chart_picture.h"
#include "tests/support/births.h"
#include "run/vedic_text.h"
#include "ui/chart_tab.h"
#include "save_failures.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

class FixedClock final : public ClockSeam {
 public:
  explicit FixedClock(QDateTime now) : now_(std::move(now)) {}
  QDateTime Now() override { return now_; }

 private:
  QDateTime now_;
};

void Show(ChartTab& tab, const Birth& in) {
  tab.ShowChart(in, ComputeChart(in));
  tab.BuildContents();
}

}  // namespace

class ChartTabTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsDir_;

 private slots:
  void initTestCase() {
    // The remembered choices go to a folder of the test's own.
    QVERIFY(settingsDir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
  }

  void showsTheInstantAndThePositions() {
    const Birth in = NewYork1976("Chart Test");
    const Chart chart = ComputeChart(in);
    ChartTab tab;
    tab.ShowChart(in, chart);
    QVERIFY(!tab.findChild<QTableWidget*>("tblPositions"));  // nothing built before the page is shown
    QVERIFY(tab.PictureSvg().startsWith("<?xml"));
    tab.show();
    QCOMPARE(tab.findChild<QLabel*>("lblInstant")->text(),
             QString::fromUtf8("Local time 1976-07-04 10:15 at UTC−4. "
                               "Universal time 1976-07-04 14:15, Julian day 2442964.09375, sidereal shift 23°31′58″"));
    auto* table = tab.findChild<QTableWidget*>("tblPositions");
    QCOMPARE(table->rowCount(), 13);
    for (int row = 0; row < 13; ++row) {
      const std::size_t i = static_cast<std::size_t>(row);
      const ZodiacPosition p = row < 10 ? chart.bodies[i].where : row < 12 ? chart.nodes[i - 10].where
                                                                           : chart.ascendant.where;
      const double longitude = row < 10   ? chart.bodies[i].longitude
                               : row < 12 ? chart.nodes[i - 10].longitude
                                          : chart.ascendant.longitude;
      // The navamsa: a ninth of a sign to a whole sign, the sign of 9 x longitude.
      const int navamsa = static_cast<int>(std::fmod(9.0 * longitude, 360.0) / 30.0) + 1;
      QCOMPARE(table->item(row, 5)->text(), QString::fromStdString(SignName(navamsa)));
      QCOMPARE(table->item(row, 1)->text(), QString::fromStdString(SignName(p.sign)));
      QCOMPARE(table->item(row, 2)->text(), QString::fromStdString(FormatInSign(p)));
      QCOMPARE(table->item(row, 3)->text(), QString::fromUtf8(NakshatraName(p.nakshatra).data()));
      QCOMPARE(table->item(row, 4)->text(), QString::number(p.pada));
    }
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Sun"));
    QCOMPARE(table->item(9, 0)->text(), QStringLiteral("Pluto"));
    QCOMPARE(table->item(10, 0)->text(), QStringLiteral("Rahu"));
    QCOMPARE(table->item(11, 0)->text(), QStringLiteral("Ketu"));
    QCOMPARE(table->item(12, 0)->text(), QStringLiteral("Ascendant"));
    // By hand: the Sun at 19°10′ of Mithuna, a dual sign, is in its 6th part
    // of 3°20′, counted from the 5th sign from Mithuna (Tula): Meena.
    QCOMPARE(table->horizontalHeaderItem(5)->text(), QStringLiteral("Navamsa"));
    QCOMPARE(table->item(0, 5)->text(), QStringLiteral("Meena (Pisces)"));
    // The mean node at 15°54' Tula (Swati), Ketu opposite.
    QCOMPARE(table->item(10, 1)->text(), QStringLiteral("Tula (Libra)"));
    QCOMPARE(table->item(11, 1)->text(), QStringLiteral("Mesha (Aries)"));
    QCOMPARE(table->item(10, 2)->text(), table->item(11, 2)->text());
    QVERIFY(tab.PictureSvg().contains(">Ra ") && tab.PictureSvg().contains(">Ke "));
    QCOMPARE(Child<QLabel>(tab, "lblParticulars")->text(), QString::fromStdString(ParticularsLine(chart)));
  }

  // The varga and the style chosen redraw the picture at once: each mark in
  // its sign of the varga, the view showing the new drawing (the North
  // Indian one is taller than wide). The style is remembered for the next
  // window; the varga starts at the rasi in each.
  void pictureChoices_data() {
    QTest::addColumn<int>("vargaRow");
    QTest::addColumn<int>("divisions");
    QTest::addColumn<int>("styleRow");
    QTest::newRow("D9 South") << 1 << 9 << 0;
    QTest::newRow("D9 North") << 1 << 9 << 1;
    QTest::newRow("D1 North") << 0 << 1 << 1;
    QTest::newRow("D10 North") << 6 << 10 << 1;  // after D1, D9, D2, D3, D4, D7
    QTest::newRow("D60 South") << 15 << 60 << 0;
  }
  void pictureChoices() {
    QFETCH(int, vargaRow);
    QFETCH(int, divisions);
    QFETCH(int, styleRow);
    const Birth in = NewYork1976("Chart Test");
    const Chart chart = ComputeChart(in);
    ChartTab tab;
    Show(tab, in);
    auto* varga = Child<QComboBox>(tab, "cboVarga");
    auto* style = Child<QComboBox>(tab, "cboStyle");
    QCOMPARE(varga->count(), 16);
    QCOMPARE(varga->itemText(0), QStringLiteral("D1 Rasi"));
    QCOMPARE(varga->itemText(1), QStringLiteral("D9 Navamsa"));
    style->setCurrentIndex(styleRow == 0 ? 1 : 0);
    const QByteArray before = tab.PictureSvg();
    varga->setCurrentIndex(vargaRow);
    style->setCurrentIndex(styleRow);
    QVERIFY(varga->currentText().startsWith(QStringLiteral("D%1 ").arg(divisions)));
    QVERIFY(tab.PictureSvg() != before);
    QVERIFY(tab.PictureSvg().contains(divisions == 1 ? "Rasi" : "(D" + QByteArray::number(divisions) + ")"));
    const Varga v = *VargaOfDivisions(divisions);
    const QString description = Child<QSvgWidget>(tab, "svgChart")->accessibleDescription();
    QVERIFY2(description.startsWith(style->currentText() + " chart, " + varga->currentText() + ": "),
             qPrintable(description));
    for (const BodyPosition& b : chart.bodies) {
      // Degrees belong to the rasi only.
      const QString degrees = v == Varga::D1 ? " " + QString::fromStdString(FormatInSign(b.where)) : QString();
      const QString mark = Text(Abbreviation(b.body)) + degrees + " in " +
                           QString::fromStdString(SignName(VargaSign(v, b.longitude)));
      QVERIFY2(description.contains(mark), qPrintable(mark + " not in " + description));
    }
    const QRectF box = Child<QSvgWidget>(tab, "svgChart")->renderer()->viewBoxF();
    QCOMPARE(box.height() > box.width(), styleRow == 1);

    QCOMPARE(RememberedChartStyle(), styleRow == 1 ? ChartStyle::North : ChartStyle::South);
    ChartTab next;
    Show(next, in);
    QCOMPARE(Child<QComboBox>(next, "cboStyle")->currentIndex(), styleRow);
    QCOMPARE(Child<QComboBox>(next, "cboVarga")->currentIndex(), 0);
    QVERIFY(next.PictureSvg().contains("Rasi"));
  }

  // The Moon at 167.40° (Hasta, Moon's nakshatra, 0.555 of it passed): born
  // in the Moon's dasha with 4.45 of its 10 years left; the nine mahadashas
  // from the Moon on, each opening to nine antardashas and those to nine
  // pratyantardashas. Under a fixed today of 2026-12-08 the Saturn
  // mahadasha (2021-12-14 to 2040-12-14) and its Mercury antardasha
  // (Saturn-Saturn lasts 19 x 19 / 120 = 3.008 years, to 2024-12) run.
  void dashaPanelMarksTodaysPeriods() {
    FixedClock clock(QDateTime(QDate(2026, 12, 8), QTime(12, 0), Qt::UTC));
    ScopedClockSeam clockGuard(&clock);
    ChartTab tab;
    Show(tab, NewYork1976("Chart Test"));
    QCOMPARE(Child<QLabel>(tab, "lblDashaBalance")->text(),
             QStringLiteral("Born in Moon dasha, balance 4 y 5 m 11 d. Years of 365.25 days; dates on the birth's "
                            "clock (UTC-4:00)."));
    auto* tree = Child<QTreeWidget>(tab, "trvDasha");
    QStringList lords, marked;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) lords << tree->topLevelItem(i)->text(0);
    QCOMPARE(lords, (QStringList{"Moon", "Mars", "Rahu", "Jupiter", "Saturn (now)", "Mercury", "Ketu", "Venus", "Sun"}));
    QTreeWidgetItem* first = tree->topLevelItem(0);
    QCOMPARE(first->text(3), QStringLiteral("before birth"));
    QCOMPARE(first->text(1), QStringLiteral("1970-12-15 03:22"));
    QCOMPARE(first->toolTip(1), QStringLiteral("1970-12-15T07:22Z"));
    QCOMPARE(tree->topLevelItem(1)->text(1), QStringLiteral("1980-12-14 15:22"));
    QCOMPARE(tree->topLevelItem(1)->text(3), QStringLiteral("4 y 5 m"));
    QCOMPARE(first->childCount(), 9);
    QCOMPARE(first->child(0)->text(0), QStringLiteral("Moon"));  // the antardashas start with their lord
    QCOMPARE(first->child(0)->childCount(), 9);
    QCOMPARE(first->child(0)->child(0)->childCount(), 0);
    QVERIFY(!first->isExpanded());

    QTreeWidgetItem* saturn = tree->topLevelItem(4);
    QVERIFY(saturn->isExpanded() && saturn->font(0).bold());
    QTreeWidgetItem* antardasha = nullptr;
    for (int i = 0; i < saturn->childCount(); ++i) {
      if (saturn->child(i)->font(0).bold()) {
        QVERIFY(!antardasha);  // one period marked at each level
        antardasha = saturn->child(i);
      }
    }
    QVERIFY(antardasha);
    QCOMPARE(antardasha->text(0), QStringLiteral("Mercury (now)"));
    QVERIFY(antardasha->isExpanded());
    // The marked pratyantardasha is the tree's current item, and holds today.
    QTreeWidgetItem* current = tree->currentItem();
    QCOMPARE(current->parent(), antardasha);
    QVERIFY(current->text(0).endsWith(" (now)"));
    QVERIFY(current->toolTip(1) <= QStringLiteral("2026-12-08T12:00Z"));
    QVERIFY(current->toolTip(2) > QStringLiteral("2026-12-08T12:00Z"));
  }

  // A node or year chosen is shown at once and remembered for the next
  // window; the ten bodies stay as they were.
  void choicesAreAppliedAndRemembered() {
    ChartTab tab;
    const Birth in = NewYork1976("Chart Test");
    Show(tab, in);
    auto* table = Child<QTableWidget>(tab, "tblPositions");
    const QString meanRahu = table->item(10, 2)->text(), sun = table->item(0, 2)->text();
    Child<QComboBox>(tab, "cboNode")->setCurrentIndex(1);
    Child<QComboBox>(tab, "cboDashaYear")->setCurrentIndex(2);
    const Chart truth = ComputeChart(in, {NodeKind::True, DashaYear::Savana, 3});
    QCOMPARE(table->item(10, 2)->text(), QString::fromStdString(FormatInSign(truth.nodes[0].where)));
    QVERIFY(table->item(10, 2)->text() != meanRahu);
    QCOMPARE(table->item(0, 2)->text(), sun);
    QVERIFY(Child<QLabel>(tab, "lblDashaBalance")->text().contains("Years of 360 days (savana)"));
    // 360-day years end the first mahadasha earlier than 365.25-day ones.
    QCOMPARE(Child<QTreeWidget>(tab, "trvDasha")->topLevelItem(1)->text(1),
             QString::fromStdString(ClockDateTime(truth.dasha.periods[1].start, -4.0)));

    const ChartOptions remembered = RememberedChartOptions();
    QCOMPARE(remembered.nodeKind, NodeKind::True);
    QCOMPARE(remembered.dashaYear, DashaYear::Savana);
    ChartTab next;
    next.BuildContents();
    QCOMPARE(Child<QComboBox>(next, "cboNode")->currentIndex(), 1);
    QCOMPARE(Child<QComboBox>(next, "cboDashaYear")->currentIndex(), 2);
    Child<QComboBox>(next, "cboNode")->setCurrentIndex(0);
    Child<QComboBox>(next, "cboDashaYear")->setCurrentIndex(0);
    QCOMPARE(RememberedChartOptions().nodeKind, NodeKind::Mean);
  }

  // The name chooses the format; a name without either suffix gets ".svg".
  void savesSvgOrPng() {
    QTemporaryDir dir;
    FakeFileDialogs files;
    RecordingMessages messages;
    ScopedFileDialogSeam fileGuard(&files);
    ScopedMessageSeam messageGuard(&messages);
    ChartTab tab;
    Show(tab, NewYork1976("Chart Test"));
    files.answer = dir.filePath(QStringLiteral("J.Smith"));
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    // Named after the person, in a folder that exists the first time.
    QCOMPARE(files.calls.value(0), (QStringList{"Orbisca", "SVG picture (*.svg);;PNG image (*.png)", "svg"}));
    QCOMPARE(QFileInfo(files.opened.value(0)).fileName(), QStringLiteral("chart-test.svg"));
    QVERIFY(QFileInfo(files.opened.value(0)).dir().exists());
    QFile svg(dir.filePath(QStringLiteral("J.Smith.svg")));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QCOMPARE(svg.readAll(), tab.PictureSvg());

    files.answer = dir.filePath(QStringLiteral("chart.PNG"));
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    QCOMPARE(files.opened.value(1), dir.filePath(QStringLiteral("chart-test.svg")));  // the last folder
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
    files.opened.clear();
    const QString earlier = dir.filePath(QStringLiteral("J.Smith.svg"));
    files.answers = {earlier, QString()};
    QVERIFY(QFile::resize(earlier, 3));
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    QCOMPARE(messages.asked.size(), 1);
    QCOMPARE(files.calls.size(), 2);
    QCOMPARE(files.opened.value(1), earlier);
    QCOMPARE(QFileInfo(earlier).size(), 3);
    QCOMPARE(Entries(dir.path()), (QStringList{"J.Smith.svg", "chart.PNG"}));

    // The navamsa shown is proposed under a name of its own.
    Child<QComboBox>(tab, "cboVarga")->setCurrentIndex(1);
    files.answer.clear();
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    QCOMPARE(QFileInfo(files.opened.last()).fileName(), QStringLiteral("chart-test-d9.svg"));
  }

  // The PNG is the drawing (400 units wide) scaled to the width asked and
  // as high as its proportions make it. South Indian: the paper inside the
  // empty Meena cell (at 50, 70 in the drawing's units). North Indian (taller
  // than wide): the line where the diagonals cross at the square's centre.
  void pngIsTheDrawingAtTheSizeAsked_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QPointF>("probe");  // in the drawing's units
    QTest::addColumn<QColor>("colour");
    const QColor paper(0xff, 0xfd, 0xf6), line(0x4a, 0x4a, 0x4a);
    QTest::newRow("South Indian, 100 px") << 0 << 100 << QPointF(50, 70) << paper;
    QTest::newRow("South Indian, 800 px") << 0 << 800 << QPointF(50, 70) << paper;
    QTest::newRow("North Indian, 800 px") << 1 << 800 << QPointF(200, 200) << line;
  }
  void pngIsTheDrawingAtTheSizeAsked() {
    QFETCH(int, style);
    QFETCH(int, pixels);
    QFETCH(QPointF, probe);
    QFETCH(QColor, colour);
    ChartTab tab;
    Show(tab, NewYork1976("Chart Test"));
    Child<QComboBox>(tab, "cboStyle")->setCurrentIndex(style);
    const QRectF box = QSvgRenderer(tab.PictureSvg()).viewBoxF();
    QCOMPARE(box.height() > box.width(), style == 1);
    QImage png;
    QVERIFY(png.loadFromData(tab.PicturePng(pixels), "PNG"));
    const double scale = pixels / 400.0;
    QCOMPARE(png.size(), QSize(pixels, qRound(box.height() * scale)));
    QCOMPARE(png.pixelColor(qRound(probe.x() * scale), qRound(probe.y() * scale)), colour);
  }

  // As the report's save: the message names the file and the reason, no
  // partial file stays, an earlier file stays whole.
  void failedSaveIsReported_data() { AddSaveFailureRows(); }
  void failedSaveIsReported() {
    QFETCH(QString, failure);
    ChartTab tab;
    Show(tab, NewYork1976("Chart Test"));
    CheckFailedSave(failure, QStringLiteral("The picture"), QStringLiteral("chart.svg"),
                    [&tab] { Child<QPushButton>(tab, "cmdSavePicture")->click(); });
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
    const Birth in = NewYork1976("Chart Test");
    const Chart chart = ComputeChart(in);
    ChartTab tab;
    tab.BuildContents();  // built before the chart came: the chart fills it
    tab.ShowChart(in, chart);
    QCOMPARE(tab.findChild<QTableWidget*>("tblPositions")->accessibleName(), QStringLiteral("Positions"));
    QCOMPARE(tab.findChild<QTableWidget*>("grdAspects")->accessibleName(), QStringLiteral("Aspect grid"));
    auto* picture = tab.findChild<QSvgWidget*>("svgChart");
    QCOMPARE(picture->accessibleName(), QStringLiteral("Chart picture"));
    // The text alternative names every body's sign and degrees.
    for (const BodyPosition& b : chart.bodies)
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
};

QTEST_MAIN(ChartTabTest)
#include "chart_tab_test.moc"
