// The INI reader with whatever a file might hold: the text looked up for
// every entry of a printer settings file, and the same text as a settings
// file and as "Sys.ini" on disk. A settings file that loads saves back and
// loads again to the same record.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/config_codes.h"
#include "core/config/printer_settings_record.h"
#include "core/config/settings_ini.h"
#include "core/shell/operator.h"
#include "core/shell/program_settings.h"
#include "core/shell/settings_file.h"
#include "core/shell/shell_codes.h"
#include "support/temp_dir.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// Files are read and written without anyone to ask: every question is
// cancelled, and what is told is dropped.
class SilentOperator final : public vidodez::Operator {
 public:
  void Tell(const vidodez::OperatorMessage&) override {}
  bool Confirm(const vidodez::OperatorMessage&) override { return false; }
  bool ChooseFileToOpen(const vidodez::FileChoice&, std::string*) override { return false; }
  bool ChooseFileToSave(const vidodez::FileChoice&, std::string*) override { return false; }
  void WaitWithCountdown(int) override {}
};

bool SameRecord(const vidodez::PrinterSettingsRecord& a, const vidodez::PrinterSettingsRecord& b) {
  for (const vidodez::RecordField& field : vidodez::RecordFields())
    if ((a.*field.slot).view() != (b.*field.slot).view()) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const vidodez::test::TempDir dir;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const vidodez::SettingsFileEntry& entry : vidodez::SettingsFileEntries(40)) {
    std::string value;
    int code = vidodez::FindIniValue(text, entry.section, entry.key, &value);
    // A value is part of one line: never longer than a line, never with a line end.
    Check(code != vidodez::kShellOk ||
          (value.size() <= vidodez::kIniMaxLineBytes && value.find('\n') == std::string::npos));
  }
  std::string value;
  (void)vidodez::FindIniValue(text, "", "", &value);

  const std::string path = dir.File("settings.ini");
  vidodez::test::WriteFileBytes(path, std::string(text));
  (void)vidodez::ResolveCliLanguage(path, vidodez::kEnglish);
  SilentOperator op;
  for (int field_count : {32, 39}) {
    vidodez::PrinterSettingsRecord record;
    if (vidodez::LoadSettingsFile(path, field_count, &record, op, "eng") != vidodez::kConfigOk)
      continue;
    // Every value came from the text whole, as the lookup finds it.
    for (const vidodez::SettingsFileEntry& entry : vidodez::SettingsFileEntries(field_count)) {
      std::string found;
      if (vidodez::FindIniValue(text, entry.section, entry.key, &found) == vidodez::kShellOk &&
          !found.empty())
        Check((record.*entry.slot).view() ==
              std::string_view(found).substr(
                  0, std::min(found.find('\0'), (record.*entry.slot).capacity())));
    }
    const std::string copy = dir.File("copy.ini");
    Check(vidodez::SaveSettingsFile(copy, field_count, record, op, "eng") == vidodez::kConfigOk);
    vidodez::PrinterSettingsRecord again;
    Check(vidodez::LoadSettingsFile(copy, field_count, &again, op, "eng") == vidodez::kConfigOk &&
          SameRecord(record, again));
  }
  return 0;
}
