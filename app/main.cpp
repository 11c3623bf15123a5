#include <QApplication>
#include <iostream>

#include "app/command_line.h"
#include "app/font_preload.h"
#include "app/single_instance.h"
#include "app/start_up.h"
#include "data/program_icon.h"
#include "orbisca/version.h"
#include "report/atomic_file.h"
#include "ui/program_style.h"
#include "ui/seams.h"

int main(int argc, char* argv[]) {
  // --help and --version answer before any window or display is needed.
  if (const std::optional<int> status = orbisca::HandleCommandLine(argc, argv, std::cout, std::cerr)) return *status;
  // A save past the file-size limit then fails with its reason instead of
  // killing the program.
  orbisca::IgnoreFileSizeSignal();
  // The menus stay in each window's own menu bar on every desktop. Asking
  // whether the desktop offers a global menu instead is a synchronous call on
  // the session bus (connecting to it first), made while the first window is
  // being built.
  QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  orbisca::FontConfigPreload fontConfig;
  QApplication app(argc, argv);
  QApplication::setApplicationName(orbisca::ui::kAppTitle);
  QApplication::setApplicationVersion(QString::fromLatin1(orbisca::kVersion));
  // The desktop entry, the AppStream data and the installed icon carry the
  // application id; every window carries the program's icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(orbisca::kApplicationId));
  QApplication::setWindowIcon(orbisca::ProgramIcon());
  // One look on every desktop: the windows' colours are set through palettes,
  // which the Fusion style honours everywhere.
  QApplication::setStyle(new orbisca::ui::ProgramStyle);
  fontConfig.Wait();  // before the first window asks for a font
  orbisca::ConnectAccessibilityWhileFontsLoad();
  orbisca::SingleInstance instance;
  return orbisca::RunProgram(instance);
}
