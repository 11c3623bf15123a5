#pragma once

#include <QIcon>

namespace orbisca {

// The program's emblem at every installed size (16 to 256 pixels), rendered
// from the one SVG drawing at build time and compiled into the program.
QIcon ProgramIcon();

}  // namespace orbisca
