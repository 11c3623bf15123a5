#pragma once

#include <QMessageBox>
#include <QString>

namespace orbisca::ui {

// What a box's keystroke filter makes of one character code: the character to
// insert (0 drops it) and, when it is refused, the message to show.
struct KeyVerdict {
  char16_t key = 0;
  QString message;  // empty when the character passes
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline constexpr char16_t kBackspace = 8;
inline constexpr char16_t kEnter = 13;

// txtName_KeyPress: letters (lower case made capital), space, Enter and
// Backspace pass; anything else is refused.
KeyVerdict NameKeyPress(char16_t keyAscii);

// The degree and minute boxes: digits and Backspace pass; anything else is refused.
KeyVerdict NumberKeyPress(char16_t keyAscii);

}  // namespace orbisca::ui
