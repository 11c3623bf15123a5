#include "ui/picture_module.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "orbisca/version.h"
#include "ui/print_module.h"

namespace orbisca::ui {
namespace {

QString& FolderOverride() {
  static QString folder;
  return folder;
}

// The exported entry points of ui/svg_picture.cpp.
using VersionEntry = const char* (*)();
using ModuleEntry = PictureModule* (*)();

// Loads the module from `path`; nullptr with `reason` set when it cannot. A
// module of another version is refused before anything of it is called but
// its version: its interface may differ from this program's.
PictureModule* LoadFrom(const QString& path, QString& reason) {
  QLibrary library(path);
  if (!library.load()) {
    reason = library.errorString();
    return nullptr;
  }
  const auto version = reinterpret_cast<VersionEntry>(library.resolve("orbisca_picture_module_version"));
  const auto entry = reinterpret_cast<ModuleEntry>(library.resolve("orbisca_picture_module"));
  if (version && entry) {
    const QString its = QString::fromUtf8(version());
    if (its != QLatin1String(kVersion)) {
      reason = QDir::toNativeSeparators(path) + QStringLiteral(" is of version ") + its +
               QStringLiteral(", the program of version ") + QLatin1String(kVersion);
      library.unload();
      return nullptr;
    }
    if (PictureModule* module = entry()) return module;
  }
  reason = QDir::toNativeSeparators(path) + QStringLiteral(": not the picture module of this version");
  library.unload();
  return nullptr;
}

}  // namespace

void SetPictureModuleFolder(const QString& folder) { FolderOverride() = folder; }

PictureModule* LoadPictureModule(QString& reason) {
  static PictureModule* module = nullptr;
  if (module) return module;
  const QString name = QStringLiteral(ORBISCA_PICTURE_MODULE_NAME);
  const QStringList folders = FolderOverride().isEmpty() ? PrintModuleFolders() : QStringList{FolderOverride()};
  reason.clear();
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(name);
    if (!QFileInfo::exists(path)) continue;
    if ((module = LoadFrom(path, reason))) return module;
    return nullptr;  // a module that is there but broken is the one to report
  }
  reason = name + QStringLiteral(" is not in ") + QDir::toNativeSeparators(folders.join(QStringLiteral(" or ")));
  return nullptr;
}

}  // namespace orbisca::ui
