#include "app/about_box.h"

namespace orbisca {

// Interim: the About box window is being written; nothing is shown yet.
void ShowAboutBox(QWidget*) {}

}  // namespace orbisca
