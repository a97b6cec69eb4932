#pragma once
// What the firmware page does to one file: stamp an image's checksum, read
// its part number, decide its row's tooltip.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/firmware/firmware_file_calls.h"

namespace vidodez {

struct StampResult {
  // The four bytes found at offset 16 (raw: a foreign image may hold anything).
  std::string found;
  // "%04x" of the body's sum when `found` was four zero bytes, else "".
  std::string checksum;
  // The checksum was written into the file.
  bool written = false;
};

// Stamps an image whose four bytes at offset 16 are zero with its checksum,
// written in place only after the whole body was summed, so a failed read
// leaves the file as it was. kFirmwareOk also for an image already stamped
// (`written` false). kFirmwareImageTooShort for a file under 20 bytes,
// kFirmwareFileWriteFailed for one that cannot be written (`checksum` is set
// then), kFirmwareNotAFile for a folder, device or pipe,
// kFirmwareImageTooLarge beyond kMaxFirmwareImageSize (nothing is read).
[[nodiscard]] int StampFirmwareImage(const std::string& path, StampResult* result,
                                     const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());

// The part number at the head of an image (up to 16 bytes, up to the first
// NUL; a shorter file gives what it has).
[[nodiscard]] int ReadPartNumber(const std::string& path, std::string* part_number,
                                 const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());

// Whether the file may be sent as an upgrade: kFirmwareOk for a regular
// file of at most kMaxFirmwareImageSize bytes, else kFirmwareFileNotFound,
// kFirmwareNotAFile, kFirmwareImageTooLarge or the open's failure.
[[nodiscard]] int CheckFirmwareFile(const std::string& path,
                                    const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());

bool FirmwareFileExists(const std::string& path,
                        const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());

enum class FirmwareTooltip {
  kNone,
  kUpgradeIndicator,  // an image (extension exactly ".bin"): the lamps during an upgrade
  kShortIndicator,    // a printer command file: the lamps, then cycle the power
};

// The tooltip of an existing file's row: kUpgradeIndicator for the extension
// ".bin", kShortIndicator when the file holds a "#" or "^" (read up to the
// first of them), else (or when it cannot be read) kNone.
FirmwareTooltip FirmwareTooltipFor(const std::string& path,
                                   const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());

}  // namespace vidodez
