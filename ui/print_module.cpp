#include "ui/print_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "ui/seams.h"

namespace orbisca::ui {
namespace {

QString& FolderOverride() {
  static QString folder;
  return folder;
}

// The exported entry point of ui/printing.cpp.
using ModuleEntry = PrintModule* (*)();

// Loads the module from `path`; nullptr with `reason` set when it cannot.
PrintModule* LoadFrom(const QString& path, QString& reason) {
  QLibrary library(path);
  if (!library.load()) {
    reason = library.errorString();
    return nullptr;
  }
  if (const auto entry = reinterpret_cast<ModuleEntry>(library.resolve("orbisca_print_module"))) {
    if (PrintModule* module = entry()) return module;
  }
  reason = QDir::toNativeSeparators(path) + QStringLiteral(": not the printing module of this version");
  library.unload();
  return nullptr;
}

}  // namespace

QStringList PrintModuleFolders() {
  if (!FolderOverride().isEmpty()) return {FolderOverride()};
  const QDir program(QCoreApplication::applicationDirPath());
  return {QDir::cleanPath(program.filePath(QStringLiteral(ORBISCA_MODULE_FROM_BIN))), program.path()};
}

void SetPrintModuleFolder(const QString& folder) { FolderOverride() = folder; }

PrintModule* LoadPrintModule(QWidget* parent) {
  static PrintModule* module = nullptr;
  if (module) return module;
  const QString name = QStringLiteral(ORBISCA_PRINT_MODULE_NAME);
  QString reason;
  for (const QString& folder : PrintModuleFolders()) {
    const QString path = QDir(folder).filePath(name);
    if (!QFileInfo::exists(path)) continue;
    if ((module = LoadFrom(path, reason))) return module;
    break;  // a module that is there but broken is the one to report
  }
  if (reason.isEmpty()) {
    reason = name + QStringLiteral(" is not in ") +
             QDir::toNativeSeparators(PrintModuleFolders().join(QStringLiteral(" or ")));
  }
  Messages().Show(parent, QMessageBox::Critical,
                  QCoreApplication::translate("orbisca", "Printing is not available: its module could not be loaded.\n%1")
                      .arg(reason));
  return nullptr;
}

}  // namespace orbisca::ui
