#include "ui/print_module.h"

#include <QCoreApplication>

#include "ui/module_loader.h"
#include "ui/seams.h"

namespace orbisca::ui {
namespace {

QString& FolderOverride() {
  static QString folder;
  return folder;
}

}  // namespace

void SetPrintModuleFolder(const QString& folder) { FolderOverride() = folder; }

PrintModule* LoadPrintModule(QWidget* parent) {
  static PrintModule* module = nullptr;
  if (module) return module;
  // The exported entry points of ui/printing.cpp.
  const ModuleFile file{QStringLiteral(ORBISCA_PRINT_MODULE_NAME), "orbisca_print_module_version",
                        "orbisca_print_module", QStringLiteral("printing module")};
  const QStringList folders = FolderOverride().isEmpty() ? ModuleFolders() : QStringList{FolderOverride()};
  QString reason;
  if ((module = LoadModuleObject<PrintModule>(file, folders, reason))) return module;
  Messages().Show(parent, QMessageBox::Critical,
                  QCoreApplication::translate("orbisca", "Printing is not available: its module could not be loaded.\n%1")
                      .arg(reason));
  return nullptr;
}

}  // namespace orbisca::ui
