#include "ui/picture_module.h"

#include "ui/module_loader.h"

namespace orbisca::ui {
namespace {

QString& FolderOverride() {
  static QString folder;
  return folder;
}

}  // namespace

void SetPictureModuleFolder(const QString& folder) { FolderOverride() = folder; }

PictureModule* LoadPictureModule(QString& reason) {
  static PictureModule* module = nullptr;
  if (module) return module;
  // The exported entry points of ui/svg_picture.cpp.
  const ModuleFile file{QStringLiteral(ORBISCA_PICTURE_MODULE_NAME), "orbisca_picture_module_version",
                        "orbisca_picture_module", QStringLiteral("picture module")};
  const QStringList folders = FolderOverride().isEmpty() ? ModuleFolders() : QStringList{FolderOverride()};
  module = LoadModuleObject<PictureModule>(file, folders, reason);
  return module;
}

}  // namespace orbisca::ui
