#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_env.h"

namespace vidodez::cli {

// firmware list|stamp|info|upgrade.
void AddFirmwareCommands(CLI::App& app, CliEnv& env, int* exit_code);

}  // namespace vidodez::cli
