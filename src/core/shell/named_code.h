#pragma once
// Every subsystem names its result codes in a table of these, so logs,
// --json and test failures read "NoSuchUsbPrinter" rather than -2992.

#include <array>
#include <cstddef>
#include <span>

#include "core/shell/texts.h"

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

// A code with what the operator reads for it, for subsystems whose codes
// reach the operator as they are.
struct TextedCode {
  NamedCode named;
  Text text;
};

inline constexpr Text kUnknownCodeText{"Unknown error.", "未知错误。"};

// The names alone, for NameOfCode and the checks that walk every table.
template <std::size_t N>
constexpr std::array<NamedCode, N> NamesOf(const std::array<TextedCode, N>& entries) {
  std::array<NamedCode, N> names{};
  for (std::size_t i = 0; i < N; ++i) names[i] = entries[i].named;
  return names;
}

// The text of `code` in `table`, or kUnknownCodeText.
inline const Text& TextOfCode(std::span<const TextedCode> table, int code) {
  for (const TextedCode& entry : table)
    if (entry.named.code == code) return entry.text;
  return kUnknownCodeText;
}

}  // namespace vidodez
