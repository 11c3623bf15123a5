// The windows' sizes: at its minimum size every window still shows each
// control whole (no box crushed, no wrapped text cut, no group emptied); each
// window opens inside the screen it is given, letting its scrolling boxes give
// way rather than its buttons; and a desktop font larger than the windows'
// own makes every window and its layout grow.

#include "ui/window_fit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>
#include <functional>
#include <memory>

#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/frm_save.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

// The windows under test, each with the buttons that must stay in view.
struct WindowCase {
  std::function<std::unique_ptr<QWidget>()> make;
  QStringList buttons;
};

WindowCase Window(const QString& name) {
  if (name == QLatin1String("frmMain")) {
    return {[] { return std::make_unique<FrmMain>(); }, {"cmdBrowser", "cmdRashi"}};
  }
  if (name == QLatin1String("frmDisplay")) {
    return {[] {
              auto display = std::make_unique<FrmDisplay>();
              display->setAttribute(Qt::WA_DeleteOnClose, false);
              return display;
            },
            {"Command1", "cmdExit", "cmdOK"}};
  }
  return {[] { return std::make_unique<FrmSave>(AspectTexts{}); }, {"cmdSave", "cmdPrint"}};
}

// Sets the application font for the length of a test.
class ScopedAppFont {
 public:
  explicit ScopedAppFont(qreal points) : saved_(QApplication::font()) {
    QFont font = saved_;
    font.setPointSizeF(points);
    QApplication::setFont(font);
  }
  ~ScopedAppFont() { QApplication::setFont(saved_); }

 private:
  QFont saved_;
};

// Whether the widget receives no layout request for `ms` milliseconds.
bool QuietFor(QWidget* widget, int ms) {
  struct Counter : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::LayoutRequest) ++count;
      return false;
    }
    int count = 0;
  } counter;
  widget->installEventFilter(&counter);
  QTest::qWait(ms);
  widget->removeEventFilter(&counter);
  return counter.count == 0;
}

// Whether `w` is the content of a box that scrolls, which may be larger than
// the box by design.
bool Scrolled(const QWidget* w, const QWidget* window) {
  for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
    if (qobject_cast<const QAbstractScrollArea*>(p)) return true;
  }
  return false;
}

// Every shown control of `window` as laid out now: none smaller than its
// minimum, no wrapped label shorter than its text, none outside its parent.
QStringList Crushed(QWidget& window) {
  QStringList crushed;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&window) || w->isWindow() || qobject_cast<QMenuBar*>(w->parentWidget())) continue;
    if (Scrolled(w, &window)) continue;
    const QString name =
        w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
    // A wrapped text needs its height at its width (a container's height for
    // width is only what it prefers; its parts are checked one by one).
    if (qobject_cast<QLabel*>(w) && w->hasHeightForWidth()) {
      least.setHeight(std::max(least.height(), w->heightForWidth(w->width())));
    }
    if (w->width() < least.width() || w->height() < least.height()) {
      crushed << QStringLiteral("%1 %2x%3 < %4x%5")
                     .arg(name)
                     .arg(w->width())
                     .arg(w->height())
                     .arg(least.width())
                     .arg(least.height());
    }
    const QWidget* parent = w->parentWidget();
    if (parent && !parent->rect().contains(w->geometry())) crushed << name + QStringLiteral(" outside its parent");
  }
  return crushed;
}

// The word-wrapped labels of one description frame overlap nowhere.
QStringList Overlaps(QWidget& frame) {
  QStringList overlaps;
  const QList<QLabel*> labels = frame.findChildren<QLabel*>();
  for (int i = 0; i < labels.size(); ++i) {
    for (int j = i + 1; j < labels.size(); ++j) {
      if (labels[i]->geometry().intersects(labels[j]->geometry()))
        overlaps << labels[i]->text() + " / " + labels[j]->text();
    }
  }
  return overlaps;
}

// Shows the window at its minimum size and lays it out.
void ShowAtMinimum(QWidget& window) {
  window.show();
  QTest::qWait(50);  // the minimum follows the content once it is laid out
  window.resize(window.minimumSize());
  QCoreApplication::processEvents();
  if (window.layout()) window.layout()->activate();
}

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private slots:
  void minimumShowsEveryControl_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<qreal>("fontPoints");
    for (const char* window : {"frmMain", "frmDisplay", "frmSave"}) {
      QTest::addRow("%s desktop font 9 pt", window) << QString(window) << 9.0;
      QTest::addRow("%s desktop font 16 pt", window) << QString(window) << 16.0;
    }
  }

  // Every tab of the results window is looked at, since each has its own
  // description; at the minimum size each shows whole, its captions apart.
  void minimumShowsEveryControl() {
    QFETCH(QString, window);
    QFETCH(qreal, fontPoints);
    ScopedAppFont font(fontPoints);
    const std::unique_ptr<QWidget> w = Window(window).make();
    FitWithin(w.get(), QRect(0, 0, 4000, 3000));  // the test screen is too small for 16 pt
    ShowAtMinimum(*w);
    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    for (int tab = 0; tab < (tabs ? tabs->count() : 1); ++tab) {
      if (tabs) {
        // A page shown for the first time lays itself out, and the window's
        // minimum follows it: look once the window has settled at its minimum.
        tabs->setCurrentIndex(tab);
        QTest::qWait(20);
        w->resize(w->minimumSize());
        QTest::qWait(20);
        // The aspect tabs have a description frame; a tab of another kind has none.
        if (auto* frame = w->findChild<QGroupBox*>(QStringLiteral("Frame1_%1").arg(tab))) {
          QCOMPARE(Overlaps(*frame), QStringList());
        }
      }
      const QStringList crushed = Crushed(*w);
      QVERIFY2(crushed.isEmpty(), qPrintable(QStringLiteral("tab %1: ").arg(tab) + crushed.join(QStringLiteral("; "))));
    }
  }

  // A line added to the form later (a note under a row) raises the minimum
  // with it.
  void minimumFollowsAddedText() {
    FrmMain form;
    ShowAtMinimum(form);
    const QSize before = form.minimumSize();
    auto* panel = Child<QWidget>(form, "fraEntry");
    auto* note = new QLabel(
        QStringLiteral("A note that wraps over several lines at the form's narrowest width. ").repeated(4), panel);
    note->setWordWrap(true);
    qobject_cast<QGridLayout*>(panel->layout())->addWidget(note, 8, 0, 1, 2);
    QTRY_VERIFY(form.minimumHeight() > before.height());
    form.resize(form.minimumSize());
    QCoreApplication::processEvents();
    const QStringList crushed = Crushed(form);
    QVERIFY2(crushed.isEmpty(), qPrintable(crushed.join(QStringLiteral("; "))));
  }

  void opensWithinScreen_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<qreal>("fontPoints");
    for (const char* window : {"frmMain", "frmDisplay", "frmSave"}) {
      QTest::addRow("%s 800x600", window) << QString(window) << QRect(0, 0, 800, 600) << 9.0;
      // A 1600x1200 screen at twice the scale, with a larger desktop font.
      QTest::addRow("%s 800x600 font 12 pt", window) << QString(window) << QRect(0, 0, 800, 600) << 12.0;
    }
    // Only the windows with boxes that scroll can be shorter than their content.
    for (const char* window : {"frmDisplay", "frmSave"}) {
      QTest::addRow("%s 640x480 with a panel", window) << QString(window) << QRect(0, 32, 640, 448) << 9.0;
      QTest::addRow("%s 800x600 font 16 pt", window) << QString(window) << QRect(0, 0, 800, 600) << 16.0;
    }
  }

  void opensWithinScreen() {
    QFETCH(QString, window);
    QFETCH(QRect, screen);
    QFETCH(qreal, fontPoints);
    ScopedAppFont font(fontPoints);
    const WindowCase c = Window(window);
    const std::unique_ptr<QWidget> w = c.make();
    FitWithin(w.get(), screen);
    w->show();
    QCoreApplication::processEvents();
    QVERIFY2(w->width() <= screen.width() && w->height() <= screen.height(),
             qPrintable(QStringLiteral("%1x%2").arg(w->width()).arg(w->height())));
    QVERIFY(w->minimumWidth() <= screen.width() && w->minimumHeight() <= screen.height());
    // Even at its minimum the buttons are whole and inside the window.
    w->resize(w->minimumSize());
    QCoreApplication::processEvents();
    for (const QString& name : c.buttons) {
      auto* button = Child<QPushButton>(*w, name);
      // A form too tall for the screen scrolls: the button must come whole
      // into the window once scrolled to, as Tab would scroll to it.
      for (QWidget* up = button->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(up)) {
          area->ensureWidgetVisible(button, 0, 0);
          QCoreApplication::processEvents();
          break;
        }
      }
      const QRect inWindow(button->mapTo(w.get(), QPoint(0, 0)), button->size());
      QVERIFY2(w->rect().contains(inWindow), qPrintable(name));
      QVERIFY2(button->height() >= button->minimumSizeHint().height(), qPrintable(name));
    }
    // The boxes that gave way still show two lines and scroll the rest.
    for (QTextEdit* box : w->findChildren<QTextEdit*>()) {
      if (!box->isVisibleTo(w.get())) continue;
      QVERIFY2(box->height() >= 2 * box->fontMetrics().lineSpacing(), qPrintable(box->objectName()));
    }
  }

  // A roomy screen leaves the minimum as the content wants it.
  void roomyScreenKeepsContentMinimum() {
    FrmDisplay display;
    display.setAttribute(Qt::WA_DeleteOnClose, false);
    const QSize content = ContentMinimumSize(&display);
    FitWithin(&display, QRect(0, 0, 4000, 3000));
    QCOMPARE(display.minimumSize(), content);
    FitWithin(&display, QRect(0, 0, 700, 400));
    QVERIFY(display.minimumHeight() <= 400);
    // Once fitted, the window comes to rest: no endless round of layout
    // requests (a few while the tabs settle are fine).
    display.show();
    QTRY_VERIFY_WITH_TIMEOUT(QuietFor(&display, 200), 5000);
    FitWithin(&display, QRect(0, 0, 4000, 3000));  // room again: the boxes regain their height
    QCOMPARE(display.minimumSize(), content);
  }

  void largerDesktopFont_data() {
    QTest::addColumn<qreal>("desktopPoints");
    QTest::addColumn<qreal>("bodyPoints");
    QTest::newRow("9 pt: the windows' own 9") << 9.0 << 9.0;
    QTest::newRow("9.75 pt: still their own") << 9.75 << 9.0;
    QTest::newRow("12 pt: the desktop's") << 12.0 << 12.0;
    QTest::newRow("16 pt: the desktop's") << 16.0 << 16.0;
  }

  // The body text and the menu bar take the desktop's size once it is the
  // larger; the other texts keep their proportion, and the window grows.
  void largerDesktopFont() {
    QFETCH(qreal, desktopPoints);
    QFETCH(qreal, bodyPoints);
    QSize smallMinimum;
    {
      FrmMain form;
      smallMinimum = form.minimumSize();
    }
    ScopedAppFont font(desktopPoints);
    FrmMain form;
    QCOMPARE(form.font().pointSizeF(), bodyPoints);
    QCOMPARE(form.menuBar()->font().pointSizeF(), bodyPoints);
    QCOMPARE(Child<QLabel>(form, "Label2")->font().pointSizeF(), bodyPoints * 10 / 9);
    FrmDisplay display;
    display.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(display.font().pointSizeF(), bodyPoints);
    QCOMPARE(Child<QLabel>(display, "Label11_0")->font().pointSizeF(), bodyPoints * 14.25 / 9);
    if (bodyPoints > 9) {
      QVERIFY(form.minimumWidth() > smallMinimum.width());
      QVERIFY(form.minimumHeight() > smallMinimum.height());
    } else {
      QCOMPARE(form.minimumSize(), smallMinimum);
    }
  }
};

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"
