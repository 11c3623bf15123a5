#pragma once

#include <QString>

class QPrinter;
class QTextCursor;
class QTextDocument;
class QWidget;

namespace orbisca::ui {

class PrintDialogSeam;

// Printing lives in a module of its own (orbisca-print.so, ui/printing.cpp)
// that the program loads the first time something is printed: Qt's print
// support is then neither loaded nor relocated at start-up, when nothing
// prints. This is all the program knows of it.
class PrintModule {
 public:
  virtual ~PrintModule() = default;
  // The desktop's printer dialog, without page-range controls (see
  // PrintDialogSeam::Exec).
  virtual bool ExecDialog(QWidget* parent, QPrinter& printer, bool hasSelection) = 0;
  // Asks `dialogs` for a printer, then prints `document`, or only the text of
  // `selection` when the user chose the selection. Nothing when cancelled.
  virtual void Print(QWidget* parent, PrintDialogSeam& dialogs, QTextDocument& document,
                     const QTextCursor& selection) = 0;
};

// The module, loaded on the first call that finds it. When it cannot be
// loaded, a message over `parent` says so and why, and the result is nullptr;
// the next call tries again.
PrintModule* LoadPrintModule(QWidget* parent);

// Where the module is looked for: the program's module folders
// (ModuleFolders). A test may name the only folder to search instead (empty
// restores the default).
void SetPrintModuleFolder(const QString& folder);

}  // namespace orbisca::ui
