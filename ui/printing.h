#pragma once

class QTextCursor;
class QTextDocument;
class QWidget;

namespace orbisca::ui {

class PrintDialogSeam;

// Asks `dialogs` for a printer, then prints `document`, or only the text of
// `selection` when the user chose the selection. Nothing when cancelled.
void PrintDocument(QWidget* parent, PrintDialogSeam& dialogs, QTextDocument& document, const QTextCursor& selection);

}  // namespace orbisca::ui
