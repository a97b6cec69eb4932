#pragma once
// `vidodez --help` and `vidodez --version`: answered before the window's
// application exists, so that they work where there is no display.

namespace vidodez::app {

// True when the command line asks for help or the version: the text is then
// printed and `*exit_code` is the program's status. False for every other
// command line, which the window takes (Qt's own options among them).
bool AnswerInfoOptions(int argc, const char* const* argv, int* exit_code);

}  // namespace vidodez::app
