#pragma once
// What every command of vidodez-cli works with: the printers, the link and
// the language of its messages.

#include <cstdio>
#include <memory>
#include <string>

#include "core/link/printer_comm.h"
#include "core/platform/usb_printing.h"

namespace CLI {
class App;
}

namespace vidodez::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CliEnv {
  std::unique_ptr<platform::UsbPrintingClass> usb;
  std::unique_ptr<CPrinterComm> comm;
  std::string language;
  std::string printer;  // -p: a 1-based position or the start of a display name
  bool json = false;
};

// The -p option of a command that talks to one printer. Its value's type,
// kPrinterType, tells the shell completion to offer the printers listed.
inline constexpr char kPrinterType[] = "PRINTER";
void AddPrinterOption(CLI::App* command, CliEnv& env);

// The display name -p chooses (the first printer without -p), or kExitFailed
// with the message already printed.
int ResolvePrinter(CliEnv& env, std::string* display_name);

// Prints a message line to stderr.
void Fail(const std::string& message);

// The words for a failed link operation: the result's own message, then the
// cause the platform layer saw, if it has words.
std::string LinkFailure(const CliEnv& env, const char* what);

// Writes bytes to stdout unchanged: kExitOk, or kExitFailed with the reason
// told on stderr when they could not all be written.
[[nodiscard]] int WriteOut(const CliEnv& env, const std::string& bytes);

// The last flush of stdout: `exit_code`, or kExitFailed with the reason told
// when some output never got out.
[[nodiscard]] int FinishOutput(const std::string& language, int exit_code);

}  // namespace vidodez::cli
