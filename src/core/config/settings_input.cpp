#include "core/config/settings_input.h"

#include <string_view>

namespace vidodez {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsDigitsOnly(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// The value of a digits-only text, saturating well above any limit, so a
// long run of digits cannot overflow.
long DigitsValue(std::string_view text) {
  long value = 0;
  for (char c : text) {
    value = value * 10 + (c - '0');
    if (value > 1000000) return value;
  }
  return value;
}

}  // namespace

// Digits with at most one "." (never first) and a "-" only in first place.
bool IsSignedNumber(std::string_view text) {
  bool seen_point = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (IsDigit(c)) continue;
    if (c == '-' && i == 0) continue;
    if (c == '.' && i > 0 && !seen_point) {
      seen_point = true;
      continue;
    }
    return false;
  }
  return true;
}

int ApplyDigitsRule(int upper_limit, std::string* text) {
  if (!IsDigitsOnly(*text)) {
    text->clear();
    return kInputRefusedDigits;
  }
  if (upper_limit >= 0 && DigitsValue(*text) > upper_limit) {
    *text = std::to_string(upper_limit);
    return kInputClamped;
  }
  return kInputAccepted;
}

EditRule RuleOf(SettingsEdit edit) {
  switch (edit) {
    case SettingsEdit::kCutFrequency:
      // The field holds two digits; a third would be cut off and the printer
      // would cut at a tenth of the asked frequency.
      return {false, 99};
    case SettingsEdit::kBladeStopDelay:
      return {false, 60};
    case SettingsEdit::kCalibrationLength:
      return {false, 9999};
    case SettingsEdit::kTearOffset:
    case SettingsEdit::kCuttingOffset:
    case SettingsEdit::kPeelingOffset:
    case SettingsEdit::kVerticalOffset:
    case SettingsEdit::kHorizontalOffset:
    case SettingsEdit::kFeedOffset:
      break;
  }
  return {true, -1};
}

int ApplyEditRule(SettingsEdit edit, std::string* text) {
  EditRule rule = RuleOf(edit);
  if (text->empty()) return kInputAccepted;
  if (rule.is_signed) {
    if (IsSignedNumber(*text)) return kInputAccepted;
    text->clear();
    return kInputRefusedSigned;
  }
  return ApplyDigitsRule(rule.upper_limit, text);
}

}  // namespace vidodez
