#include "ui/key_filters.h"

namespace orbisca::ui {

KeyVerdict NameKeyPress(char16_t keyAscii) {
  if (keyAscii >= u'A' && keyAscii <= u'Z') return {keyAscii, {}, QMessageBox::NoIcon};
  if (keyAscii >= u'a' && keyAscii <= u'z') return {static_cast<char16_t>(keyAscii - 32), {}, QMessageBox::NoIcon};
  if (keyAscii == u' ' || keyAscii == kEnter || keyAscii == kBackspace) return {keyAscii, {}, QMessageBox::NoIcon};
  return {0, QStringLiteral("Please Enter only Letters"), QMessageBox::Information};
}

KeyVerdict NumberKeyPress(char16_t keyAscii) {
  if ((keyAscii >= u'0' && keyAscii <= u'9') || keyAscii == kBackspace) return {keyAscii, {}, QMessageBox::NoIcon};
  return {0, QStringLiteral("Only Numbers Are Accepted"), QMessageBox::Critical};
}

}  // namespace orbisca::ui
