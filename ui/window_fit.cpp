#include "ui/window_fit.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace orbisca::ui {
namespace {

const char* const kGivesWay = "orbiscaGivesWay";
const char* const kFullMinimum = "orbiscaFullMinimumHeight";

// The least a box that gives way keeps: two lines of its text.
int LeastHeight(const QWidget* box) { return box->fontMetrics().lineSpacing() * 2 + 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth); }

QList<QWidget*> GivingWay(QWidget* window) {
  QList<QWidget*> boxes;
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (child->property(kGivesWay).toBool()) boxes.append(child);
  }
  return boxes;
}

}  // namespace

QSize ContentMinimumSize(const QWidget* window) {
  if (QLayout* own = window->layout()) own->activate();
  const QSize layoutMinimum = window->minimumSizeHint();
  const auto* mainWindow = qobject_cast<const QMainWindow*>(window);
  const QWidget* holder = mainWindow ? mainWindow->centralWidget() : window;
  QLayout* content = holder ? holder->layout() : nullptr;
  if (!content || !content->hasHeightForWidth()) return layoutMinimum;
  // Whatever the window adds around its content (a menu bar) keeps its height.
  const int around = mainWindow ? layoutMinimum.height() - holder->minimumSizeHint().height() : 0;
  const int height = around + content->totalMinimumHeightForWidth(layoutMinimum.width());
  return QSize(layoutMinimum.width(), std::max(height, layoutMinimum.height()));
}

void MarkAsGivingWay(QWidget* box) {
  box->setProperty(kGivesWay, true);
  box->setProperty(kFullMinimum, box->minimumHeight());
}

void FitWithin(QWidget* window, const QRect& available) {
  const QList<QWidget*> boxes = GivingWay(window);
  for (QWidget* box : boxes) box->setMinimumHeight(box->property(kFullMinimum).toInt());
  QSize minimum = ContentMinimumSize(window);
  const int excess = minimum.height() - available.height();
  if (excess > 0 && !boxes.isEmpty()) {
    // The boxes stand side by side on separate tabs, so each gives the whole excess.
    for (QWidget* box : boxes) box->setMinimumHeight(std::max(LeastHeight(box), box->minimumHeight() - excess));
    minimum = ContentMinimumSize(window);
  }
  window->setMinimumSize(minimum.boundedTo(available.size()));
  window->resize(window->size().boundedTo(available.size()).expandedTo(window->minimumSize()));
  if (window->testAttribute(Qt::WA_Moved)) {
    QRect frame(window->pos(), window->size());
    frame.moveRight(std::min(frame.right(), available.right()));
    frame.moveBottom(std::min(frame.bottom(), available.bottom()));
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
    window->move(frame.topLeft());
  }
}

void FitToScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // Before the window is shown its frame is unknown: leave room for a title
  // bar and the frame's edges.
  const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
  const int edge = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  FitWithin(window, screen->availableGeometry().adjusted(edge, titleBar + edge, -edge, -edge));
}

}  // namespace orbisca::ui
