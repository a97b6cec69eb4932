#pragma once
// The INI-style files the program reads and writes: "Sys.ini" and the printer
// settings files. One "[section]" line and one "key=value" line per setting.
//
// Reading looks a key up only inside the first section of that name, compares
// section and key exactly, and treats an empty value as missing. Writing
// collects the settings and, on CloseSettings, writes them to a temporary file
// beside the target and renames it over the target, so a failed save leaves
// the previous file as it was.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/file_replacement.h"
#include "core/shell/operator.h"

namespace vidodez {

// Lines are read up to this many bytes (line end not counted); the rest of a
// longer line is skipped, never taken for a line of its own.
inline constexpr size_t kIniMaxLineBytes = 255;
// A settings file is a few hundred bytes; a larger file is refused.
inline constexpr size_t kIniMaxFileBytes = 1 << 20;

// The lookup on a file's text: kShellOk with the value (possibly empty),
// kSettingsSectionMissing or kSettingsKeyMissing.
[[nodiscard]] int FindIniValue(std::string_view text, std::string_view section,
                               std::string_view key, std::string* value);

class SettingsFile {
 public:
  SettingsFile() = default;
  ~SettingsFile();  // drops an unfinished write: the target is not touched
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  // Reading: the file must exist and be readable. Writing: the temporary file
  // is created at once, so a folder that cannot be written fails here.
  [[nodiscard]] bool OpenSettings(const std::string& path, bool for_writing);
  // The value of `key` in `section`, cut to size - 1 bytes (size counts the
  // terminator of the slot it is read for). False when the section or the key
  // is missing or the value is empty.
  [[nodiscard]] bool ReadSetting(std::string_view section, std::string_view key, std::string* value,
                                 size_t size);
  // Adds the setting; a section already written gets the key (or its value
  // replaced) in place. Line ends inside a value are cut off, so one setting
  // stays one line.
  [[nodiscard]] bool WriteSetting(std::string_view section, std::string_view key,
                                  std::string_view value);
  // Ends reading, or finishes writing: kShellOk, kSettingsWriteFailed, or
  // kSettingsNotOpen when nothing was open.
  [[nodiscard]] int CloseSettings();

  // The last failure as the operator reads it, in `language` ("chi" or any
  // other code for English).
  OperatorMessage GetSettingsErrorMessage(std::string_view language) const;
  int error_code() const { return error_; }

 private:
  struct Entry {
    std::string section;
    std::vector<std::pair<std::string, std::string>> values;
  };

  bool Fail(int code, std::string_view section = {}, std::string_view key = {});
  void Abandon();

  std::string path_;
  bool reading_ = false;
  bool writing_ = false;
  std::string text_;                         // the file's text while reading
  std::vector<Entry> entries_;               // what will be written
  std::unique_ptr<FileReplacement> output_;  // while writing
  int error_ = 0;
  std::string error_section_;
  std::string error_key_;
};

// Message table of the settings file object ("settings_file"); the first %s
// is the file path.
inline constexpr char kSettingsFileTable[] = "settings_file";

}  // namespace vidodez
