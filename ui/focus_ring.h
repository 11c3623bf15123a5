#pragma once

#include <QPointer>
#include <QWidget>

namespace orbisca::ui {

// A ring two pixels wide drawn just outside the control that has the keyboard
// focus in one window, in white, black or navy, whichever stands out most from
// both the control and the surface around it. The style's own focus frames
// are a thin line in a tint of the highlight colour, near invisible on the
// windows' dark grey and light blue. Controls that draw a ring of their own
// are marked with KeepOwnFocusRing.
class FocusRing : public QWidget {
  Q_OBJECT

 public:
  explicit FocusRing(QWidget* window);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Follow(QWidget* focused);
  void Place();

  QWidget* window_;
  QPointer<QWidget> target_;
  QColor colour_;
};

void KeepOwnFocusRing(QWidget* control);

// Rings the focused control of `window`.
void AddFocusRing(QWidget* window);

}  // namespace orbisca::ui
