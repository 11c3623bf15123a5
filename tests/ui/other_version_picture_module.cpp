// A picture module as another version of the program would have built it: the
// program must ask its version and call nothing else of it.
#include <QtGlobal>

namespace orbisca::ui {
class PictureModule;
}

extern "C" Q_DECL_EXPORT const char* orbisca_picture_module_version() { return "0.0.0-other"; }

// Never reached when the version is refused; were it called, the program
// would be told this is no picture module at all.
extern "C" Q_DECL_EXPORT orbisca::ui::PictureModule* orbisca_picture_module() { return nullptr; }
