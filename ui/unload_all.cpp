#include "ui/unload_all.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace orbisca::ui {
namespace {

bool ending = false;

}  // namespace

bool ProgramEnding() { return ending; }

void UnloadAllAndEnd() {
  if (ending) return;
  ending = true;
  // The mark lasts until the event loop has returned; the process ends there.
  // Clearing it then lets a later event loop in the same process end again.
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { ending = false; },
                   Qt::SingleShotConnection);

  // A close handler may delete windows, so walk guarded pointers. Hidden
  // windows are open too (the birth-data form while results are shown).
  std::vector<QPointer<QWidget>> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isWindow() && w->windowType() != Qt::Desktop) windows.emplace_back(w);
  }
  for (const QPointer<QWidget>& w : windows) {
    if (w) w->close();
  }
  // Ends every event loop of the thread, the modal ones included.
  QCoreApplication::exit(0);
}

}  // namespace orbisca::ui
