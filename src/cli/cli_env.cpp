#include "cli/cli_env.h"

#include <charconv>
#include <vector>

#include "cli/cli_texts.h"
#include "core/link/io_error_texts.h"
#include "core/link/port_names.h"

namespace vidodez::cli {

void Fail(const std::string& message) {
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fputc('\n', stderr);
}

void WriteOut(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

std::string LinkFailure(const CliEnv& env, const char* what) {
  std::string message = what;
  std::string cause = IoErrorMessage(env.comm->last_error(), env.comm->last_device(), env.language);
  if (!cause.empty()) message += "\n" + cause;
  return message;
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
