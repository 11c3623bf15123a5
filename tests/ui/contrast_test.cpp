// What the windows really draw, measured on their pixels: the light-blue
// buttons in their own colour with a focus ring and a pressed face that stand
// out, a chosen tab that stands out from the others and joins its page, and
// scroll-bar handles that stand out from their grooves. Contrast is the WCAG
// ratio of relative luminances; 3:1 is the least for parts of controls and
// their states (the non-text contrast rule).

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>
#include <cmath>
#include <memory>

#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/frm_save.h"
#include "ui/theme.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

constexpr double kLeastContrast = 3.0;

double Contrast(const QColor& a, const QColor& b) { return orbisca::ui::ContrastRatio(a, b); }

// The colours of the pixels inside `area`, most frequent first.
QList<QColor> Colours(const QImage& image, const QRect& area) {
  QHash<QRgb, int> counts;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) ++counts[image.pixel(x, y) | 0xff000000u];
  }
  QList<QRgb> colours = counts.keys();
  std::sort(colours.begin(), colours.end(), [&](QRgb a, QRgb b) { return counts[a] > counts[b]; });
  QList<QColor> result;
  for (QRgb rgb : colours) result.append(QColor(rgb));
  return result;
}

QColor Dominant(const QImage& image, const QRect& area) { return Colours(image, area).value(0); }

QImage Picture(QWidget* widget) {
  QCoreApplication::processEvents();
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pixels that changed between two pictures of one widget by at least the
// least contrast, and the colour most of them changed to.
struct Change {
  int strongPixels = 0;
  QColor colour;
};

Change StrongChange(const QImage& before, const QImage& after) {
  Change change;
  QHash<QRgb, int> counts;
  for (int y = 0; y < std::min(before.height(), after.height()); ++y) {
    for (int x = 0; x < std::min(before.width(), after.width()); ++x) {
      if (Contrast(before.pixel(x, y), after.pixel(x, y)) < kLeastContrast) continue;
      ++change.strongPixels;
      ++counts[after.pixel(x, y)];
    }
  }
  int most = 0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > most) most = it.value(), change.colour = QColor(it.key());
  }
  return change;
}

// The colour around `widget` on its parent: a band a few pixels wide outside it.
QColor Surroundings(QWidget* widget) {
  QWidget* parent = widget->parentWidget();
  const QImage image = Picture(parent);
  QHash<QRgb, int> counts;
  const QRect inner = widget->geometry();
  const QRect outer = inner.adjusted(-4, -4, 4, 4).intersected(image.rect());
  for (int y = outer.top(); y <= outer.bottom(); ++y) {
    for (int x = outer.left(); x <= outer.right(); ++x) {
      if (!inner.contains(x, y)) ++counts[image.pixel(x, y)];
    }
  }
  QRgb best = 0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > counts.value(best)) best = it.key();
  }
  return QColor(best);
}

std::unique_ptr<QWidget> MakeWindow(const QString& name) {
  if (name == QLatin1String("frmMain")) return std::make_unique<FrmMain>();
  if (name == QLatin1String("frmSave")) {
    AspectTexts texts;
    for (std::string& text : texts) {
      for (int line = 0; line < 20; ++line) text += "Sun - Moon\r\n";
    }
    return std::make_unique<FrmSave>(texts);
  }
  auto display = std::make_unique<FrmDisplay>();
  display->setAttribute(Qt::WA_DeleteOnClose, false);
  return display;
}

void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) qFatal("window not active");
}

QString Describe(const QColor& c) { return QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue()); }

}  // namespace

class ContrastTest : public QObject {
  Q_OBJECT

 private slots:
  // The ratio against published WCAG values: the two extremes, and the grey
  // that is the lightest to reach 4.5:1 on white (#767676, 4.54:1).
  void contrastRatio_data() {
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("same colour") << QColor(118, 118, 118) << QColor(118, 118, 118) << 1.0;
    QTest::newRow("#767676 on white") << QColor(118, 118, 118) << QColor(Qt::white) << 4.54;
  }

  void contrastRatio() {
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(double, ratio);
    QVERIFY2(std::abs(Contrast(first, second) - ratio) < 0.005, qPrintable(QString::number(Contrast(first, second))));
  }

  void buttons_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::newRow("form Proceed") << "frmMain"
                                  << "cmdRashi";
    QTest::newRow("form lookup") << "frmMain"
                                 << "cmdBrowser";
    QTest::newRow("results Print") << "frmDisplay"
                                   << "Command1";
    QTest::newRow("results Exit") << "frmDisplay"
                                  << "cmdExit";
    QTest::newRow("results Back") << "frmDisplay"
                                  << "cmdOK";
  }

  // The face is the windows' light blue itself, not a lighter gradient; the
  // focus ring changes at least a ring of pixels by 3:1 and stands 3:1 from
  // both the face and the window around the button; pressing changes the face
  // by 3:1.
  void buttons() {
    QFETCH(QString, window);
    QFETCH(QString, button);
    const std::unique_ptr<QWidget> w = MakeWindow(window);
    ShowActive(*w);
    auto* b = Child<QPushButton>(*w, button);
    w->setFocus();  // away from the button
    b->clearFocus();
    const QImage resting = Picture(b);
    const QColor face = Dominant(resting, resting.rect());
    QCOMPARE(Describe(face), Describe(kLightBlue));

    b->setFocus(Qt::TabFocusReason);
    QVERIFY(b->hasFocus());
    const Change ring = StrongChange(resting, Picture(b));
    const int perimeter = 2 * (b->width() + b->height());
    QVERIFY2(ring.strongPixels >= perimeter,
             qPrintable(QStringLiteral("%1 of %2").arg(ring.strongPixels).arg(perimeter)));
    QVERIFY2(Contrast(ring.colour, face) >= kLeastContrast, qPrintable(Describe(ring.colour)));
    const QColor around = Surroundings(b);
    QVERIFY2(Contrast(ring.colour, around) >= kLeastContrast,
             qPrintable(Describe(ring.colour) + " on " + Describe(around)));

    b->setDown(true);
    const QImage pressed = Picture(b);
    b->setDown(false);
    const QColor pressedFace = Dominant(pressed, pressed.rect());
    QVERIFY2(Contrast(pressedFace, face) >= kLeastContrast, qPrintable(Describe(pressedFace)));
  }

  void focusRings_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("elsewhere");  // holds the focus first, far from the control
    for (const char* name : {"txtName", "cboMonth", "cmbTimeZone", "chkDST", "txtLatD", "optLat0", "txtMCity"}) {
      QTest::addRow("form %s", name) << "frmMain" << name << "cmdRashi";
    }
    QTest::newRow("results box") << "frmDisplay"
                                 << "RTBAspectsDescConjunction"
                                 << "cmdOK";
    QTest::newRow("report box") << "frmSave"
                                << "RTB"
                                << "cmdSave";
    QTest::newRow("report Save") << "frmSave"
                                 << "cmdSave"
                                 << "RTB";
  }

  // Every other control: the focus changes, in and around it, at least a
  // ring of pixels by 3:1, in a colour 3:1 from the surface around it.
  void focusRings() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, elsewhere);
    const std::unique_ptr<QWidget> w = MakeWindow(window);
    ShowActive(*w);
    Child<QWidget>(*w, elsewhere)->setFocus(Qt::TabFocusReason);
    auto* c = Child<QWidget>(*w, control);
    QWidget* parent = c->parentWidget();
    const QRect around = c->geometry().adjusted(-4, -4, 4, 4);
    const QImage resting = Picture(parent).copy(around);
    const QColor surface = Surroundings(c);
    c->setFocus(Qt::TabFocusReason);
    QVERIFY(c->hasFocus());
    const Change ring = StrongChange(resting, Picture(parent).copy(around));
    const int perimeter = 2 * (c->width() + c->height());
    QVERIFY2(ring.strongPixels >= perimeter,
             qPrintable(QStringLiteral("%1 of %2").arg(ring.strongPixels).arg(perimeter)));
    QVERIFY2(Contrast(ring.colour, surface) >= kLeastContrast,
             qPrintable(Describe(ring.colour) + " on " + Describe(surface)));
  }

  void chosenTab_data() {
    QTest::addColumn<int>("chosen");
    QTest::newRow("first") << 0;
    QTest::newRow("middle") << 3;
    QTest::newRow("last") << 6;
  }

  // The chosen tab has its page's colour and no line between the two; every
  // other tab differs from it by 3:1; with the focus on the tab bar the
  // chosen tab is ringed at 3:1.
  void chosenTab() {
    QFETCH(int, chosen);
    FrmDisplay display;
    display.setAttribute(Qt::WA_DeleteOnClose, false);
    ShowActive(display);
    auto* tabs = Child<QTabWidget>(display, "SSTab1");
    tabs->setCurrentIndex(chosen);
    QTabBar* bar = tabs->tabBar();
    const QImage picture = Picture(bar);
    // The page's own colour shows in its margin, above the description.
    const QColor page = Dominant(Picture(tabs->currentWidget()), QRect(0, 0, tabs->currentWidget()->width(), 3));
    const QColor chosenFace = Dominant(picture, bar->tabRect(chosen));
    QCOMPARE(Describe(chosenFace), Describe(page));
    for (int tab = 0; tab < bar->count(); ++tab) {
      if (tab == chosen) continue;
      const QColor other = Dominant(picture, bar->tabRect(tab));
      QVERIFY2(Contrast(other, chosenFace) >= kLeastContrast,
               qPrintable(QStringLiteral("tab %1: %2 against %3").arg(tab).arg(Describe(other), Describe(chosenFace))));
    }
    // From the tab's foot down into the page's margin, one colour.
    const QImage whole = Picture(tabs);
    const QRect tabRect(bar->mapTo(tabs, bar->tabRect(chosen).topLeft()), bar->tabRect(chosen).size());
    const int pageTop = tabs->currentWidget()->mapTo(tabs, QPoint(0, 0)).y();
    const QRect join(tabRect.left() + 4, tabRect.bottom() - 2, tabRect.width() - 8,
                     pageTop + 3 - (tabRect.bottom() - 2));
    QCOMPARE(Colours(whole, join).size(), 1);
    QCOMPARE(Describe(Colours(whole, join).first()), Describe(page));

    Child<QPushButton>(display, "cmdOK")->setFocus();  // away from the tab bar
    const QImage unfocused = Picture(bar);
    bar->setFocus(Qt::TabFocusReason);
    QVERIFY(bar->hasFocus());
    const Change ring = StrongChange(unfocused, Picture(bar));
    const QRect r = bar->tabRect(chosen);
    QVERIFY2(ring.strongPixels >= r.width() + 2 * r.height(), qPrintable(QString::number(ring.strongPixels)));
    QVERIFY(Contrast(ring.colour, chosenFace) >= kLeastContrast);
  }

  void scrollBarHandles_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("result box") << "result box";
    QTest::newRow("report box") << "report box";
  }

  // A scroll bar over long content is mostly its groove and then its handle:
  // the two colours it is made of stand 3:1 apart.
  void scrollBarHandles() {
    QFETCH(QString, where);
    std::unique_ptr<QWidget> window;
    QScrollBar* bar = nullptr;
    if (where == QLatin1String("result box")) {
      window = MakeWindow("frmDisplay");
      auto* box = Child<QTextEdit>(*window, "RTBAspectsDescConjunction");
      box->setPlainText(QStringLiteral("Sun - Moon\n").repeated(200));
      bar = box->verticalScrollBar();
    } else {
      window = MakeWindow("frmSave");
      bar = Child<QTextEdit>(*window, "RTB")->verticalScrollBar();
    }
    ShowActive(*window);
    QVERIFY(bar->isVisible());
    const QList<QColor> colours = Colours(Picture(bar), bar->rect());
    QVERIFY(colours.size() >= 2);
    QVERIFY2(Contrast(colours[0], colours[1]) >= kLeastContrast,
             qPrintable(Describe(colours[0]) + " / " + Describe(colours[1])));
  }
};

QTEST_MAIN(ContrastTest)
#include "contrast_test.moc"
