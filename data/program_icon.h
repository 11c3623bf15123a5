#pragma once

#include <QIcon>

namespace orbisca {

// The program's emblem at the sizes a window's icon is drawn at (16 to 64
// pixels), rendered from the one SVG drawing at build time and compiled into
// the program.
QIcon ProgramIcon();

}  // namespace orbisca
