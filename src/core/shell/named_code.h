#pragma once
// Every subsystem names its result codes in a table of these, so logs,
// --json and test failures read "NoSuchUsbPrinter" rather than -2992.

#include <span>

namespace vidodez {

struct NamedCode {
  int code;
  const char* name;
};

// The name of `code` in `table`, or `otherwise`.
inline const char* NameOfCode(std::span<const NamedCode> table, int code,
                              const char* otherwise = "Unknown") {
  for (const NamedCode& entry : table)
    if (entry.code == code) return entry.name;
  return otherwise;
}

}  // namespace vidodez
