// The settings-file reader with whatever a file might hold: the input is the
// file's text, looked up for every entry a printer settings file has.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/settings_ini.h"
#include "core/shell/settings_file.h"
#include "core/shell/shell_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const vidodez::SettingsFileEntry& entry : vidodez::SettingsFileEntries(40)) {
    std::string value;
    int code = vidodez::FindIniValue(text, entry.section, entry.key, &value);
    // A value is part of one line: never longer than a line, never with a line end.
    if (code == vidodez::kShellOk &&
        (value.size() > vidodez::kIniMaxLineBytes || value.find('\n') != std::string::npos)) {
      __builtin_trap();
    }
  }
  std::string value;
  (void)vidodez::FindIniValue(text, "", "", &value);
  return 0;
}
