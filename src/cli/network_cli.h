#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_env.h"

namespace vidodez::cli {

// net get|set-wired|set-wifi|wifi-reset, ping.
void AddNetworkCommands(CLI::App& app, CliEnv& env, int* exit_code);

}  // namespace vidodez::cli
