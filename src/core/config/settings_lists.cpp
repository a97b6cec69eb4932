#include "core/config/settings_lists.h"

#include <cstdio>

#include "core/config/config_codes.h"

namespace vidodez {
namespace {

// Entries that read the same in both languages.
template <int First, int Last>
constexpr std::array<Text, Last - First + 1> kNumbers = [] {
  constexpr const char* kDigits[] = {"0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",
                                     "9",  "10", "11", "12", "13", "14", "15", "16", "17",
                                     "18", "19", "20", "21", "22", "23", "24"};
  std::array<Text, Last - First + 1> entries{};
  for (int i = First; i <= Last; ++i)
    entries[static_cast<size_t>(i - First)] = {kDigits[i], kDigits[i]};
  return entries;
}();

constexpr Text kSpeeds[] = {{"0", "0"},     {"1", "1"}, {"2", "2"},  {"2.5", "2.5"}, {"3", "3"},
                            {"3.5", "3.5"}, {"4", "4"}, {"5", "5"},  {"6", "6"},     {"7", "7"},
                            {"8", "8"},     {"9", "9"}, {"10", "10"}};
constexpr Text kPrintMethods[] = {{"Direct Thermal", "热敏"}, {"Thermal Transfer", "热转印"}};
constexpr Text kSensorTypes[] = {
    {"Transmissive", "穿透式"}, {"Lower Reflective", "下反射"}, {"Upper Reflective", "上反射"}};
constexpr Text kMediaHeights[] = {{"Prioritize detection", "探测优先"},
                                  {"Prioritize command", "指令优先"}};
constexpr Text kBaudRates[] = {{"9600", "9600"},
                               {"19200", "19200"},
                               {"38400", "38400"},
                               {"57600", "57600"},
                               {"115200", "115200"}};
constexpr Text kParities[] = {{"None", "无校验"}, {"Odd", "奇校验"}, {"Even", "偶校验"}};
constexpr Text kDataBits[] = {{"8bit", "8bit"}, {"7bit", "7bit"}};

using R = PrinterSettingsRecord;
using L = SettingsListId;
constexpr std::array<SettingsList, kSettingsListCount> kLists{{
    {L::kDarkness, &R::Darkness, kNumbers<0, 20>},
    {L::kSpeed, &R::Speed, kSpeeds},
    {L::kPrintMethod, &R::PrintMethod, kPrintMethods},
    {L::kSensorType, &R::MediaSensorType, kSensorTypes},
    {L::kMediaHeight, &R::MediaHeight, kMediaHeights},
    {L::kThreshold, &R::DetectTrThreshold, kNumbers<2, 24>},
    {L::kBaudRate, &R::BaudRate, kBaudRates},
    {L::kParity, &R::ParityBit, kParities},
    {L::kDataBit, &R::DataBit, kDataBits},
}};

const FieldRule& RuleOf(const SettingsList& list) { return FieldOfSlot(list.field).rule; }

}  // namespace

std::span<const SettingsList> SettingsLists() { return kLists; }

const SettingsList& SettingsListOf(SettingsListId id) { return kLists[static_cast<size_t>(id)]; }

int ListIndexOfNumber(const SettingsList& list, int number) {
  const FieldRule& rule = RuleOf(list);
  if (number < rule.min || (number - rule.min) % rule.step != 0) return kNoSelection;
  const int index = (number - rule.min) / rule.step;
  return index < static_cast<int>(list.entries.size()) ? index : kNoSelection;
}

int ListIndexOfValue(const SettingsList& list, std::string_view value) {
  for (int i = 0; i < static_cast<int>(list.entries.size()); ++i) {
    std::string entry;
    if (ListValueOfIndex(list, i, &entry) == kConfigOk && entry == value) return i;
  }
  return kNoSelection;
}

int ListValueOfIndex(const SettingsList& list, int index, std::string* value) {
  if (index < 0 || index >= static_cast<int>(list.entries.size())) return kSettingsValueOutOfRange;
  const FieldRule& rule = RuleOf(list);
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", rule.width, rule.min + index * rule.step);
  *value = text;
  return kConfigOk;
}

}  // namespace vidodez
