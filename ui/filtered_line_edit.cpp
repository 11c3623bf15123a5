#include "ui/filtered_line_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <algorithm>

#include "ui/seams.h"

namespace orbisca::ui {

FilteredLineEdit::FilteredLineEdit(Filter filter, QWidget* parent) : QLineEdit(parent), filter_(std::move(filter)) {
  // The last line of defence: whatever path the user's text took into the box
  // (one this class does not know of), a refused character does not stay.
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    KeyVerdict refusal;
    const QString clean = Clean(text, refusal);
    if (clean == text) return;
    const int cursor = static_cast<int>(std::min<qsizetype>(cursorPosition(), clean.size()));
    setText(clean);
    setCursorPosition(cursor);
    ShowRefusal(refusal);
  });
}

QString FilteredLineEdit::Clean(const QString& text, KeyVerdict& refusal) const {
  QString clean;
  clean.reserve(text.size());
  for (const QChar c : text) {
    const KeyVerdict verdict = filter_(c.unicode());
    if (verdict.key == 0) {
      if (refusal.message.isEmpty()) refusal = verdict;
    } else if (verdict.key != kBackspace && verdict.key != kEnter) {
      clean.append(QChar(verdict.key));
    }
  }
  return clean;
}

void FilteredLineEdit::ShowRefusal(const KeyVerdict& refusal) {
  if (!refusal.message.isEmpty()) Messages().Show(window(), refusal.icon, refusal.message);
}

void FilteredLineEdit::InsertFiltered(const QString& text) {
  KeyVerdict refusal;
  const QString clean = Clean(text, refusal);
  if (!clean.isEmpty()) insert(clean);  // insert() cuts the text at the maximum length
  ShowRefusal(refusal);
}

void FilteredLineEdit::PasteFiltered() {
  if (isReadOnly()) return;
  InsertFiltered(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteFiltered();
    event->accept();
    return;
  }
  // Editing commands (copy, cut, undo, select all ...) and moving keys are not
  // characters: the box handles them as usual.
  const int key = event->key();
  const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
  const bool moving = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete;
  QString text = event->text();
  if (key == Qt::Key_Backspace) text = QString(QChar(kBackspace));
  if (key == Qt::Key_Return || key == Qt::Key_Enter) text = QString(QChar(kEnter));
  if (command || moving || text.isEmpty()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (text.size() > 1) {  // composed input arrives as several characters at once
    InsertFiltered(text);
    event->accept();
    return;
  }
  const KeyVerdict verdict = filter_(text.front().unicode());
  if (verdict.key == 0) {
    event->accept();
    ShowRefusal(verdict);
  } else if (verdict.key == kBackspace || verdict.key == kEnter) {
    QLineEdit::keyPressEvent(event);
  } else {
    insert(QString(QChar(verdict.key)));
    event->accept();
  }
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QPointer<QMenu> menu = createStandardContextMenu();
  // The standard menu's paste item: named "edit-paste" by newer Qt releases,
  // otherwise known by its (translated) caption, which is followed by a tab
  // and the shortcut.
  const QString pasteCaption = QLineEdit::tr("&Paste");
  for (QAction* action : menu->actions()) {
    const QString caption = action->text().section(QLatin1Char('\t'), 0, 0);
    if (action->objectName() != QLatin1String("edit-paste") && caption != pasteCaption) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, &FilteredLineEdit::PasteFiltered);
  }
  menu->exec(event->globalPos());
  delete menu;
}

void FilteredLineEdit::dropEvent(QDropEvent* event) {
  if (isReadOnly() || !event->mimeData()->hasText()) {
    event->ignore();
    return;
  }
  // Hand the box a copy of the drop that carries only the filtered text, so it
  // places the text where it was dropped and clears its drop cursor as usual.
  KeyVerdict refusal;
  QMimeData filtered;
  filtered.setText(Clean(event->mimeData()->text(), refusal));
  QDropEvent copy(event->position(), event->possibleActions(), &filtered, event->buttons(), event->modifiers());
  copy.setDropAction(event->dropAction());
  QLineEdit::dropEvent(&copy);
  if (copy.isAccepted()) {
    event->setDropAction(copy.dropAction());
    event->accept();
  } else {
    event->ignore();
  }
  ShowRefusal(refusal);
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (event->button() == Qt::MiddleButton && !isReadOnly() && clipboard->supportsSelection() &&
      rect().contains(event->position().toPoint())) {
    deselect();
    InsertFiltered(clipboard->text(QClipboard::Selection));
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  KeyVerdict refusal;
  QInputMethodEvent copy(event->preeditString(), event->attributes());
  copy.setCommitString(Clean(event->commitString(), refusal), event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&copy);
  event->accept();
  ShowRefusal(refusal);
}

}  // namespace orbisca::ui
