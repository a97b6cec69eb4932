#pragma once
// Result codes of the storage page's operations. The link's own failures
// keep their codes (core/link/port_codes.h), a file's its own
// (core/shell/shell_codes.h) and a picture's (core/graphic/graphic_codes.h).
// Append only: never renumber or reuse a code, scripts read them.

#include <span>

#include "core/shell/named_code.h"

namespace vidodez {

inline constexpr int kStorageOk = 0;
inline constexpr int kStorageNoCommand = -9001;  // the console box is empty
// Text for the printer (a command, a graphic ID) that has no GBK form.
inline constexpr int kStorageTextNotGbk = -9002;
inline constexpr int kStorageNoFileChosen = -9003;
// Not a regular file that can be read (missing, a folder, no permission).
inline constexpr int kStorageFileUnreadable = -9004;
inline constexpr int kStorageNothingSelected = -9005;  // no entry of the list chosen
inline constexpr int kStorageCancelled = -9006;  // the operator cancelled a question or dialog
// A name with a line end or a double quote: it would break the command.
inline constexpr int kStorageNameUnusable = -9007;
// The printer's command-set flag could not be read; a font delete needs it.
inline constexpr int kStorageCommandSetUnknown = -9008;
inline constexpr int kStorageFontsNotPrintable = -9009;  // fonts have no print command
inline constexpr int kStorageNotPcx = -9010;             // only PCX pictures are stored
inline constexpr int kStorageIdEmpty = -9011;
inline constexpr int kStorageIdHasAsterisk = -9012;
inline constexpr int kStorageIdTooLong = -9013;  // over 8 bytes in GBK
// The console's text as sent (line ends as CR LF, in GBK) beyond
// kMaxCommandText: it would not fit the link's one line.
inline constexpr int kStorageCommandTooLong = -9014;

// The constant's name without its "k"; "Unknown" for any other value.
const char* StorageCodeName(int code);
// Every named code, for checks that walk the list.
std::span<const NamedCode> StorageCodeTable();

}  // namespace vidodez
