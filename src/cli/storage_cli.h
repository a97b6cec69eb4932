#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_env.h"

namespace vidodez::cli {

// console, stored list|delete|print, and "store" under `graphic`.
void AddStorageCommands(CLI::App& app, CLI::App* graphic, CliEnv& env, int* exit_code);

}  // namespace vidodez::cli
