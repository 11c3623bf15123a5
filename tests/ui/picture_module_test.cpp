// The "Chart" page without its picture module: the tables are there, the
// picture's place says why there is no picture, and saving the picture as an
// image says why and writes nothing. Its own program, since a module once
// loaded stays loaded.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "aspects/aspects.h"
#include "orbisca/version.h"
#include "ui/chart_tab.h"
#include "ui/picture_module.h"
#include "save_failures.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

class FixedFileDialog final : public FileDialogSeam {
 public:
  QString SaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
    return answer;
  }
  QString answer;
};

Birth NoPictureBirth() {
  Birth in;
  in.name = "No Picture";
  in.year = 1990;
  in.month = 2;
  in.day = 14;
  in.hour = 6;
  in.minute = 30;
  in.zone = ZoneRow{34};  // Indian Time
  in.lonDegrees = 77;
  in.east = false;
  in.latDegrees = 28;
  return in;
}

QString BuildTreeModules() { return qEnvironmentVariable("ORBISCA_TEST_BINARY_DIR") + QStringLiteral("/app"); }

}  // namespace

class PictureModuleTest : public QObject {
  Q_OBJECT

 private slots:
  void aMissingModuleIsSaid_data() {
    AddModuleRefusalRows(QStringLiteral("orbisca-picture.so"), QStringLiteral(ORBISCA_OTHER_VERSION_DIR));
  }
  void aMissingModuleIsSaid() {
    QTemporaryDir empty, saves;
    QString reason;
    const QString folder = ModuleRefusalFolder(QStringLiteral("orbisca-picture.so"), empty.path(), reason);
    SetPictureModuleFolder(folder);
    const QString cannot = QStringLiteral("The chart picture cannot be drawn: its module could not be loaded.\n");

    const Birth in = NoPictureBirth();
    const Chart chart = ComputeChart(in);
    ChartTab tab;
    tab.ShowChart(in, chart);
    tab.show();
    // The tables need no module.
    QCOMPARE(Child<QTableWidget>(tab, "tblPositions")->item(0, 0)->text(), QStringLiteral("Sun"));
    QVERIFY(!Child<QTableWidget>(tab, "grdAspects")->item(0, 0)->data(Qt::AccessibleTextRole).toString().isEmpty());
    QVERIFY(!tab.findChild<QWidget*>("svgChart"));
    const QString shown = Child<QLabel>(tab, "lblNoPicture")->text();
    QVERIFY2(shown.startsWith(cannot) && shown.section('\n', 1).contains(reason), qPrintable(shown));

    // An image cannot be drawn: nothing is written, an earlier file included.
    FixedFileDialog files;
    RecordingMessages messages;  // answers yes to replacing the earlier file
    ScopedFileDialogSeam fileGuard(&files);
    ScopedMessageSeam messageGuard(&messages);
    files.answer = saves.filePath(QStringLiteral("chart.png"));
    {
      QFile earlier(files.answer);
      QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier image") == 13);
    }
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    QCOMPARE(messages.asked.size(), 1);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].icon, QMessageBox::Critical);
    const QString said = messages.shown[0].text;
    QVERIFY2(said == "The picture could not be saved to " + QDir::toNativeSeparators(files.answer) + ".\n" + shown,
             qPrintable(said));
    QCOMPARE(Entries(saves.path()), QStringList{"chart.png"});
    QFile earlier(files.answer);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier image"));
    QVERIFY(tab.PicturePng(100).isEmpty());

    // The SVG text is the engine's and needs no drawing: it is still saved.
    messages.shown.clear();
    files.answer = saves.filePath(QStringLiteral("chart.svg"));
    Child<QPushButton>(tab, "cmdSavePicture")->click();
    QVERIFY2(messages.shown.isEmpty(), qPrintable(Describe(messages.shown).join('\n')));
    QFile svg(files.answer);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QCOMPARE(svg.readAll(), tab.PictureSvg());
    SetPictureModuleFolder(BuildTreeModules());
  }

  // A failed load is not remembered: once the module is found, a new page
  // shows the picture and saves it as an image.
  void theModuleFoundLaterIsUsed() {
    SetPictureModuleFolder(BuildTreeModules());
    const Birth in = NoPictureBirth();
    const Chart chart = ComputeChart(in);
    ChartTab tab;
    tab.ShowChart(in, chart);
    tab.show();
    QVERIFY(!tab.findChild<QLabel*>("lblNoPicture"));
    QCOMPARE(Child<QWidget>(tab, "svgChart")->accessibleName(), QStringLiteral("Chart picture"));
    QImage png;
    QVERIFY(png.loadFromData(tab.PicturePng(100), "PNG"));
    QCOMPARE(png.size(), QSize(100, 100));
  }
};

QTEST_MAIN(PictureModuleTest)
#include "picture_module_test.moc"
