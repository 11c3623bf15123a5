#include "ui/enter_key.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace orbisca::ui {
namespace {

class EnterPresses final : public QObject {
 public:
  EnterPresses(QWidget* control, QAbstractButton* button) : QObject(control), button_(button) {
    control->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    if (!button_ || !button_->isEnabled()) return false;
    if (!key->isAutoRepeat()) button_->click();  // held down, it presses once
    return true;
  }

 private:
  QPointer<QAbstractButton> button_;
};

}  // namespace

void PressOnEnter(QWidget* control, QAbstractButton* button) { new EnterPresses(control, button); }

}  // namespace orbisca::ui
