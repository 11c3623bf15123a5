#include "ui/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "orbisca/version.h"

namespace orbisca::ui {
namespace {

using VersionEntry = const char* (*)();

bool LoadFrom(const ModuleFile& file, const QString& path, QString& reason,
              const std::function<bool(QFunctionPointer)>& make) {
  QLibrary library(path);
  if (!library.load()) {
    reason = library.errorString();
    return false;
  }
  const auto version = reinterpret_cast<VersionEntry>(library.resolve(file.versionEntry));
  const QFunctionPointer entry = library.resolve(file.moduleEntry);
  if (version && entry) {
    const QString its = QString::fromUtf8(version());
    if (its != QLatin1String(kVersion)) {
      reason = QDir::toNativeSeparators(path) + QStringLiteral(" is of version ") + its +
               QStringLiteral(", the program of version ") + QLatin1String(kVersion);
      library.unload();
      return false;
    }
    if (make(entry)) return true;
  }
  reason = QDir::toNativeSeparators(path) + QStringLiteral(": not the ") + file.what +
           QStringLiteral(" of this version");
  library.unload();
  return false;
}

}  // namespace

QStringList ModuleFolders() {
  const QDir program(QCoreApplication::applicationDirPath());
  return {QDir::cleanPath(program.filePath(QStringLiteral(ORBISCA_MODULE_FROM_BIN))), program.path()};
}

bool LoadModule(const ModuleFile& file, const QStringList& folders, QString& reason,
                const std::function<bool(QFunctionPointer entry)>& make) {
  reason.clear();
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(file.fileName);
    // A module that is there but broken is the one to report.
    if (QFileInfo::exists(path)) return LoadFrom(file, path, reason, make);
  }
  reason = file.fileName + QStringLiteral(" is not in ") +
           QDir::toNativeSeparators(folders.join(QStringLiteral(" or ")));
  return false;
}

}  // namespace orbisca::ui
