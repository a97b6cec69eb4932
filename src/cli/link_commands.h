#pragma once

#include <CLI/CLI.hpp>

#include "cli/cli_env.h"

namespace vidodez::cli {

// list, status, query, send, send-file. Each sets *exit_code when it runs.
void AddLinkCommands(CLI::App& app, CliEnv& env, int* exit_code);

}  // namespace vidodez::cli
