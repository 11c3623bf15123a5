#pragma once

namespace orbisca {

class SingleInstance;

// The program's start: a second copy for the same user shows "Application is
// already running" and ends without a window; otherwise the birth-data window
// opens and the program runs until it ends. Returns the process exit code.
int RunProgram(SingleInstance& instance);

}  // namespace orbisca
