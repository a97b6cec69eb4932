// vidodez-cli: every operation of the window, for scripts and fleets.

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_env.h"
#include "cli/cli_language.h"
#include "cli/cli_reference.h"
#include "cli/cli_texts.h"
#include "cli/firmware_cli.h"
#include "cli/font_cli.h"
#include "cli/link_commands.h"
#ifdef VIDODEZ_HAVE_IMAGING
#include "cli/graphic_cli.h"
#endif
#include "cli/network_cli.h"
#include "cli/settings_cli.h"
#include "cli/storage_cli.h"
#include "core/platform/process.h"
#include "core/shell/log.h"
#include "core/shell/program_version.h"

namespace {

void LogToStderr(vidodez::LogLevel level, std::string_view message) {
  if (level < vidodez::LogLevel::kWarning) return;
  std::fprintf(stderr, "vidodez-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

// An option given an empty value ("--ip ''", a script's unset variable) is a
// usage error in every command: skipped, it would send the page's defaults.
void RefuseEmptyValues(CLI::App* app, const std::string& lang) {
  using namespace vidodez::cli;
  const CLI::Validator not_empty(
      [&lang](const std::string& value) {
        if (!value.empty()) return std::string();
        return Say(CliText::kEmptyValue, lang.empty() ? DefaultCliLanguage() : lang);
      },
      "");
  for (CLI::Option* option : app->get_options()) {
    if (option->nonpositional() && option->get_type_size() > 0) option->check(not_empty);
  }
  for (CLI::App* command : app->get_subcommands({})) RefuseEmptyValues(command, lang);
}

int Run(int argc, char** argv) {
  using namespace vidodez::cli;
  // A closed standard stream is held, so the program's next socket or file
  // cannot take its number (messages would reach the printer) and writes to
  // it still fail, and are reported.
  vidodez::platform::HoldClosedStandardStreams();
  vidodez::SetLogSink(LogToStderr);

  CliEnv env;
  env.usb = vidodez::platform::MakeSystemUsbPrintingClass();
  env.comm = std::make_unique<vidodez::CPrinterComm>(*env.usb);

  CLI::App app("MarliX Vidodez Tool, command line", "vidodez-cli");
  app.set_version_flag("--version", vidodez::VersionLine("vidodez-cli"));
  app.require_subcommand(1);
  // Options are "--name" on every system: CLI11 would read a path beginning
  // with "/" as an option on Windows (a wine path such as /tmp/x).
  app.allow_windows_style_options(false);
  std::string lang;
  app.add_option("--lang", lang, "language of messages")->check(CLI::IsMember({"eng", "chi"}));
  // Parsed before the commands run, so the chosen language reaches them.
  app.parse_complete_callback([&] {
    env.language = lang.empty() ? DefaultCliLanguage() : lang;
    env.comm->set_language(env.language);
  });

  int exit_code = kExitOk;
  AddLinkCommands(app, env, &exit_code);
  CLI::App* graphic = app.add_subcommand("graphic", "pictures for the printer");
  graphic->require_subcommand(1);
  AddStorageCommands(app, graphic, env, &exit_code);
  AddSettingsCommands(app, env, &exit_code);
  AddFirmwareCommands(app, env, &exit_code);
  AddNetworkCommands(app, env, &exit_code);
  AddFontCommands(app, env, &exit_code);
#ifdef VIDODEZ_HAVE_IMAGING
  AddGraphicCommands(graphic, env, &exit_code);
#endif
  RefuseEmptyValues(&app, lang);

  if (int rc = 0; AnswerReference(app, argc, argv, &rc)) return FinishOutput(env.language, rc);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    exit_code = app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    exit_code = app.exit(e);
  } catch (const CLI::ParseError& e) {
    (void)app.exit(e);
    exit_code = kExitUsage;
  }
  return FinishOutput(env.language, exit_code);
}

}  // namespace

int main(int argc, char** argv) {
  // Nothing a command does should throw past it; should something still do
  // (memory running out), the command says so and fails rather than ending
  // without a word.
  try {
    // Scripts read the same bytes on every system, and the operator's text
    // (a file named in Chinese) arrives whole.
    vidodez::platform::UseBinaryStandardStreams();
    std::vector<std::string> arguments = vidodez::platform::ProgramArguments(argc, argv);
    std::vector<char*> pointers;
    pointers.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    return Run(static_cast<int>(arguments.size()), pointers.data());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vidodez-cli: %s\n", e.what());
  } catch (...) {
    std::fputs("vidodez-cli: the command ended on an unexpected error\n", stderr);
  }
  return vidodez::cli::kExitFailed;
}
