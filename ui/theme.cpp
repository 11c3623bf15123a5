#include "ui/theme.h"

#include <QPalette>
#include <QWidget>

namespace orbisca::ui {

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

}  // namespace orbisca::ui
