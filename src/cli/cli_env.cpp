#include "cli/cli_env.h"

#include <cerrno>
#include <charconv>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_texts.h"
#include "core/link/io_error_texts.h"
#include "core/link/port_names.h"

namespace vidodez::cli {

void Fail(const std::string& message) {
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fputc('\n', stderr);
}

namespace {

// `error` 0: the stream failed without saying why.
int OutputFailed(const std::string& language, int error) {
  Fail(Say(CliText::kOutputNotWritten, language) + SystemErrorText(error != 0 ? error : EIO));
  return kExitFailed;
}

}  // namespace

int WriteOut(const CliEnv& env, const std::string& bytes) {
  errno = 0;
  size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  if (written != bytes.size() || std::fflush(stdout) != 0) return OutputFailed(env.language, errno);
  return kExitOk;
}

int FinishOutput(const std::string& language, int exit_code) {
  errno = 0;
  bool lost = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  int error = errno;
  if (std::fclose(stdout) != 0 && !lost) {
    lost = true;
    error = errno;
  }
  // A write that failed earlier was told already and failed its command.
  if (!lost || exit_code != kExitOk) return exit_code;
  return OutputFailed(language, error);
}

std::string LinkFailure(const CliEnv& env, const char* what) {
  std::string message = what;
  std::string cause = IoErrorMessage(env.comm->last_error(), env.comm->last_device(), env.language);
  if (!cause.empty()) message += "\n" + cause;
  return message;
}

void AddPrinterOption(CLI::App* command, CliEnv& env) {
  command
      ->add_option("-p,--printer", env.printer,
                   "a position in the list (1 is the first) or the start of a name (USB02)")
      ->type_name(kPrinterType);
}

namespace {

// "USB" and one to three digits, which name a USB port number as a display
// name's characters 4 to 6 do ("USB1" is USB01's).
bool NamesUsbPort(const std::string& typed) {
  return typed.size() > 3 && typed.size() <= 6 && IsUsbName(typed) &&
         typed.find_first_not_of("0123456789", 3) == std::string::npos;
}

// The display name without its line feed.
std::string_view Shown(const std::string& name) {
  std::string_view shown(name);
  if (!shown.empty() && shown.back() == '\n') shown.remove_suffix(1);
  return shown;
}

}  // namespace

int ResolvePrinter(CliEnv& env, std::string* display_name) {
  std::vector<std::string> names;
  (void)EnumeratePrinters(*env.usb, &names);
  if (names.empty()) {
    Fail(Say(CliText::kNoPrinter, env.language));
    return kExitFailed;
  }
  if (env.printer.empty()) {
    *display_name = names.front();
    return kExitOk;
  }
  const std::string_view typed = env.printer;
  size_t position = 0;
  auto [ptr, ec] = std::from_chars(typed.data(), typed.data() + typed.size(), position);
  if (ec == std::errc() && ptr == typed.data() + typed.size()) {
    if (position >= 1 && position <= names.size()) {
      *display_name = names[position - 1];
      return kExitOk;
    }
    Fail(Say(CliText::kNoSuchPrinter, env.language));
    return kExitFailed;
  }
  // A whole display name or its whole port part wins; otherwise the start
  // of a name, or "USB" and a port number, must name one printer alone: a
  // guess among several could reset the wrong one.
  const int port_typed = NamesUsbPort(env.printer) ? PortNumberFromName(env.printer) : -1;
  std::vector<const std::string*> matches;
  for (const std::string& name : names) {
    const std::string_view shown = Shown(name);
    if (shown == typed || shown.substr(0, shown.find(' ')) == typed) {
      *display_name = name;
      return kExitOk;
    }
    if (shown.starts_with(typed) || (port_typed >= 0 && PortNumberFromName(name) == port_typed)) {
      matches.push_back(&name);
    }
  }
  if (matches.size() == 1) {
    *display_name = *matches.front();
    return kExitOk;
  }
  if (matches.empty()) {
    Fail(Say(CliText::kNoSuchPrinter, env.language));
    return kExitFailed;
  }
  std::string message = Say(CliText::kPrinterAmbiguous, env.language);
  for (const std::string* name : matches) message += "\n  " + std::string(Shown(*name));
  Fail(message);
  return kExitUsage;
}

}  // namespace vidodez::cli
