#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_env.h"

namespace vidodez::cli {

// settings get|save|load|set, calibrate, factory-reset, test-page, clear-buffer.
void AddSettingsCommands(CLI::App& app, CliEnv& env, int* exit_code);

}  // namespace vidodez::cli
