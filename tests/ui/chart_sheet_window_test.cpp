// The chart sheet from the results window: "Save Chart Sheet…" writes a PDF
// through the PDF module (read back with poppler), whole or not at all, and
// "Print Chart Sheet…" prints the same pages. The program sits beside the
// window program, so that it finds the module where that one does; a copy
// run alone (withoutTheModule) finds none.

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/births.h"
#include "ui/chart_tab.h"
#include "ui/frm_display.h"
#include "ui/save_path.h"
#include "pdf_output.h"
#include "save_failures.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

const char* const kName = "Sheet Person";

// A results window showing the New York chart, placed in "New York".
void ShowChart(FrmDisplay& display) {
  const Birth in = NewYork1976(kName);
  display.ShowChart(in, ComputeChart(in), QStringLiteral("New York"));
}

// Presses the Chart tab's button or chooses the window's menu item.
void Trigger(FrmDisplay& display, const QString& control) {
  if (control.startsWith(QStringLiteral("mnu"))) {
    Child<QAction>(display, control)->trigger();
  } else {
    display.findChild<ChartTab*>()->BuildContents();
    Child<QPushButton>(display, control)->click();
  }
}

}  // namespace

class ChartSheetWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsDir_;
  bool alone_ = qEnvironmentVariableIsSet("ORBISCA_NO_PDF_MODULE");

 private slots:
  void initTestCase() {
    QVERIFY(settingsDir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
  }

  void init() {
    const bool aloneTest = QByteArray(QTest::currentTestFunction()) == "withoutTheModule";
    if (alone_ != aloneTest) QSKIP("run in the other invocation (with or without the PDF module)");
  }

  // From the tab's button and from the menu, in either style: one or two A4
  // pages of the chart shown; a name typed without ".pdf" gets it.
  void savesThePdf_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("style");
    QTest::newRow("button, South Indian") << "cmdSaveSheet" << 0;
    QTest::newRow("menu, North Indian") << "mnuSaveSheet" << 1;
  }
  void savesThePdf() {
    QFETCH(QString, control);
    QFETCH(int, style);
    ProgramSettings().setValue(QStringLiteral("chart/style"), style == 0 ? "south" : "north");
    QTemporaryDir dir;
    FakeFileDialogs files;
    files.answer = dir.filePath(QStringLiteral("sheet"));
    RecordingMessages messages;
    ScopedFileDialogSeam fileGuard(&files);
    ScopedMessageSeam messageGuard(&messages);
    FrmDisplay display;
    ShowChart(display);

    Trigger(display, control);

    QVERIFY2(messages.shown.isEmpty(), qPrintable(Describe(messages.shown).join('\n')));
    QCOMPARE(files.calls.value(0), (QStringList{"Orbisca", "PDF document (*.pdf)", "pdf"}));
    QCOMPARE(QFileInfo(files.opened.value(0)).fileName(), QStringLiteral("sheet-person.pdf"));
    QCOMPARE(Entries(dir.path()), QStringList{"sheet.pdf"});
    const QStringList pages = PdfPageSizes(dir.filePath(QStringLiteral("sheet.pdf")));
    QVERIFY2(pages.size() == 1 || pages.size() == 2, qPrintable(pages.join('|')));
    for (const QString& page : pages) QVERIFY2(page.endsWith(QStringLiteral("(A4)")), qPrintable(page));
    // The chart shown (the engine's test reads the whole sheet back).
    const QString text = PdfText(dir.filePath(QStringLiteral("sheet.pdf")));
    for (const char* w : {kName, "New York", "Navamsa"}) QVERIFY2(text.contains(w), w);
  }

  // As the picture's save: the message names the file and the reason, no
  // partial file stays, an earlier file stays whole.
  void failedSaveIsReported_data() { AddSaveFailureRows(); }
  void failedSaveIsReported() {
    QFETCH(QString, failure);
    FrmDisplay display;
    ShowChart(display);
    CheckFailedSave(failure, QStringLiteral("The chart sheet"), QStringLiteral("sheet.pdf"),
                    [&display] { Trigger(display, QStringLiteral("cmdSaveSheet")); });
  }

  // Printed through the print dialog (here to a PDF file): the sheet's two
  // A4 pages, drawn; nothing when the dialog is cancelled; a printer
  // that cannot start is reported.
  void printsTheSheet_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("pages");  // -1: a failure reported
    QTest::newRow("button") << "cmdPrintSheet" << true << "printed.pdf" << 2;
    QTest::newRow("menu") << "mnuPrintSheet" << true << "printed.pdf" << 2;
    QTest::newRow("cancelled") << "cmdPrintSheet" << false << "printed.pdf" << 0;
    QTest::newRow("printer cannot start") << "mnuPrintSheet" << true << "gone/printed.pdf" << -1;
  }
  void printsTheSheet() {
    QFETCH(QString, control);
    QFETCH(bool, accept);
    QFETCH(QString, file);
    QFETCH(int, pages);
    QTemporaryDir dir;
    PdfPrintDialogs printer;
    printer.pdfPath = dir.filePath(file);
    printer.accept = accept;
    RecordingMessages messages;
    ScopedPrintDialogSeam printGuard(&printer);
    ScopedMessageSeam messageGuard(&messages);
    FrmDisplay display;
    ShowChart(display);

    Trigger(display, control);

    QCOMPARE(printer.offeredSelection, QList<bool>{false});
    if (pages < 0) {
      QCOMPARE(Describe(messages.shown), QStringList{"error: The chart sheet could not be printed.\n"
                                                     "The printer could not be started."});
      return;
    }
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(Entries(dir.path()).size(), pages > 0 ? 1 : 0);
    if (pages == 0) return;
    const QStringList sizes = PdfPageSizes(printer.pdfPath);
    QCOMPARE(sizes.size(), pages);
    for (const QString& page : sizes) QVERIFY2(page.endsWith(QStringLiteral("(A4)")), qPrintable(page));
    // Qt draws the SVG's text as outlines: the pages are checked for ink (1% on
    // the page of aspects, 6% on the first; none on a blank page).
    QTemporaryDir pictures;
    for (int page = 1; page <= pages; ++page) {
      const double ink = PdfPageInk(printer.pdfPath, page, pictures.path());
      QVERIFY2(ink > 0.002 && ink < 0.5, qPrintable(QStringLiteral("page %1: %2 of it dark").arg(page).arg(ink)));
    }
  }

  // Run from a folder without the module: a clear message before any dialog,
  // and nothing written.
  void withoutTheModule() {
    QTemporaryDir dir;
    FakeFileDialogs files;
    files.answer = dir.filePath(QStringLiteral("sheet.pdf"));
    RecordingMessages messages;
    ScopedFileDialogSeam fileGuard(&files);
    ScopedMessageSeam messageGuard(&messages);
    FrmDisplay display;
    ShowChart(display);

    Trigger(display, QStringLiteral("mnuSaveSheet"));

    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(messages.shown[0].text.startsWith(QStringLiteral("The chart sheet cannot be made as a PDF.\n"
                                                              "The PDF module cannot be opened: ")),
             qPrintable(messages.shown[0].text));
    QVERIFY(files.calls.isEmpty());
    QVERIFY(Entries(dir.path()).isEmpty());
  }
};

QTEST_MAIN(ChartSheetWindowTest)
#include "chart_sheet_window_test.moc"
