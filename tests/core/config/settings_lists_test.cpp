#include "core/config/settings_lists.h"

#include <gtest/gtest.h>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "support/expect_code.h"

namespace vidodez {
namespace {

// A list longer or shorter than its field's rule would offer a value that
// settings files and replies are refused for, or hide one they carry; a
// list out of place in the table would fill another field.
TEST(SettingsLists, EachListCoversItsFieldsRuleInOrder) {
  ASSERT_EQ(SettingsLists().size(), static_cast<size_t>(kSettingsListCount));
  for (const SettingsList& list : SettingsLists()) {
    const FieldRule& rule = FieldOfSlot(list.field).rule;
    SCOPED_TRACE(FieldOfSlot(list.field).name);
    EXPECT_EQ(&SettingsListOf(list.id), &list);
    EXPECT_EQ(list.entries.size(), static_cast<size_t>((rule.max - rule.min) / rule.step + 1));
    for (int i = 0; i < static_cast<int>(list.entries.size()); ++i) {
      std::string value;
      ASSERT_CODE(kConfigOk, ListValueOfIndex(list, i, &value));
      EXPECT_EQ(ListIndexOfValue(list, value), i) << value;
      EXPECT_NE(list.entries[static_cast<size_t>(i)].chi, nullptr);
    }
    std::string value = "kept";
    EXPECT_CODE(kSettingsValueOutOfRange,
                ListValueOfIndex(list, static_cast<int>(list.entries.size()), &value));
    EXPECT_CODE(kSettingsValueOutOfRange, ListValueOfIndex(list, kNoSelection, &value));
    EXPECT_EQ(value, "kept");
  }
}

// The values as the printer writes them: two digits where the field has
// two, the threshold from 2 up, and nothing else chooses an entry.
TEST(SettingsLists, ValuesAreWrittenInTheFieldsWidth) {
  struct Case {
    SettingsListId list;
    int index;
    const char* value;
    const char* entry;
  } cases[] = {
      {SettingsListId::kDarkness, 5, "05", "5"},  {SettingsListId::kSpeed, 3, "03", "2.5"},
      {SettingsListId::kThreshold, 0, "02", "2"}, {SettingsListId::kBaudRate, 4, "4", "115200"},
      {SettingsListId::kParity, 2, "2", "Even"},  {SettingsListId::kDataBit, 1, "1", "7bit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const SettingsList& list = SettingsListOf(c.list);
    std::string value;
    ASSERT_CODE(kConfigOk, ListValueOfIndex(list, c.index, &value));
    EXPECT_EQ(value, c.value);
    EXPECT_STREQ(list.entries[static_cast<size_t>(c.index)].eng, c.entry);
  }
  const SettingsList& darkness = SettingsListOf(SettingsListId::kDarkness);
  for (const char* other : {"5", "21", "-1", "", "5 "})
    EXPECT_EQ(ListIndexOfValue(darkness, other), kNoSelection) << other;
  EXPECT_EQ(ListIndexOfNumber(SettingsListOf(SettingsListId::kThreshold), 24), 22);
  EXPECT_EQ(ListIndexOfNumber(SettingsListOf(SettingsListId::kThreshold), 1), kNoSelection);
}

}  // namespace
}  // namespace vidodez
