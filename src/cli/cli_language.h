#pragma once

#include <string>

namespace vidodez::cli {

// The language of messages without --lang: that of "Sys.ini" when the file
// exists, else the locale's. The command line never writes "Sys.ini".
std::string DefaultCliLanguage();

}  // namespace vidodez::cli
