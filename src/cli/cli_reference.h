#pragma once
// What the build makes from the command definitions themselves, so that the
// manual's list of commands and the shell completion follow every command
// added, with nothing written twice:
//   vidodez-cli --reference man    the manual's COMMANDS section (scdoc)
//   vidodez-cli --reference bash   the completion's tables (bash)
// The option is for the build and stays out of --help.

#include <ostream>
#include <string_view>

#include <CLI/CLI.hpp>

namespace vidodez::cli {

// Every command and subcommand of `app`, depth first in the order they were
// added, in scdoc: a subsection a command, its options in an indented list.
void WriteManCommands(const CLI::App& app, std::ostream& out);

// Bash associative arrays, keyed by the command path ("vidodez-cli" the
// program, "vidodez-cli settings get"): `commands` the subcommands, `options` the options,
// `values` how the value of each option taking one is completed, keyed
// "PATH|OPTION" ("words:a b" for a fixed set, "printer", else "file"), and
// `operands` the commands taking operands (completed as files).
void WriteCompletionTables(const CLI::App& app, std::ostream& out);

// True when the command line is `--reference man|bash`: the text is written
// to stdout and `*exit_code` set (2 for another kind).
bool AnswerReference(const CLI::App& app, int argc, const char* const* argv, int* exit_code);

}  // namespace vidodez::cli
