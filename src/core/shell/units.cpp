#include "core/shell/units.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace vidodez {
namespace {

constexpr std::array<UnitInfo, 4> kUnits{{
    {{"Dot", "像素点"}, {"Dot", "点(Dot)"}, "dot"},
    {{"Inch", "英寸"}, {"Inch", "英寸"}, "inch"},
    {{"mm", "毫米"}, {"mm", "毫米"}, "mm"},
    {{"cm", "厘米"}, {"cm", "厘米"}, "cm"},
}};

// The settings page converts between its own three units only.
int KnownUnit(int unit) {
  return (unit >= kUnitDots && unit <= kUnitMillimetres) ? unit : kUnitDots;
}

bool SameWord(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

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
    case 0 * 3 + 1:
      return {value / dpi, 3, 3};
    case 0 * 3 + 2:
      return {value / dpi * kMillimetresPerInch, 0, 2};
    case 1 * 3 + 0:
      return {value * dpi, 0, 0};
    case 1 * 3 + 1:
      return {value, 2, 2};
    case 1 * 3 + 2:
      return {value * kMillimetresPerInch, 0, 2};
    case 2 * 3 + 0:
      return {value * dpi / kMillimetresPerInch, 0, 0};
    case 2 * 3 + 1:
      return {value / kMillimetresPerInch, 2, 2};
    case 2 * 3 + 2:
      return {value, 0, 2};
    default:
      return {value, 0, 0};  // dots to dots
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

namespace {

// The print heads' resolution codes and their dots per inch.
constexpr std::pair<std::string_view, int> kResolutionCodes[] = {
    {"2", 203}, {"3", 300}, {"6", 600}};

}  // namespace

int DpiForResolution(std::string_view resolution_code) {
  for (const auto& [code, dpi] : kResolutionCodes)
    if (code == resolution_code) return dpi;
  return 203;
}

std::string_view ResolutionCodeForDpi(int dpi) {
  for (const auto& [code, code_dpi] : kResolutionCodes)
    if (code_dpi == dpi) return code;
  return {};
}

const UnitInfo& UnitOf(int unit) {
  return unit >= 0 && unit < static_cast<int>(kUnits.size()) ? kUnits[static_cast<size_t>(unit)]
                                                             : kUnits[kUnitDots];
}

int StartUnitForLanguage(std::string_view language) {
  if (language == "chi") return kUnitMillimetres;
  if (language == "eng") return kUnitDots;
  return -1;
}

const char* UnitName(int unit, std::string_view language) {
  return Pick(UnitOf(unit).name, language);
}

int UnitFromWord(std::string_view word, std::span<const int> offered) {
  for (int unit : offered) {
    if (word == UnitOf(unit).word) return unit;
  }
  return -1;
}

bool SplitUnitSuffix(std::string_view text, std::string_view* number, int* unit) {
  size_t end = text.find_last_of("0123456789.");
  size_t cut = end == std::string_view::npos ? 0 : end + 1;
  if (cut == 0 || cut == text.size()) return false;
  *number = text.substr(0, cut);
  std::string_view name = text.substr(cut);
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  *unit = -1;
  for (int u : kPageUnits) {
    if (SameWord(name, UnitOf(u).name.eng) || name == UnitOf(u).name.chi) *unit = u;
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
    case kUnitInches:
      return Inches(dots / dpi, 3);
    case kUnitMillimetres:
      return Fixed(dots / dpi * kMillimetresPerInch, 2);
    default:
      return Fixed(dots, 0);
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
