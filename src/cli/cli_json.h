#pragma once
// JSON output of the command line. Printers report names and values in their
// own bytes (GBK for the maker's Chinese models): every such text is decoded
// as the window shows it, and no document ever fails to be written for its
// text.

#include <string>

#include <nlohmann/json.hpp>

#include "cli/cli_env.h"

namespace vidodez::cli {

// Bytes a printer reported, as JSON text: GBK decoded, each byte that is not
// GBK shown as U+FFFD.
std::string JsonText(const std::string& printer_bytes);

// The document on stdout, indented, with a line feed after it.
[[nodiscard]] int WriteJson(const CliEnv& env, const nlohmann::ordered_json& document);

}  // namespace vidodez::cli
