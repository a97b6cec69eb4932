#pragma once
// Result codes of the program's own settings: the settings file object, the
// application-data folder, and the reading and writing of operator files.
// Append only: never renumber or reuse a code.

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
// Files the operator names for reading (core/shell/input_file.h).
inline constexpr int kInputMissing = -6011;
inline constexpr int kInputOpenFailed = -6012;
// A folder, FIFO, device or socket where a file's contents were expected.
inline constexpr int kInputNotRegular = -6013;
// Larger than the reader's limit; only limit + 1 bytes were read.
inline constexpr int kInputTooLarge = -6014;
inline constexpr int kInputReadFailed = -6015;
// Files written for the operator (core/shell/file_replacement.h): the
// temporary file beside the target could not be made (folder not writable).
inline constexpr int kOutputCreateFailed = -6016;
// Writing, syncing or renaming failed (full disk, file-size limit, a folder
// or device where the file should be); the old file stays as it was.
inline constexpr int kOutputWriteFailed = -6017;

// The constant's name without its "k"; "Unknown" for any other value.
const char* ShellCodeName(int code);

// Every named code, for checks that walk the list.
std::span<const NamedCode> ShellCodeTable();

}  // namespace vidodez
