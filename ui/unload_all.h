#pragma once

namespace orbisca::ui {

// The one way the program ends: unloads every open window (each one's close
// handler runs), then leaves the event loop. A call made while the program is
// already ending (from a close handler that itself ends the program) returns at
// once and does nothing.
void UnloadAllAndEnd();

// True from the first call of UnloadAllAndEnd until the event loop has returned.
bool ProgramEnding();

}  // namespace orbisca::ui
