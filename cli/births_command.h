#pragma once

namespace orbisca::cli {

// `orbisca-chart births list|show|add|remove|import|export ...`: the library
// of births from the command line. argv[0] is "births". Returns the exit
// status: 0, 1 for a refused record (or a file that cannot be written), 2
// for bad use or an unreadable library.
int RunBirthsCommand(int argc, const char* const* argv);

}  // namespace orbisca::cli
