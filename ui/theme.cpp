#include "ui/theme.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/focus_ring.h"

namespace orbisca::ui {
namespace {

QString Css(const QColor& colour) { return colour.name(); }

// `share` of `colour` over `ground`, channel by channel.
QColor Mix(const QColor& colour, const QColor& ground, qreal share) {
  const auto channel = [share](int c, int g) { return qRound(share * c + (1 - share) * g); };
  return QColor(channel(colour.red(), ground.red()), channel(colour.green(), ground.green()),
                channel(colour.blue(), ground.blue()));
}

// Lengths are given in the widget's own em (the height of its font), since the
// style sheets' em follows the application's font, not the widget's.
QString Em(int em, qreal times) { return QStringLiteral("%1px").arg(qRound(em * times)); }

// One orientation of a scroll bar. Its arrows are triangles: an empty box
// whose base border is drawn in the handle's colour, its sides in the groove's.
QString ScrollBarSheet(bool vertical, const QColor& groove, const QColor& handle, int em) {
  const QString o = vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal");
  const QString across = vertical ? QStringLiteral("width") : QStringLiteral("height");
  const QString along = vertical ? QStringLiteral("height") : QStringLiteral("width");
  const QString start = vertical ? QStringLiteral("top") : QStringLiteral("left");
  const QString end = vertical ? QStringLiteral("bottom") : QStringLiteral("right");
  const QString button = Em(em, 1.2);
  const QString g = Css(groove), h = Css(handle);
  QString sheet =
      QStringLiteral("QScrollBar:%1 { background: %2; %3: %4; margin: %5; border: none; }")
          .arg(o, g, across, button, vertical ? button + QStringLiteral(" 0") : QStringLiteral("0 ") + button);
  sheet += QStringLiteral("QScrollBar::handle:%1 { background: %2; min-%3: %4;"
                          " border: %5 solid %6; border-radius: %7; }")
               .arg(o, h, along, Em(em, 2), Em(em, 0.2), g, Em(em, 0.4));
  sheet += QStringLiteral("QScrollBar::add-page:%1, QScrollBar::sub-page:%1 { background: none; }").arg(o);
  sheet += QStringLiteral("QScrollBar::add-line:%1, QScrollBar::sub-line:%1 { background: %2; width: %3; height: %3;"
                          " subcontrol-origin: margin; border: none; }")
               .arg(o, g, button);
  sheet += QStringLiteral("QScrollBar::sub-line:%1 { subcontrol-position: %2; }"
                          "QScrollBar::add-line:%1 { subcontrol-position: %3; }")
               .arg(o, start, end);
  const QString side = vertical ? QStringLiteral("left") : QStringLiteral("top");
  const QString otherSide = vertical ? QStringLiteral("right") : QStringLiteral("bottom");
  const auto arrow = [&](const QString& name, const QString& base) {
    return QStringLiteral("QScrollBar::%1-arrow:%2 { width: 0; height: 0; background: none;"
                          " border-%3: %4 solid %5; border-%6: %4 solid %5; border-%7: %8 solid %9; }")
        .arg(name, o, side, Em(em, 0.3), g, otherSide, base, Em(em, 0.4), h);
  };
  // The arrow towards the start has its base at the end, and the other way round.
  sheet += arrow(vertical ? QStringLiteral("up") : QStringLiteral("left"), end);
  sheet += arrow(vertical ? QStringLiteral("down") : QStringLiteral("right"), start);
  return sheet;
}

}  // namespace

void Paint(QWidget* widget, const QColor& background, const QColor& text) {
  QPalette palette = widget->palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Window, background);
    palette.setColor(group, QPalette::Base, background);
    palette.setColor(group, QPalette::Button, background);
    palette.setColor(group, QPalette::WindowText, text);
    palette.setColor(group, QPalette::Text, text);
    palette.setColor(group, QPalette::ButtonText, text);
  }
  // Switched-off controls keep the background and show their text dimmed.
  palette.setColor(QPalette::Disabled, QPalette::Window, background);
  palette.setColor(QPalette::Disabled, QPalette::Base, background);
  palette.setColor(QPalette::Disabled, QPalette::Button, background);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void PaintPaper(QWidget* box) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, kPaper);
  palette.setColor(QPalette::Text, kInk);
  box->setPalette(palette);
}

void PaintMark(QWidget* control) {
  QPalette palette = control->palette();
  palette.setColor(QPalette::Base, kMarkFace);
  palette.setColor(QPalette::Text, kMarkInk);
  control->setPalette(palette);
}

QPushButton* LightBlueButton(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  Paint(button, kLightBlue, kInk);
  button->setStyleSheet(ButtonStyleSheet(button->font()));
  KeepOwnFocusRing(button);
  button->setAutoDefault(false);
  return button;
}

QString ButtonStyleSheet(const QFont& font) {
  const int em = QFontMetrics(font).height();
  // The ring replaces the outline, so focus does not move the caption.
  return QStringLiteral(
             "QPushButton { background: %1; color: %2; border: 2px solid %3; border-radius: 3px;"
             " padding: %7 %8; min-width: %9; }"
             "QPushButton:focus { border-color: %4; }"
             "QPushButton:pressed { background: %5; color: %6; }")
      .arg(Css(kLightBlue), Css(kInk), Css(kButtonEdge), Css(kFocusRing), Css(kPressedFace), Css(kPressedText),
           Em(em, 0.3), Em(em, 1), Em(em, 4));
}

void StyleTabs(QTabWidget* tabs) {
  tabs->tabBar()->setDrawBase(false);
  const int em = QFontMetrics(tabs->font()).height();
  tabs->setStyleSheet(
      QStringLiteral(
          "QTabWidget::pane { border: none; background: %1; }"
          "QTabBar::tab { background: %2; color: %3; border: 2px solid %2; border-bottom: none;"
          " border-top-left-radius: 4px; border-top-right-radius: 4px; padding: %6 %7; margin-right: 2px; }"
          "QTabBar::tab:selected { background: %1; color: %4; border-color: %1; }"
          "QTabBar::tab:selected:focus { border-color: %5; }")
          .arg(Css(kLightBlue), Css(kTabFace), Css(kTabText), Css(kInk), Css(kFocusRing), Em(em, 0.3), Em(em, 0.8)));
}

void StyleScrollBars(QAbstractScrollArea* area) {
  const QPalette palette = area->palette();
  const QColor groove = palette.color(QPalette::Base);
  const QColor handle = Mix(palette.color(QPalette::Text), groove, 0.75);
  const int em = QFontMetrics(area->font()).height();
  area->verticalScrollBar()->setStyleSheet(ScrollBarSheet(true, groove, handle, em));
  area->horizontalScrollBar()->setStyleSheet(ScrollBarSheet(false, groove, handle, em));
}

void StyleAsLink(QLabel* label, QFont font) {
  font.setUnderline(true);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: %1;").arg(kLinkBlue.name()));
}

}  // namespace orbisca::ui
