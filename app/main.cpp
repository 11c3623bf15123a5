#include <QApplication>

#include "app/single_instance.h"
#include "app/start_up.h"
#include "orbisca/version.h"
#include "report/atomic_file.h"
#include "ui/seams.h"

int main(int argc, char* argv[]) {
  // A save past the file-size limit then fails with its reason instead of
  // killing the program.
  orbisca::IgnoreFileSizeSignal();
  QApplication app(argc, argv);
  QApplication::setApplicationName(orbisca::ui::kAppTitle);
  QApplication::setApplicationVersion(QString::fromLatin1(orbisca::kVersion));
  // One look on every desktop: the windows' colours are set through palettes,
  // which the Fusion style honours everywhere.
  QApplication::setStyle(QStringLiteral("Fusion"));
  orbisca::SingleInstance instance;
  return orbisca::RunProgram(instance);
}
