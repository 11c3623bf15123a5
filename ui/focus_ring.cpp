#include "ui/focus_ring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QTabBar>
#include <algorithm>
#include <algorithm>

#include "ui/colours.h"

namespace orbisca::ui {
namespace {

constexpr int kWidth = 2;  // the ring
constexpr int kGap = 1;    // between the control and the ring
const char* const kOwnRing = "orbiscaOwnFocusRing";

// The candidate that stands out most from the weaker of its two neighbours.
QColor RingColour(const QColor& face, const QColor& surface) {
  QColor best;
  double bestContrast = 0;
  for (const QColor& candidate : {kFocusRing, kInk, kButtonEdge}) {
    const double c = std::min(ContrastRatio(candidate, face), ContrastRatio(candidate, surface));
    if (c > bestContrast) bestContrast = c, best = candidate;
  }
  return best;
}

QColor Face(const QWidget* control) {
  const QPalette::ColorRole role =
      control->testAttribute(Qt::WA_InputMethodEnabled) ? QPalette::Base : control->backgroundRole();
  return control->palette().color(role);
}

}  // namespace

void KeepOwnFocusRing(QWidget* control) { control->setProperty(kOwnRing, true); }

void AddFocusRing(QWidget* window) { new FocusRing(window); }

FocusRing::FocusRing(QWidget* window) : QWidget(window), window_(window) {
  setObjectName(QStringLiteral("focusRing"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
}

void FocusRing::Follow(QWidget* focused) {
  if (target_) target_->removeEventFilter(this);
  target_ = nullptr;
  const bool ours = focused && focused->window() == window_ && focused->parentWidget() &&
                    !focused->property(kOwnRing).toBool() && !qobject_cast<QTabBar*>(focused);
  if (!ours) {
    hide();
    return;
  }
  target_ = focused;
  target_->installEventFilter(this);  // follows moves, resizes and hiding
  setParent(focused->parentWidget());
  colour_ = RingColour(Face(focused), focused->parentWidget()->palette().color(QPalette::Window));
  Place();
}

void FocusRing::Place() {
  if (!target_ || !target_->isVisible()) {
    hide();
    return;
  }
  const int out = kGap + kWidth;
  setGeometry(target_->geometry().adjusted(-out, -out, out, out));
  raise();
  show();
  update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == target_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                             event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
    Place();
  }
  return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(colour_, kWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  const qreal half = kWidth / 2.0;
  painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace orbisca::ui
