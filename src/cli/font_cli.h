#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_env.h"

namespace vidodez::cli {

// font convert|test-program|download|print-test: the font page's
// operations, its download file and test program byte for byte.
void AddFontCommands(CLI::App& app, CliEnv& env, int* exit_code);

}  // namespace vidodez::cli
