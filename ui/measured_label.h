#pragma once

#include <QLabel>

namespace orbisca::ui {

// A plain-text label whose size hints and heights for a width are measured
// once per process for the same text, font, width and settings, and then
// looked up. Qt measures a word-wrapped label anew at every question (each
// time shaping its whole text), and a window of many labels asks the same
// questions for each of them at each of the widths its layouts try. The
// answers are those of QLabel itself; a label that is not plain text, or
// whose text can be selected, is measured by QLabel every time.
class MeasuredLabel : public QLabel {
 public:
  explicit MeasuredLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
  }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  int heightForWidth(int width) const override;
};

}  // namespace orbisca::ui
