// A module as another version of the program would have built it, built once
// under each module's file name: the program must ask its version and call
// nothing else of it.
#include <QtGlobal>

namespace orbisca::ui {
class PictureModule;
class PrintModule;
}  // namespace orbisca::ui

extern "C" Q_DECL_EXPORT const char* orbisca_picture_module_version() { return "0.0.0-other"; }
extern "C" Q_DECL_EXPORT const char* orbisca_print_module_version() { return "0.0.0-other"; }

// Never reached when the version is refused; were they called, the program
// would be told this is no module at all.
extern "C" Q_DECL_EXPORT orbisca::ui::PictureModule* orbisca_picture_module() { return nullptr; }
extern "C" Q_DECL_EXPORT orbisca::ui::PrintModule* orbisca_print_module() { return nullptr; }
