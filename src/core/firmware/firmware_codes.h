#pragma once
// Result codes of the firmware folder, its images and the firmware page's
// exchanges. Append only: never renumber or reuse a code, scripts read them.

#include <span>

#include "core/shell/named_code.h"

namespace vidodez {

inline constexpr int kFirmwareOk = 0;
// The folder cannot be listed (missing, not a folder, no permission).
inline constexpr int kFirmwareFolderUnreadable = -11001;
inline constexpr int kFirmwareFileNotFound = -11002;
inline constexpr int kFirmwareFileOpenFailed = -11003;
inline constexpr int kFirmwareFileReadFailed = -11004;
// The stamp could not be written (a read-only file or folder, or a failed write).
inline constexpr int kFirmwareFileWriteFailed = -11005;
// A folder, device or pipe where a file was expected: never opened for a stamp.
inline constexpr int kFirmwareNotAFile = -11006;
// Shorter than 20 bytes, so it has no place for a checksum: left as it is.
inline constexpr int kFirmwareImageTooShort = -11007;
// The operator answered the upgrade's question with Cancel: nothing was sent.
inline constexpr int kFirmwareUpgradeCancelled = -11008;
// A click on a control that is no file row's "Upgrade" button.
inline constexpr int kFirmwareNoSuchRow = -11009;
// Larger than kMaxFirmwareImageSize: never stamped or sent.
inline constexpr int kFirmwareImageTooLarge = -11010;

// The constant's name without its "k"; "Unknown" for any other value.
const char* FirmwareCodeName(int code);
// Every named code, for checks that walk the list.
std::span<const NamedCode> FirmwareCodeTable();

}  // namespace vidodez
