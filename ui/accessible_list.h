#pragma once

#include <QComboBox>

namespace orbisca::ui {

// A drop-down list that screen readers know by its own name. On Linux Qt
// names a combo box by its current item ("January", "1901"), whatever
// accessible name it was given; this list brings its own accessibility
// interface, whose name is the accessible name set (or its buddy label's
// text) and whose value is the current item.
class AccessibleList : public QComboBox {
  Q_OBJECT

 public:
  explicit AccessibleList(QWidget* parent = nullptr);
};

}  // namespace orbisca::ui
