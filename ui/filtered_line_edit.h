#pragma once

#include <QLineEdit>
#include <functional>

#include "ui/key_filters.h"

namespace orbisca::ui {

// A text box whose every character passes a keystroke filter before it is
// inserted. Typed characters go through the filter one by one (a refused one
// shows its message and inserts nothing); text arriving by paste (keyboard,
// context menu, middle button), drag and drop or an input method goes through
// the same filter, so the box never holds a character the keyboard refuses.
// The box's maximum length holds for every path.
class FilteredLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  using Filter = std::function<KeyVerdict(char16_t)>;

  FilteredLineEdit(Filter filter, QWidget* parent = nullptr);

  // Inserts the characters of `text` that the filter lets through (converted
  // as it says) at the cursor, replacing the selection; when any character is
  // refused, shows the filter's message once. Enter and Backspace, which are
  // keys and not text, are dropped from inserted text.
  void InsertFiltered(const QString& text);

  // Paste through the filter (the context menu and the paste keys use it).
  void PasteFiltered();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // The text with refused characters removed; `refusal` receives the first refusal.
  QString Clean(const QString& text, KeyVerdict& refusal) const;
  void ShowRefusal(const KeyVerdict& refusal);

  Filter filter_;
};

}  // namespace orbisca::ui
