#pragma once
// Printer settings files: one "[Section]" and one "Key=Value" line per
// setting, CR LF line ends, in a fixed order; the values are the record's
// texts unchanged (offsets in dots, indexes as digits).

#include <string>
#include <string_view>
#include <vector>

#include "core/config/printer_settings_record.h"
#include "core/shell/operator.h"

namespace vidodez {

// Where a field lives in a settings file.
struct SettingsFileEntry {
  const char* section;
  const char* key;
  SettingSlot PrinterSettingsRecord::*slot;
};

// The entries a file holds for a field count, in file order: the 24 common
// ones, the six of 39-field printers, then CalibrationLen.
std::vector<SettingsFileEntry> SettingsFileEntries(int field_count);

// Reads the file over the record. kSettingsFileUnreadable when it cannot be
// opened (the reader's message is shown in `language`); kSettingsEntryMissing
// at the first missing or empty entry, kSettingsFileValueInvalid at the first
// value its field cannot take (an entry of no list, a number out of range,
// no address), with the entries before it already in the record and
// `stopped_at` naming it. A missing CalibrationLen is not a failure.
[[nodiscard]] int LoadSettingsFile(const std::string& path, int field_count,
                                   PrinterSettingsRecord* record, Operator& op,
                                   std::string_view language,
                                   SettingsFileEntry* stopped_at = nullptr);

// Writes the file afresh through a temporary file; kSettingsFileUnwritable
// (the writer's message shown) leaves any previous file as it was.
[[nodiscard]] int SaveSettingsFile(const std::string& path, int field_count,
                                   const PrinterSettingsRecord& record, Operator& op,
                                   std::string_view language);

}  // namespace vidodez
