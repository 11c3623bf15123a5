#include "ui/theme.h"

#include "ui/focus_ring.h"
#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace orbisca::ui {
namespace {

QString Css(const QColor& colour) { return colour.name(); }

// `share` of `colour` over `ground`, channel by channel.
QColor Mix(const QColor& colour, const QColor& ground, qreal share) {
  const auto channel = [share](int c, int g) { return qRound(share * c + (1 - share) * g); };
  return QColor(channel(colour.red(), ground.red()), channel(colour.green(), ground.green()),
                channel(colour.blue(), ground.blue()));
}

// One orientation of a scroll bar: the arrows are triangles drawn by the
// borders of an empty box.
// Lengths are given in the box's own em (the height of its font), since the
// style sheets' em follows the application's font, not the widget's.
QString Em(int em, qreal times) { return QStringLiteral("%1px").arg(qRound(em * times)); }

QString ScrollBarSheet(const QString& orientation, const QColor& groove, const QColor& handle, int em) {
  const bool vertical = orientation == QLatin1String("vertical");
  const QString along = vertical ? QStringLiteral("height") : QStringLiteral("width");
  const QString across = vertical ? QStringLiteral("width") : QStringLiteral("height");
  const QString g = Css(groove), h = Css(handle);
  const QString sheet = QStringLiteral(
      "QScrollBar:%1 { background: %2; %4: %9; margin: %5; border: none; }"
      "QScrollBar::handle:%1 { background: %3; min-%6: %10; border: %11 solid %2; border-radius: %12; }"
      "QScrollBar::add-page:%1, QScrollBar::sub-page:%1 { background: none; }"
      "QScrollBar::add-line:%1, QScrollBar::sub-line:%1 { background: %2; %6: %9; %4: %9;"
      " subcontrol-origin: margin; border: none; }"
      "QScrollBar::sub-line:%1 { subcontrol-position: %7; }"
      "QScrollBar::add-line:%1 { subcontrol-position: %8; }");
  QString arrows;
  const struct {
    const char* arrow;
    const char* pointSide;  // the border that is drawn: the triangle's base
  } kArrows[] = {{"up", "bottom"}, {"down", "top"}, {"left", "right"}, {"right", "left"}};
  for (const auto& a : kArrows) {
    const bool verticalArrow = QLatin1String(a.arrow) == QLatin1String("up") ||
                               QLatin1String(a.arrow) == QLatin1String("down");
    if (verticalArrow != vertical) continue;
    const QString sides = vertical ? QStringLiteral("border-left: %2 solid %1; border-right: %2 solid %1;")
                                   : QStringLiteral("border-top: %2 solid %1; border-bottom: %2 solid %1;");
    arrows += QStringLiteral("QScrollBar::%1-arrow:%2 { width: 0; height: 0; background: none; %3 border-%4: %6 solid %5; }")
                  .arg(QLatin1String(a.arrow), orientation, sides.arg(g, Em(em, 0.3)), QLatin1String(a.pointSide), h,
                       Em(em, 0.4));
  }
  const QString arrowLength = Em(em, 1.2);
  return sheet
             .arg(orientation, g, h, across, vertical ? arrowLength + QStringLiteral(" 0") : QStringLiteral("0 ") + arrowLength,
                  along, vertical ? QStringLiteral("top") : QStringLiteral("left"),
                  vertical ? QStringLiteral("bottom") : QStringLiteral("right"))
             .arg(arrowLength, Em(em, 2), Em(em, 0.2), Em(em, 0.4)) +
         arrows;
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
  area->verticalScrollBar()->setStyleSheet(ScrollBarSheet(QStringLiteral("vertical"), groove, handle, em));
  area->horizontalScrollBar()->setStyleSheet(ScrollBarSheet(QStringLiteral("horizontal"), groove, handle, em));
}

void StyleAsLink(QLabel* label, QFont font) {
  font.setUnderline(true);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: %1;").arg(kLinkBlue.name()));
}

}  // namespace orbisca::ui
