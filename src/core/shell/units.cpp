#include "core/shell/units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "core/shell/texts.h"

namespace vidodez {
namespace {

constexpr float kMillimetresPerInch = 25.4f;

constexpr Text kUnitNames[] = {
    {"Dot", "像素点"},
    {"Inch", "英寸"},
    {"mm", "毫米"},
};

int KnownUnit(int unit) { return (unit >= kUnitDots && unit <= kUnitMillimetres) ? unit : kUnitDots; }

// printf of one float with a fixed precision. A result that reads as zero
// loses its minus sign: "-0" next to a box means nothing to an operator.
std::string Fixed(float value, int decimals) {
  std::array<char, 64> buffer{};
  int n = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, static_cast<double>(value));
  if (n < 0) return {};
  std::string text(buffer.data(), std::min(static_cast<size_t>(n), buffer.size() - 1));
  if (!text.empty() && text[0] == '-' && ReadsAsZero(text)) text.erase(0, 1);
  return text;
}

// Inches show "0" rather than "0.000" or "0.00".
std::string Inches(float value, int decimals) {
  std::string text = Fixed(value, decimals);
  return ReadsAsZero(text) ? Fixed(value, 0) : text;
}

struct Conversion {
  float value;
  int decimals;
  int fine_decimals;
};

Conversion Convert(float value, float dpi, int from, int to) {
  switch (from * 3 + to) {
    case 0 * 3 + 1: return {value / dpi, 3, 3};
    case 0 * 3 + 2: return {value / dpi * kMillimetresPerInch, 0, 2};
    case 1 * 3 + 0: return {value * dpi, 0, 0};
    case 1 * 3 + 1: return {value, 2, 2};
    case 1 * 3 + 2: return {value * kMillimetresPerInch, 0, 2};
    case 2 * 3 + 0: return {value * dpi / kMillimetresPerInch, 0, 0};
    case 2 * 3 + 1: return {value / kMillimetresPerInch, 2, 2};
    case 2 * 3 + 2: return {value, 0, 2};
    default: return {value, 0, 0};  // dots to dots
  }
}

std::string ConvertWith(float value, std::string_view resolution_code, int from_unit, int to_unit,
                        bool fine) {
  int from = KnownUnit(from_unit);
  int to = KnownUnit(to_unit);
  Conversion c = Convert(value, static_cast<float>(DpiForResolution(resolution_code)), from, to);
  int decimals = fine ? c.fine_decimals : c.decimals;
  return to == kUnitInches ? Inches(c.value, decimals) : Fixed(c.value, decimals);
}

}  // namespace

int DpiForResolution(std::string_view resolution_code) {
  if (resolution_code == "3") return 300;
  if (resolution_code == "6") return 600;
  return 203;
}

const char* UnitName(int unit, std::string_view language) {
  return Pick(kUnitNames[KnownUnit(unit)], language);
}

int UnitIndexFromName(std::string_view name) {
  for (int unit = kUnitDots; unit <= kUnitMillimetres; ++unit) {
    if (name == kUnitNames[unit].eng || name == kUnitNames[unit].chi) return unit;
  }
  return kUnitDots;
}

bool SplitUnitSuffix(std::string_view text, std::string_view* number, int* unit) {
  size_t end = text.find_last_of("0123456789.");
  size_t cut = end == std::string_view::npos ? 0 : end + 1;
  if (cut == 0 || cut == text.size()) return false;
  *number = text.substr(0, cut);
  std::string_view name = text.substr(cut);
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
             return lower(x) == lower(y);
           });
  };
  *unit = -1;
  for (int u = kUnitDots; u <= kUnitMillimetres; ++u) {
    if (same(name, kUnitNames[u].eng) || name == kUnitNames[u].chi) *unit = u;
  }
  return true;
}

bool ReadsAsZero(std::string_view text) {
  bool digit = false;
  for (char c : text) {
    if (c >= '1' && c <= '9') return false;
    if (c == '0') digit = true;
    else if (c != '-' && c != '+' && c != '.') return false;  // "inf", "nan"
  }
  return digit;
}

std::string UnitToDots(float value, std::string_view resolution_code, int unit) {
  float dpi = static_cast<float>(DpiForResolution(resolution_code));
  float dots = value;
  if (unit == kUnitInches) dots = value * dpi;
  if (unit == kUnitMillimetres) dots = value * dpi / kMillimetresPerInch;
  return Fixed(std::round(dots), 0);
}

std::string DotsToUnit(float dots, std::string_view resolution_code, int unit) {
  float dpi = static_cast<float>(DpiForResolution(resolution_code));
  switch (unit) {
    case kUnitInches: return Inches(dots / dpi, 3);
    case kUnitMillimetres: return Fixed(dots / dpi * kMillimetresPerInch, 2);
    default: return Fixed(dots, 0);
  }
}

std::string ConvertUnit(float value, std::string_view resolution_code, int from_unit, int to_unit) {
  return ConvertWith(value, resolution_code, from_unit, to_unit, false);
}

std::string ConvertUnitFine(float value, std::string_view resolution_code, int from_unit,
                            int to_unit) {
  return ConvertWith(value, resolution_code, from_unit, to_unit, true);
}

}  // namespace vidodez
