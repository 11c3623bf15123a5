#include <QApplication>
#include <iostream>

#include "app/command_line.h"
#include "app/single_instance.h"
#include "app/start_up.h"
#include "data/program_icon.h"
#include "orbisca/version.h"
#include "report/atomic_file.h"
#include "ui/seams.h"

int main(int argc, char* argv[]) {
  // --help and --version answer before any window or display is needed.
  if (const std::optional<int> status = orbisca::HandleCommandLine(argc, argv, std::cout, std::cerr)) return *status;
  // A save past the file-size limit then fails with its reason instead of
  // killing the program.
  orbisca::IgnoreFileSizeSignal();
  // The menus stay in each window's own menu bar on every desktop.
  QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  QApplication app(argc, argv);
  QApplication::setApplicationName(orbisca::ui::kAppTitle);
  QApplication::setApplicationVersion(QString::fromLatin1(orbisca::kVersion));
  // The desktop entry, the AppStream data and the installed icon carry the
  // application id; every window carries the program's icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(orbisca::kApplicationId));
  QApplication::setWindowIcon(orbisca::ProgramIcon());
  // One look on every desktop: the windows' colours are set through palettes,
  // which the Fusion style honours everywhere.
  QApplication::setStyle(QStringLiteral("Fusion"));
  orbisca::SingleInstance instance;
  return orbisca::RunProgram(instance);
}
