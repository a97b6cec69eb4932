#pragma once
// The input rules of the settings page's edit boxes, applied on every change
// of a box's text: offsets take a signed decimal number, the others digits
// only, some with an upper limit.

#include <string>
#include <string_view>

#include "core/config/settings_page.h"

namespace vidodez {

inline constexpr int kInputAccepted = 0;
inline constexpr int kInputRefusedDigits = 1;  // emptied: "Vaild value: 0~9"
inline constexpr int kInputRefusedSigned = 2;  // emptied: the signed-number message
inline constexpr int kInputClamped = 3;        // replaced by the box's upper limit

struct EditRule {
  bool is_signed;
  int upper_limit;  // -1: none
};

EditRule RuleOf(SettingsEdit edit);

// The rule of every digits-only box: text with anything but decimal digits is
// emptied (kInputRefusedDigits), a number above `upper_limit` becomes the
// limit written in decimal (kInputClamped); empty text is accepted. -1: no
// limit.
int ApplyDigitsRule(int upper_limit, std::string* text);

// The offset boxes' characters: digits with at most one "." (never first)
// and a "-" only in first place.
bool IsSignedNumber(std::string_view text);

// Applies the box's rule to `text`: refused text is emptied, text above the
// limit becomes the limit. An empty text is accepted.
int ApplyEditRule(SettingsEdit edit, std::string* text);

}  // namespace vidodez
