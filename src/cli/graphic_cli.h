#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_env.h"

namespace vidodez::cli {

// "convert" under `graphic`: the picture dialog's Save for scripts.
void AddGraphicCommands(CLI::App* graphic, CliEnv& env, int* exit_code);

}  // namespace vidodez::cli
