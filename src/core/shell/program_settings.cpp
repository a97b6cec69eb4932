#include "core/shell/program_settings.h"

#include <cstdlib>

#include "core/platform/file_system.h"
#include "core/platform/user_folders.h"
#include "core/shell/settings_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

// Largest language value read from "Sys.ini" (the program's own path size).
constexpr size_t kLanguageValueSize = 260;

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return (value != nullptr && *value != '\0') ? value : nullptr;
}

// The value in "Sys.ini", or "" when it cannot be read.
std::string ReadLanguageValue(const std::string& sys_ini_path) {
  SettingsFile file;
  std::string value;
  if (!file.OpenSettings(sys_ini_path, false) ||
      !file.ReadSetting(kLanguageSection, kLanguageKey, &value, kLanguageValueSize)) {
    value.clear();
  }
  (void)file.CloseSettings();
  return value;
}

}  // namespace

std::string SysIniPath(const std::string& appdata_folder) {
  if (appdata_folder.empty()) return {};
  return appdata_folder + "/" + kProductFolderName + "/" + kSysIniName;
}

int PrepareSysIniPath(const std::string& appdata_folder, std::string* path) {
  path->clear();
  if (appdata_folder.empty()) return kAppDataFolderUnknown;
  if (platform::MakeFolders(appdata_folder + "/" + kProductFolderName, 0700) != 0) {
    return kAppDataFolderCreateFailed;
  }
  *path = SysIniPath(appdata_folder);
  return kShellOk;
}

std::string LanguageForLocale(std::string_view locale_name) {
  std::string_view name = locale_name.substr(0, locale_name.find_first_of(".@"));
  size_t underscore = name.find('_');
  std::string_view language = name.substr(0, underscore);
  std::string_view territory =
      underscore == std::string_view::npos ? std::string_view() : name.substr(underscore + 1);
  if (language != "zh") return kEnglish;
  for (std::string_view chinese : {"", "CN", "TW", "SG", "HK"}) {
    if (territory == chinese) return kChinese;
  }
  return kEnglish;
}

std::string LocaleLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = NonEmptyEnv(variable)) return LanguageForLocale(value);
  }
  return kEnglish;
}

bool SaveSetting(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value, std::string_view language, Operator* op) {
  SettingsFile file;
  bool ok = file.OpenSettings(path, true) && file.WriteSetting(section, key, value) &&
            file.CloseSettings() == kShellOk;
  if (!ok && op != nullptr) op->Tell(file.GetSettingsErrorMessage(language));
  return ok;
}

std::string LoadLanguage(const std::string& sys_ini_path, const std::string& locale_language,
                         Operator& op) {
  if (sys_ini_path.empty()) return locale_language;
  if (platform::PathExists(sys_ini_path)) return ReadLanguageValue(sys_ini_path);
  // First start. A file that cannot be created leaves the choice in memory,
  // without a message; once it can be created the save is an ordinary one.
  {
    SettingsFile probe;
    if (!probe.OpenSettings(sys_ini_path, true)) return locale_language;
  }
  return SetLanguage(locale_language == kChinese ? 0 : 1, sys_ini_path, std::string(), op);
}

std::string SetLanguage(int choice, const std::string& sys_ini_path,
                        const std::string& current_language, Operator& op) {
  if (choice != 0 && choice != 1) return current_language;
  std::string code = choice == 0 ? kChinese : kEnglish;
  (void)SaveSetting(sys_ini_path, kLanguageSection, kLanguageKey, code, current_language, &op);
  return code;
}

std::string ResolveCliLanguage(const std::string& sys_ini_path,
                               const std::string& locale_language) {
  if (!platform::PathExists(sys_ini_path)) return locale_language;
  return ReadLanguageValue(sys_ini_path);
}

}  // namespace vidodez
