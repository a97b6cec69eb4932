#include "core/config/settings_values.h"

#include <charconv>
#include <system_error>

#include "core/config/config_codes.h"
#include "core/shell/units.h"

namespace vidodez {
namespace {

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool InRange(const FieldRule& rule, std::string_view text) {
  int value = 0;
  return ParseWholeInRange(text, rule.min, rule.max, &value) == kConfigOk &&
         (value - rule.min) % rule.step == 0;
}

}  // namespace

bool IsDottedAddress(std::string_view text) {
  for (int part = 0; part < 4; ++part) {
    size_t dot = text.find('.');
    std::string_view number = part < 3 ? text.substr(0, dot) : text;
    if ((part < 3 && dot == std::string_view::npos) || !AllDigits(number) || number.size() > 3) {
      return false;
    }
    int value = 0;
    if (ParseWholeInRange(number, 0, 255, &value) != kConfigOk) return false;
    if (part < 3) text.remove_prefix(dot + 1);
  }
  return true;
}

bool HasFieldForm(const FieldRule& rule, std::string_view value, size_t capacity) {
  if (value.size() > capacity) return false;
  switch (rule.form) {
    case FieldForm::kIndex:
    case FieldForm::kNumber:
      return AllDigits(value);
    case FieldForm::kOffset:
      return AllDigits(!value.empty() && value[0] == '-' ? value.substr(1) : value);
    case FieldForm::kAddress:
      return IsDottedAddress(value);
    case FieldForm::kText:
      break;
  }
  return true;
}

bool IsAllowedValue(const FieldRule& rule, std::string_view value) {
  const size_t width = static_cast<size_t>(rule.width);
  switch (rule.form) {
    case FieldForm::kIndex:
      return value.size() == width && AllDigits(value) && InRange(rule, value);
    case FieldForm::kNumber:
      return value.size() <= width && AllDigits(value) && InRange(rule, value);
    case FieldForm::kOffset:
      return value.size() <= width && HasFieldForm(rule, value, width) && InRange(rule, value);
    case FieldForm::kAddress:
      return IsDottedAddress(value);
    case FieldForm::kText:
      break;
  }
  return true;
}

int ParseWholeInRange(std::string_view text, int min, int max, int* value) {
  int number = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, number);
  if (text.empty() || ec != std::errc() || ptr != end || number < min || number > max) {
    return kSettingsValueOutOfRange;
  }
  *value = number;
  return kConfigOk;
}

int TypedLengthToWhole(std::string_view typed, std::string_view resolution_code, int unit,
                       int to_unit, const FieldRule& rule, int* whole) {
  float value = 0.0f;
  auto [ptr, ec] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) return kSettingsValueOutOfRange;
  if (ec != std::errc()) value = 0.0f;
  // The converted text is read back with its range checked: a value beyond
  // an int, or "inf", is refused rather than wrapped.
  std::string converted = to_unit == kUnitDots ? UnitToDots(value, resolution_code, unit)
                                               : ConvertUnit(value, resolution_code, unit, to_unit);
  return ParseWholeInRange(converted, rule.min, rule.max, whole);
}

std::string AllowedValuesText(const FieldRule& rule) {
  if (rule.step > 1 && rule.max - rule.min == rule.step) {
    return std::to_string(rule.min) + ", " + std::to_string(rule.max);
  }
  return std::to_string(rule.min) + " ~ " + std::to_string(rule.max);
}

}  // namespace vidodez
