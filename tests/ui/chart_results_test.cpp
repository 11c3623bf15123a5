// The "Chart" tab in the results window: after a run through the form its
// grid holds exactly the pairs of the seven tabs, a click on a cell opens that
// kind's tab, and its numbers are the run's.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "run/chart.h"
#include "ui/chart_tab.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

// Births over the whole range of years, both hemispheres and both sides of
// Greenwich, with and without daylight saving.
const FormEntries kBirths[] = {
    {"ASHA", "73", "0", "18", "0", 8, 15, "1950", "5", "45", 34, false, false, false},
    {"BEN", "74", "0", "40", "0", 7, 4, "1985", "13", "5", 27, true, false, true},
    {"CLIO", "0", "0", "0", "0", 1, 1, "1901", "0", "0", 29, false, false, false},
    {"DARA", "151", "0", "33", "0", 3, 9, "2023", "23", "40", 8, false, true, false},
    {"EMIL", "58", "0", "34", "0", 11, 30, "2050", "12", "0", 14, true, true, false},
};


// "Moon-Sun 4": every pair the seven tabs show, read from their heading lines
// ("Sun-Moon  In Trine Aspect"), the later body first, with its tab.
QStringList PairsOfTheTabs(FrmDisplay& display) {
  QStringList pairs;
  for (const AspectKindInfo& info : kAspectKinds) {
    for (const QString& line : Text(display.ResultText(info.kind)).split(QStringLiteral("\r\n"))) {
      if (!line.endsWith(QStringLiteral(" Aspect"))) continue;
      const QStringList bodies = line.section(QStringLiteral("  "), 0, 0).split('-');
      int first = -1, second = -1;
      for (Body b : kAllBodies) {
        if (Text(BodyName(b)) == bodies.value(0)) first = static_cast<int>(Index(b));
        if (Text(BodyName(b)) == bodies.value(1)) second = static_cast<int>(Index(b));
      }
      const Body high = kAllBodies[static_cast<std::size_t>(std::max(first, second))];
      const Body low = kAllBodies[static_cast<std::size_t>(std::min(first, second))];
      pairs << Text(BodyName(high)) + "-" + Text(BodyName(low)) + " " + QString::number(Index(info.kind));
    }
  }
  pairs.removeDuplicates();  // a conjunction is headed both ways round
  pairs.sort();
  return pairs;
}

QStringList PairsOfTheGrid(QTableWidget& grid) {
  QStringList pairs;
  for (int r = 0; r < grid.rowCount(); ++r)
    for (int c = 0; c < grid.columnCount(); ++c)
      if (grid.item(r, c)->data(Qt::UserRole).toInt() >= 0)
        pairs << grid.verticalHeaderItem(r)->text() + "-" + grid.horizontalHeaderItem(c)->text() + " " +
                     grid.item(r, c)->data(Qt::UserRole).toString();
  pairs.sort();
  return pairs;
}

}  // namespace

class ChartResultsTest : public QObject {
  Q_OBJECT

 private slots:
  void gridAgreesWithTheTabsAndOpensThem_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kBirths)); ++i) QTest::newRow(qPrintable(kBirths[i].name)) << i;
  }
  void gridAgreesWithTheTabsAndOpensThem() {
    QFETCH(int, row);
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    FrmMain form;
    form.show();
    FillForm(form, kBirths[row]);
    Child<QLineEdit>(form, "txtMCity")->setText("Somewhere & <Elsewhere>");
    QTest::mouseClick(Child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
    QVERIFY2(messages.shown.isEmpty(), qPrintable(Describe(messages.shown).join('|')));
    FrmDisplay* display = form.Display();
    QVERIFY(display && display->isVisible());

    auto* tabs = Child<QTabWidget>(*display, "SSTab1");
    QCOMPARE(tabs->tabText(7), QStringLiteral("Chart"));
    // Proceed builds nothing of the "Chart" page; opening the tab does.
    QVERIFY(!display->findChild<QTableWidget*>("grdAspects"));
    tabs->setCurrentIndex(7);
    auto* grid = Child<QTableWidget>(*display, "grdAspects");
    const QStringList pairs = PairsOfTheTabs(*display);
    QVERIFY(!pairs.isEmpty());
    QCOMPARE(PairsOfTheGrid(*grid), pairs);

    // The chart's numbers are those of the form's birth; the line names the
    // local time and the offset the run used before the instant.
    const Chart chart = ComputeChart(std::get<Birth>(BirthFromEntries(form.Entries())));
    const QString line = Child<QLabel>(*display, "lblInstant")->text();
    QVERIFY2(line.startsWith(QStringLiteral("Local time ")) &&
                 line.endsWith(QStringLiteral(". ") + QString::fromStdString(InstantLine(chart.instant))),
             qPrintable(line));
    QVERIFY(Child<ChartTab>(*display, "fraChart")->PictureSvg().contains("Somewhere &amp; &lt;Elsewhere&gt;"));

    tabs->setCurrentIndex(7);
    QVERIFY(QTest::qWaitForWindowExposed(display));
    for (int r = 0; r < grid->rowCount(); ++r) {
      for (int c = 0; c < grid->columnCount(); ++c) {
        const int kind = grid->item(r, c)->data(Qt::UserRole).toInt();
        const QModelIndex index = grid->model()->index(r, c);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        QCOMPARE(tabs->currentIndex(), kind >= 0 ? kind : 7);
        tabs->setCurrentIndex(7);
      }
    }
  }
};

QTEST_MAIN(ChartResultsTest)
#include "chart_results_test.moc"
