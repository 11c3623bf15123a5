// The "Chart" page on its own: the instant line, the positions table against
// the engine's chart, the aspect grid against the aspect list, a click on a
// cell, and the names a screen reader reads.

#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QSvgWidget>
#include <QTableWidget>
#include <QtTest>

#include "aspects/aspects.h"
#include "ui/chart_tab.h"

Q_DECLARE_METATYPE(orbisca::ChartInput)

using namespace orbisca;
using namespace orbisca::ui;

namespace {

ChartInput Birth(int y, int mo, int d, int h, int mi, int corrH, int corrM, int lonDeg, bool east, int latDeg,
                 bool south, bool dst) {
  ChartInput in;
  in.PersonName = "Chart Test";
  in.BirthYear = static_cast<std::int16_t>(y);
  in.BirthMonth = static_cast<std::int16_t>(mo);
  in.BirthDay = static_cast<std::int16_t>(d);
  in.BirthHour = static_cast<std::int16_t>(h);
  in.BirthMinute = static_cast<std::int16_t>(mi);
  in.ZoneCorrHours = static_cast<std::int16_t>(corrH);
  in.ZoneCorrMinutes = static_cast<std::int16_t>(corrM);
  in.ZoneHours = static_cast<std::int16_t>(std::abs(corrH));
  in.ZoneMinutes = static_cast<std::int16_t>(std::abs(corrM));
  in.LonDeg = static_cast<std::int16_t>(lonDeg);
  in.LatDeg = static_cast<std::int16_t>(latDeg);
  in.IsEast = ToFlag(east);
  in.IsSouth = ToFlag(south);
  in.IsDst = ToFlag(dst);
  return in;
}

// The grid's cells as "Row-Column kind separation" lines, and the same from
// the aspect list, each pair once with the lower body second.
QStringList GridCells(QTableWidget& grid) {
  QStringList cells;
  for (int r = 0; r < grid.rowCount(); ++r)
    for (int c = 0; c < grid.columnCount(); ++c)
      if (grid.item(r, c) && !grid.item(r, c)->text().isEmpty())
        cells << grid.verticalHeaderItem(r)->text() + "-" + grid.horizontalHeaderItem(c)->text() + " " +
                     grid.item(r, c)->data(Qt::UserRole).toString() + " " + grid.item(r, c)->text().section('\n', 1);
  cells.sort();
  return cells;
}

QStringList ListCells(const std::vector<AspectEntry>& aspects) {
  QStringList cells;
  for (const AspectEntry& e : aspects) {
    const Body low = Index(e.first) < Index(e.second) ? e.first : e.second;
    const Body high = Index(e.first) < Index(e.second) ? e.second : e.first;
    cells << QString::fromUtf8(BodyName(high).data()) + "-" + QString::fromUtf8(BodyName(low).data()) + " " +
                 QString::number(static_cast<int>(Index(e.kind))) + " " + QString::number(std::abs(e.separation)) +
                 QString::fromUtf8("\u00B0");
  }
  cells.removeDuplicates();  // a conjunction is found both ways round
  cells.sort();
  return cells;
}

}  // namespace

class ChartTabTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheInstantAndThePositions() {
    const ChartInput in = Birth(1976, 7, 4, 10, 15, 5, 0, 74, false, 40, false, true);
    const ChartFacts facts = ComputeChartFacts(in);
    ChartTab tab;
    tab.ShowChart(in, facts, FindAspects(facts.planets));
    QCOMPARE(tab.findChild<QLabel*>("lblInstant")->text(),
             QString::fromUtf8("Universal time 1976-07-04 14:15, Julian day 2442964.09375, sidereal shift 23°31′58″"));
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

  void gridHoldsTheAspectListAndOpensTheKind_data() {
    QTest::addColumn<ChartInput>("input");
    QTest::newRow("1976 New York") << Birth(1976, 7, 4, 10, 15, 5, 0, 74, false, 40, false, true);
    QTest::newRow("1950 Pune") << Birth(1950, 8, 15, 5, 45, -5, -30, 73, true, 18, false, false);
    QTest::newRow("2000 J2000") << Birth(2000, 1, 1, 12, 0, 0, 0, 0, false, 51, false, false);
    QTest::newRow("1962 stellium") << Birth(1962, 2, 5, 0, 0, -5, -30, 77, true, 28, false, false);
    QTest::newRow("2023 Sydney") << Birth(2023, 3, 9, 23, 40, -10, 0, 151, true, 33, true, false);
  }
  void gridHoldsTheAspectListAndOpensTheKind() {
    QFETCH(ChartInput, input);
    const ChartFacts facts = ComputeChartFacts(input);
    const std::vector<AspectEntry> aspects = FindAspects(facts.planets);
    QVERIFY(!aspects.empty());
    ChartTab tab;
    tab.ShowChart(input, facts, aspects);
    auto* grid = tab.findChild<QTableWidget*>("grdAspects");
    QCOMPARE(GridCells(*grid), ListCells(aspects));

    QSignalSpy chosen(&tab, &ChartTab::kindChosen);
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    int clicked = 0;
    for (int r = 0; r < grid->rowCount(); ++r) {
      for (int c = 0; c < grid->columnCount(); ++c) {
        const QModelIndex index = grid->model()->index(r, c);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        const int kind = grid->item(r, c)->data(Qt::UserRole).toInt();
        if (kind < 0) continue;
        ++clicked;
        QVERIFY2(!chosen.isEmpty(), qPrintable(QStringLiteral("cell %1,%2").arg(r).arg(c)));
        QCOMPARE(chosen.takeLast().at(0).toInt(), kind);
      }
    }
    QCOMPARE(clicked, GridCells(*grid).size());
    QVERIFY(chosen.isEmpty());  // empty cells and cells above the diagonal choose nothing
  }

  void screenReaderNames() {
    const ChartInput in = Birth(1976, 7, 4, 10, 15, 5, 0, 74, false, 40, false, true);
    const ChartFacts facts = ComputeChartFacts(in);
    ChartTab tab;
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
};

QTEST_MAIN(ChartTabTest)
#include "chart_tab_test.moc"
