#include "ui/frm_save.h"

namespace orbisca::ui {

// Interim: the report window is being written; nothing opens yet.
void OpenReportWindow(QWidget*, const std::array<QString, 7>&) {}

}  // namespace orbisca::ui
