#pragma once
// The program's one setting of its own, the interface language, kept in
// "Sys.ini" under the user's application-data folder. Functions take the path
// and the language they need; the caller keeps both (the link object holds
// them for the window).

#include <string>
#include <string_view>

#include "core/shell/operator.h"

namespace vidodez {

inline constexpr char kProductFolderName[] = "Marlix Vidodez 3.0";
inline constexpr char kSysIniName[] = "Sys.ini";
inline constexpr char kLanguageSection[] = "LanguageSetting";
inline constexpr char kLanguageKey[] = "LanguageValue";
inline constexpr char kChinese[] = "chi";
inline constexpr char kEnglish[] = "eng";

// The application-data folder is platform::AppDataFolder().
// appdata + "/Marlix Vidodez 3.0/Sys.ini"; "" for an empty appdata folder.
std::string SysIniPath(const std::string& appdata_folder);
// SysIniPath, creating the product folder (and the application-data folder)
// when missing. On failure `path` is left empty.
[[nodiscard]] int PrepareSysIniPath(const std::string& appdata_folder, std::string* path);

// "chi" for zh_CN, zh_TW, zh_SG, zh_HK and a bare zh (with any codeset or
// modifier), "eng" for every other locale name.
std::string LanguageForLocale(std::string_view locale_name);
// LanguageForLocale of the first set of LC_ALL, LC_MESSAGES, LANG.
std::string LocaleLanguage();

// Writes one setting as the whole file. On failure the writer's message is
// shown in `language` when an operator is given.
[[nodiscard]] bool SaveSetting(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value,
                               std::string_view language, Operator* op);

// The language at start: the value in "Sys.ini" unchanged when the file
// exists ("" when it cannot be read); on first start `locale_language`, saved
// to "Sys.ini" when the file can be written, else kept for this run only.
// An empty path (no application-data folder) gives `locale_language`.
std::string LoadLanguage(const std::string& sys_ini_path, const std::string& locale_language,
                         Operator& op);

// Choice 0 Chinese, 1 English: saves it (a failure is shown in the current
// language) and returns the new code, which holds even when saving failed.
// Any other choice returns `current_language` and writes nothing.
std::string SetLanguage(int choice, const std::string& sys_ini_path,
                        const std::string& current_language, Operator& op);

// The command line's language: that of "Sys.ini" when the file exists (""
// when it cannot be read), else `locale_language`. Never writes anything.
std::string ResolveCliLanguage(const std::string& sys_ini_path, const std::string& locale_language);

}  // namespace vidodez
