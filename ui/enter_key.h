#pragma once

class QAbstractButton;
class QWidget;

namespace orbisca::ui {

// Enter and keypad Enter on `control` click `button`, which may be the
// control itself: a focused button is pressed by Enter as it is by Space,
// and Enter in a box of a form presses the form's main button. Other keys,
// and Enter with Ctrl, Alt or Shift, reach the control as before.
void PressOnEnter(QWidget* control, QAbstractButton* button);

}  // namespace orbisca::ui
