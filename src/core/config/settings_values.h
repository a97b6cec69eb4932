#pragma once
// Settings values against what their fields allow (the rules beside each
// field in RecordFields()), and the numbers the operator types, read with
// their ranges checked so that nothing too large wraps into another value.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/config/printer_settings_record.h"

namespace vidodez {

// The form of the field only, as a printer's reply must have it: digits for
// a number or an index, an optional "-" and digits for an offset, four dotted
// numbers for an address; never more than `capacity` characters. Never the
// lists: a printer may report entries the program does not offer.
bool HasFieldForm(const FieldRule& rule, std::string_view value, size_t capacity);

// A value the field can take, as a settings file must hold it: an entry of
// its list in its own width ("05" for darkness), a number in its range, an
// address. Text fields take anything.
bool IsAllowedValue(const FieldRule& rule, std::string_view value);

// Four dotted numbers 0-255, each of one to three digits.
bool IsDottedAddress(std::string_view text);

// A whole number ("12", "-12") within min..max; kSettingsValueOutOfRange for
// anything else, one too large for an int included.
[[nodiscard]] int ParseWholeInRange(std::string_view text, int min, int max, int* value);

// A length typed in `unit` as a whole number of `to_unit` (dots for an
// offset, millimetres for the calibration length), within the rule's range;
// kSettingsValueOutOfRange otherwise. Text that is no number, a lone "-",
// reads 0 as the page always read it.
[[nodiscard]] int TypedLengthToWhole(std::string_view typed, std::string_view resolution_code,
                                     int unit, int to_unit, const FieldRule& rule, int* whole);

// The rule's range for a message: "0 ~ 20", "0, 2".
std::string AllowedValuesText(const FieldRule& rule);

}  // namespace vidodez
