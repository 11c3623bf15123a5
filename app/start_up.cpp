#include "app/start_up.h"

#include <QApplication>

#include "app/single_instance.h"
#include "ui/frm_main.h"
#include "ui/seams.h"

namespace orbisca {

int RunProgram(SingleInstance& instance) {
  if (instance.AnotherCopyRunning()) {
    ui::Messages().Show(nullptr, QMessageBox::Information, QStringLiteral("Application is already running"));
    // This copy has opened no window and started no event loop: returning ends it.
    return 0;
  }
  // The program ends through its own quit operation only: "Back" closes the
  // results window while the form is still hidden, which must not end it.
  QApplication::setQuitOnLastWindowClosed(false);
  ui::FrmMain form;
  form.RestoreSession();
  form.show();
  return QApplication::exec();
}

}  // namespace orbisca
