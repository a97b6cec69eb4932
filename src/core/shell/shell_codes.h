#pragma once
// Result codes of the program's own settings: the settings file object and
// the application-data folder. Append only: never renumber or reuse a code.

#include <span>

#include "core/shell/named_code.h"

namespace vidodez {

inline constexpr int kShellOk = 0;
inline constexpr int kSettingsPathEmpty = -6001;
inline constexpr int kSettingsFileMissing = -6002;
inline constexpr int kSettingsCreateFailed = -6003;
inline constexpr int kSettingsOpenFailed = -6004;
inline constexpr int kSettingsSectionMissing = -6005;
inline constexpr int kSettingsKeyMissing = -6006;
// A read or write on an object that has no file open (or the wrong way).
inline constexpr int kSettingsNotOpen = -6007;
// Writing, flushing or renaming the finished file failed; the old file stays.
inline constexpr int kSettingsWriteFailed = -6008;
inline constexpr int kAppDataFolderUnknown = -6009;
inline constexpr int kAppDataFolderCreateFailed = -6010;

// The constant's name without its "k"; "Unknown" for any other value.
const char* ShellCodeName(int code);

// Every named code, for checks that walk the list.
std::span<const NamedCode> ShellCodeTable();

}  // namespace vidodez
