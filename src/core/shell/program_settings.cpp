#include "core/shell/program_settings.h"

#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

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

std::string HomeFolder() {
  if (const char* home = NonEmptyEnv("HOME")) return home;
  long size_hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size_hint > 0 ? static_cast<size_t>(size_hint) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return {};
}

bool MakeFolders(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
  return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
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

std::string AppDataFolder() {
  if (const char* own = NonEmptyEnv("VIDODEZ_APPDATA")) return own;
  // The base-directory rules ignore a relative XDG_CONFIG_HOME.
  if (const char* xdg = NonEmptyEnv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') return xdg;
  std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.config";
}

std::string DataFolder() {
  if (const char* xdg = NonEmptyEnv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') return xdg;
  std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share";
}

std::string SysIniPath(const std::string& appdata_folder) {
  if (appdata_folder.empty()) return {};
  return appdata_folder + "/" + kProductFolderName + "/" + kSysIniName;
}

int PrepareSysIniPath(const std::string& appdata_folder, std::string* path) {
  path->clear();
  if (appdata_folder.empty()) return kAppDataFolderUnknown;
  if (!MakeFolders(appdata_folder + "/" + kProductFolderName)) return kAppDataFolderCreateFailed;
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
  if (FileExists(sys_ini_path)) return ReadLanguageValue(sys_ini_path);
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
  if (!FileExists(sys_ini_path)) return locale_language;
  return ReadLanguageValue(sys_ini_path);
}

}  // namespace vidodez
