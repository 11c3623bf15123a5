#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace orbisca::ui {

// One of the program's own modules, loaded when first needed so that the Qt
// libraries it needs are neither loaded nor relocated at start-up: its file
// and the two functions it exports.
struct ModuleFile {
  QString fileName;          // as built: "orbisca-print.so"
  const char* versionEntry;  // returns the version it was built as
  const char* moduleEntry;   // returns its one module object
  QString what;              // names it when it is refused: "printing module"
};

// The folders the modules are looked for in: beside the program in the build
// tree, and in the package's library folder once installed, which the
// program finds from its own folder.
QStringList ModuleFolders();

// Loads `file` from the first of `folders` that holds it and hands its entry
// to `make`, which calls it and says whether it made the module. A module of
// another version is refused before anything of it is called but its version:
// its interface may differ from this program's. False, with `reason` set,
// when no folder holds the file, or the first that does holds a file that
// cannot be loaded, is of another version or is not the module; nothing of it
// then stays loaded.
bool LoadModule(const ModuleFile& file, const QStringList& folders, QString& reason,
                const std::function<bool(QFunctionPointer entry)>& make);

// The typed form: the object `file`'s entry returns, or nullptr.
template <class Module>
Module* LoadModuleObject(const ModuleFile& file, const QStringList& folders, QString& reason) {
  Module* module = nullptr;
  LoadModule(file, folders, reason, [&module](QFunctionPointer entry) {
    module = reinterpret_cast<Module* (*)()>(entry)();
    return module != nullptr;
  });
  return module;
}

}  // namespace orbisca::ui
