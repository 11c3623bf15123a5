// The windows on a real X server (run under Xvfb, with no window manager):
// the Chart page at the default size and maximised, with screenshots; the
// keyboard path over the results; where the windows open after Proceed and
// Back; and, started at twice the scale on a 1920×1080 screen, the form with
// every control inside the screen.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/fonts.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

const FormEntries kIndia{"ASHA", "73", "51", "18", "31", 8, 15, "1950", "5", "45", 34, false, false, false};

QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// `widget`'s rectangle in `ancestor`'s coordinates.
QRect RectIn(const QWidget* widget, const QWidget* ancestor) {
  return QRect(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
}

// The whole X screen, as a user would see it.
void Screenshot(const QString& name) {
  const QString folder = qEnvironmentVariable("ORBISCA_SCREENSHOTS", QDir::tempPath());
  QDir().mkpath(folder);
  QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + name));
}

// Maximised: by the window manager where there is one; a bare X server has
// none, so the window then takes the screen's available area itself.
void Maximise(QWidget* window) {
  window->showMaximized();
  if (!QTest::qWaitFor([&] { return window->size() == Available().size(); }, 1000)) {
    window->setGeometry(Available());
  }
  QTRY_COMPARE(window->size(), Available().size());
}

}  // namespace

class RealWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsDir_;

 private slots:
  void initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server (run under Xvfb)");
    // The choices made here (the chart's style) go to a folder of the test's own.
    QVERIFY(settingsDir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
  }

  void init() {
    const bool scaleTest = QByteArray(QTest::currentTestFunction()) == "formAtTwiceTheScale";
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") != scaleTest) QSKIP("run in the other invocation (scale)");
  }

  // The picture beside the tables on a wide page, under them on a narrow
  // one, its smallest text (9 units of 400) at least the body font; the grid
  // whole in view when maximised.
  void chartPageAtDefaultSizeAndMaximised() {
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    FrmMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    FillForm(form, kIndia);
    QTest::mouseClick(Child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
    FrmDisplay* display = form.Display();
    QVERIFY(display && QTest::qWaitForWindowExposed(display));
    Child<QTabWidget>(*display, "SSTab1")->setCurrentIndex(7);
    auto* picture = Child<QWidget>(*display, "svgChart");
    auto* table = Child<QTableWidget>(*display, "tblPositions");
    auto* grid = Child<QTableWidget>(*display, "grdAspects");
    auto* page = table->parentWidget();
    const int bodyPixels = QFontInfo(UiFont(9)).pixelSize();
    // Last, the navamsa in the North Indian style, whose texts differ.
    for (const int step : {0, 1, 2}) {
      const bool maximised = step > 0;
      if (step == 1) Maximise(display);
      if (step == 2) {
        Child<QComboBox>(*display, "cboVarga")->setCurrentIndex(1);
        Child<QComboBox>(*display, "cboStyle")->setCurrentIndex(1);
      }
      QTest::qWait(300);
      Screenshot(QStringList{"chart-default.png", "chart-maximised.png", "chart-d9-north.png"}[step]);
      QVERIFY2(picture->width() * 9 >= bodyPixels * 400, qPrintable(QString::number(picture->width())));
      // Square in the South Indian style; the North Indian drawing's lines under its square make it taller.
      const QRectF box = qobject_cast<QSvgWidget*>(picture)->renderer()->viewBoxF();
      QCOMPARE(picture->height(), qRound(picture->width() * box.height() / box.width()));
      if (step == 2) QVERIFY(box.height() > box.width());
      // The buttons under the picture are in view once scrolled to; at full size, without scrolling.
      auto* save = Child<QWidget>(*display, "cmdPrintSheet");
      if (maximised) {
        auto* view = qobject_cast<QScrollArea*>(page->parentWidget()->parentWidget())->viewport();
        QVERIFY2(view->rect().contains(RectIn(save, view)), "the sheet's buttons need scrolling");
      }
      QVERIFY(!RectIn(picture, page).intersects(RectIn(table, page)));
      QVERIFY(!RectIn(picture, page).intersects(RectIn(grid, page)));
      if (maximised) {
        QVERIFY(RectIn(picture, page).left() > RectIn(table, page).right());  // side by side
        auto* scroll = qobject_cast<QScrollArea*>(page->parentWidget()->parentWidget());
        QVERIFY(scroll);
        QVERIFY2(scroll->viewport()->rect().contains(RectIn(grid, scroll->viewport())),
                 "the aspect grid needs scrolling");
      }
    }
    QVERIFY(messages.shown.isEmpty());
  }

  // Tab leaves the positions table and reaches Save Picture and the grid;
  // Escape and Alt+B go back to the form.
  void keyboardPath() {
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    FrmMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const int key : {int(Qt::Key_Escape), int(Qt::Key_B)}) {
      FillForm(form, kIndia);
      QTest::mouseClick(Child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
      FrmDisplay* display = form.Display();
      QVERIFY(display);
      display->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(display));
      Child<QTabWidget>(*display, "SSTab1")->setCurrentIndex(7);
      Child<QTableWidget>(*display, "tblPositions")->setFocus();
      QStringList reached;
      for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
      }
      QVERIFY2(reached.indexOf(QStringLiteral("grdAspects")) >= 0 && reached.indexOf(QStringLiteral("cmdSavePicture")) > 0 &&
                   reached.front() != QStringLiteral("tblPositions"),
               qPrintable(reached.join(' ')));
      QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key),
                      key == Qt::Key_B ? Qt::AltModifier : Qt::NoModifier);
      QTRY_VERIFY(form.isVisible());
      QVERIFY(!form.Display());
    }
    QVERIFY(messages.shown.isEmpty());
  }

  // The results open where the form was (kept inside the screen), at least
  // at its size; Back puts the form where the results were; maximised stays.
  void positionsAfterProceedAndBack_data() {
    QTest::addColumn<QPoint>("formAt");
    QTest::addColumn<QPoint>("resultsMovedTo");
    QTest::newRow("left, top") << QPoint(40, 30) << QPoint(200, 120);
    QTest::newRow("near the right edge") << Available().bottomRight() - QPoint(200, 150) << QPoint(10, 10);
  }
  void positionsAfterProceedAndBack() {
    QFETCH(QPoint, formAt);
    QFETCH(QPoint, resultsMovedTo);
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    FrmMain form;
    form.move(formAt);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    FillForm(form, kIndia);
    const QRect formFrame = form.frameGeometry();
    QTest::mouseClick(Child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
    FrmDisplay* display = form.Display();
    QVERIFY(display && QTest::qWaitForWindowExposed(display));
    QTRY_VERIFY(Available().contains(display->frameGeometry()));
    QVERIFY(display->width() >= std::min(formFrame.width(), Available().width()) - 20);
    if (Available().contains(QRect(formFrame.topLeft(), display->frameGeometry().size()))) {
      QCOMPARE(display->pos(), formFrame.topLeft());
    }
    display->move(resultsMovedTo);
    QTRY_COMPARE(display->pos(), resultsMovedTo);
    QTest::mouseClick(Child<QPushButton>(*display, "cmdOK"), Qt::LeftButton);
    QTRY_VERIFY(form.isVisible());
    QTRY_COMPARE(form.pos(), resultsMovedTo);

    // Maximised results bring the form back maximised.
    QTest::mouseClick(Child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
    display = form.Display();
    QVERIFY(display && QTest::qWaitForWindowExposed(display));
    display->showMaximized();
    QTest::mouseClick(Child<QPushButton>(*display, "cmdOK"), Qt::LeftButton);
    QTRY_VERIFY(form.isVisible());
    QVERIFY(form.windowState() & Qt::WindowMaximized);
    QVERIFY(messages.shown.isEmpty());
  }

  // At twice the scale on 1920×1080 (960×540 logical pixels) every control
  // of the form is inside the screen and keeps at least a line's height.
  void formAtTwiceTheScale() {
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(960, 540));
    FrmMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(300);
    Screenshot(QStringLiteral("form-2x.png"));
    QVERIFY2(Available().contains(form.frameGeometry()), qPrintable(QString("%1x%2").arg(form.width()).arg(form.height())));
    auto* scroll = form.findChild<QScrollArea*>(QStringLiteral("scrForm"));
    QVERIFY(scroll);
    for (const char* name : {"txtName", "cboMonth", "cmbTimeZone", "chkDST", "txtLatD", "txtLatM", "optLat1", "txtLonD",
                             "txtLonM", "optLong1", "txtMCity", "txtMCountry", "cmdBrowser", "cmdRashi"}) {
      QWidget* control = Child<QWidget>(form, name);
      QVERIFY2(control->height() >= control->fontMetrics().height(), name);
      QVERIFY2(control->width() >= control->minimumSizeHint().width(), name);
      // Reachable: scrolled to, it lies inside the window on the screen.
      scroll->ensureWidgetVisible(control);
      QVERIFY2(scroll->viewport()->rect().contains(RectIn(control, scroll->viewport())), name);
    }
  }
};

QTEST_MAIN(RealWindowTest)
#include "real_window_xvfb.moc"
