#pragma once
// The shared libraries the programs load only when a picture needs them
// (ImageMagick, and Qt's picture readers for the command line), so that
// starting a program never pays for them.

#include <string>

namespace vidodez::imaging {

// Loads the module `file_name`: beside the program first (the build puts it
// there), then in the installed module folder relative to the program (so
// the prefix can move), then wherever the dynamic loader looks. Null when
// none loads, with a warning in the log naming `what` and the reason.
void* LoadProgramModule(const char* file_name, const char* what);

}  // namespace vidodez::imaging
