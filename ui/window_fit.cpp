#include "ui/window_fit.h"

#include <QApplication>
#include <QEvent>
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
const char* const kAvailable = "orbiscaAvailable";  // the room FitWithin last had

// The least a box that gives way keeps: two lines of its text.
int LeastHeight(const QWidget* box) {
  return box->fontMetrics().lineSpacing() * 2 + 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

// Fits the window again, within the room it last had, once its layout has
// settled after a change of its content.
class MinimumFollower : public QObject {
 public:
  explicit MinimumFollower(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::LayoutRequest && !pending_) {
      pending_ = true;
      QMetaObject::invokeMethod(
          this,
          [this] {
            pending_ = false;
            // Fitting sets minimums, which asks for layout again: only a change
            // of the content itself calls for a new fit.
            const QSize content = ContentMinimumSize(window_);
            if (content == fitted_) return;
            FitWithin(window_, window_->property(kAvailable).toRect());
            fitted_ = ContentMinimumSize(window_);
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QWidget* window_;
  QSize fitted_;  // the content's minimum as last fitted
  bool pending_ = false;
};

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
  // Word wrap counted; a part that has no height for width (a page of a tab
  // beside pages that do) is not, so its own minimum is taken as well.
  const int height = around + std::max(content->totalMinimumHeightForWidth(layoutMinimum.width()),
                                       content->totalMinimumSize().height());
  return QSize(layoutMinimum.width(), std::max(height, layoutMinimum.height()));
}

void MarkAsGivingWay(QWidget* box) {
  box->setProperty(kGivesWay, true);
  box->setProperty(kFullMinimum, box->minimumHeight());
}

void FitWithin(QWidget* window, const QRect& available) {
  window->setProperty(kAvailable, available);
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
  const QRect available = screen->availableGeometry().adjusted(edge, titleBar + edge, -edge, -edge);
  FitWithin(window, available);
  new MinimumFollower(window);
}

void ShowInPlaceOf(QWidget* window, const QWidget* from, bool takeSize) {
  if (from->isMaximized()) {
    window->showMaximized();
    return;
  }
  window->setWindowState(window->windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
  if (takeSize) window->resize(from->size().expandedTo(window->minimumSize()));
  // The frame the window manager adds, as `from` has it.
  const QSize frameExtra = from->frameGeometry().size() - from->geometry().size();
  QRect frame(from->pos(), window->size() + frameExtra);
  const QScreen* screen = from->screen() ? from->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QRect available = screen->availableGeometry();
    frame.moveRight(std::min(frame.right(), available.right()));
    frame.moveBottom(std::min(frame.bottom(), available.bottom()));
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
  }
  window->move(frame.topLeft());
  window->show();
}

}  // namespace orbisca::ui
