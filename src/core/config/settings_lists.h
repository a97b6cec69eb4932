#pragma once
// The settings page's lists in one table: the record field each list
// chooses and its entries in both languages. Entry i stands for the field's
// value min + i * step of its rule (RecordFields()), written in the rule's
// width ("05" for darkness). The window fills its lists from here, the
// model reads and writes the fields through it, and the command line
// checks values against it.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/config/printer_settings_record.h"
#include "core/shell/texts.h"

namespace vidodez {

// A list with no entry chosen.
inline constexpr int kNoSelection = -1;

enum class SettingsListId {
  kDarkness,
  kSpeed,
  kPrintMethod,
  kSensorType,
  kMediaHeight,
  kThreshold,  // the transmissive sensor's field; every sensor's has the same rule
  kBaudRate,
  kParity,
  kDataBit,
};
inline constexpr int kSettingsListCount = 9;

struct SettingsList {
  SettingsListId id;
  SettingSlot PrinterSettingsRecord::*field;
  std::span<const Text> entries;
};

// Every list, in SettingsListId order.
std::span<const SettingsList> SettingsLists();
const SettingsList& SettingsListOf(SettingsListId id);

// The entry whose value the field holds exactly as written ("05", not
// "5"); kNoSelection for any other text.
int ListIndexOfValue(const SettingsList& list, std::string_view value);
// The entry of a number of the field (5 for darkness "05"); kNoSelection
// for a number that is no entry.
int ListIndexOfNumber(const SettingsList& list, int number);
// The field's value of entry `index`, in the rule's width: kConfigOk, or
// kSettingsValueOutOfRange for an index outside the list.
[[nodiscard]] int ListValueOfIndex(const SettingsList& list, int index, std::string* value);

}  // namespace vidodez
