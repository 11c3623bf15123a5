#include "ui/link_label.h"

#include <QMouseEvent>

namespace orbisca::ui {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  setWordWrap(true);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
    event->accept();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace orbisca::ui
