#pragma once
// The parameters of a label command: comma-separated, numbers in bounds.

#include <charconv>
#include <string_view>
#include <vector>

#include "sim/label_bitmap.h"

namespace vidodez::sim {

// Where a field may start: anywhere on the largest label.
inline constexpr int kMaxPosition = kMaxLabelSide;
// The most copies a print command may ask for.
inline constexpr int kMaxCopies = 99999;
// The largest magnification of a font, barcode module or graphic.
inline constexpr int kMaxScale = 10;

inline std::vector<std::string_view> SplitParams(std::string_view text) {
  std::vector<std::string_view> params;
  for (size_t at = 0;;) {
    size_t comma = text.find(',', at);
    params.push_back(text.substr(at, comma == std::string_view::npos ? comma : comma - at));
    if (comma == std::string_view::npos) return params;
    at = comma + 1;
  }
}

// Decimal digits only (a leading "-" where `low` is negative), low..high.
inline bool ParseNumber(std::string_view text, int low, int high, int* value) {
  int parsed = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
  if (text.empty() || ec != std::errc() || ptr != end || parsed < low || parsed > high)
    return false;
  *value = parsed;
  return true;
}

}  // namespace vidodez::sim
