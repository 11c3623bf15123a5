#include "ui/theme.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
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
  button->setAutoDefault(false);
  return button;
}

void StyleAsLink(QLabel* label, QFont font) {
  font.setUnderline(true);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: %1;").arg(kLinkBlue.name()));
}

}  // namespace orbisca::ui
