#include "ui/printing.h"

#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "ui/seams.h"

namespace orbisca::ui {

void PrintDocument(QWidget* parent, PrintDialogSeam& dialogs, QTextDocument& document, const QTextCursor& selection) {
  QPrinter printer(QPrinter::HighResolution);
  const bool hasSelection = selection.hasSelection();
  if (!dialogs.Exec(parent, printer, hasSelection)) return;  // cancelled: nothing printed
  if (hasSelection && printer.printRange() == QPrinter::Selection) {
    QTextDocument part;
    part.setDefaultFont(document.defaultFont());
    QTextCursor(&part).insertFragment(selection.selection());
    part.print(&printer);
  } else {
    printer.setPrintRange(QPrinter::AllPages);
    document.print(&printer);
  }
}

}  // namespace orbisca::ui
