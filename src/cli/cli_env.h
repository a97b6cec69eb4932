#pragma once
// What every command of vidodez-cli works with: the printers, the link and
// the language of its messages.

#include <cstdio>
#include <memory>
#include <string>

#include "core/link/printer_comm.h"
#include "core/platform/usb_printing.h"

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

// The display name -p chooses (the first printer without -p), or kExitFailed
// with the message already printed.
int ResolvePrinter(CliEnv& env, std::string* display_name);

// Prints a message line to stderr.
void Fail(const std::string& message);

// The words for a failed link operation: the result's own message, then the
// cause the platform layer saw, if it has words.
std::string LinkFailure(const CliEnv& env, const char* what);

// Writes bytes to stdout unchanged.
void WriteOut(const std::string& bytes);

}  // namespace vidodez::cli
