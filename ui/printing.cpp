// The printing module (orbisca-print.so): everything that needs Qt's print
// support, loaded by the program the first time something is printed
// (ui/print_module.h).
#include <QAbstractPrintDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "orbisca/version.h"
#include "ui/print_module.h"
#include "ui/seams.h"

namespace orbisca::ui {
namespace {

// The printer dialog without its page-range controls. Turning the range
// option off is not enough with CUPS: Qt then shows the range anyway, for the
// print server to apply, and a file printer ignores it. The controls are
// hidden each time the dialog is shown, after Qt has set them up.
class RangelessPrintDialog final : public QPrintDialog {
 public:
  using QPrintDialog::QPrintDialog;

  void setVisible(bool visible) override {
    QPrintDialog::setVisible(visible);
    if (!visible) return;
    // The object names of Qt's own print-settings form.
    for (const char* name : {"printRange", "from", "label_3", "to", "pagesRadioButton", "pagesLineEdit"}) {
      if (auto* control = findChild<QWidget*>(QLatin1String(name))) control->hide();
    }
  }
};

class Printing final : public PrintModule {
 public:
  bool ExecDialog(QWidget* parent, QPrinter& printer, bool hasSelection) override {
    RangelessPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    dialog.setPrintRange(hasSelection ? QAbstractPrintDialog::Selection : QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
  }

  void Print(QWidget* parent, PrintDialogSeam& dialogs, QTextDocument& document,
             const QTextCursor& selection) override {
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
};

}  // namespace
}  // namespace orbisca::ui

// Asked first: the program calls nothing else of a module of another version.
extern "C" Q_DECL_EXPORT const char* orbisca_print_module_version() { return orbisca::kVersion; }

extern "C" Q_DECL_EXPORT orbisca::ui::PrintModule* orbisca_print_module() {
  static orbisca::ui::Printing printing;
  return &printing;
}
