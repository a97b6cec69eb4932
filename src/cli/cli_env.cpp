#include "cli/cli_env.h"

#include <cerrno>
#include <charconv>
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
  size_t position = 0;
  const char* end = env.printer.data() + env.printer.size();
  auto [ptr, ec] = std::from_chars(env.printer.data(), end, position);
  if (ec == std::errc() && ptr == end) {
    if (position >= 1 && position <= names.size()) {
      *display_name = names[position - 1];
      return kExitOk;
    }
  } else {
    for (const auto& name : names) {
      if (name.compare(0, env.printer.size(), env.printer) == 0) {
        *display_name = name;
        return kExitOk;
      }
    }
  }
  Fail(Say(CliText::kNoSuchPrinter, env.language));
  return kExitFailed;
}

}  // namespace vidodez::cli
