#pragma once
// Where firmware lies and what a firmware folder holds: its files and the
// files of its subfolders (one level deep), in the order the page lists them.

#include <string>
#include <vector>

#include "core/firmware/firmware_file_calls.h"
#include "core/firmware/firmware_names.h"

namespace vidodez {

inline constexpr char kFirmwareFolderName[] = "Firmware";
// Overrides the user's own firmware folder (tests).
inline constexpr char kFirmwareFolderVariable[] = "VIDODEZ_FIRMWARE_DIR";

// program folder + "/Firmware": where an installation brings its images.
std::string ProgramFirmwareFolder(const std::string& program_folder);
// Where the user adds images when the program's folder is read-only:
// $VIDODEZ_FIRMWARE_DIR, else the data folder + "/Marlix Vidodez 3.0/Firmware";
// "" when neither is known.
std::string UserFirmwareFolder();
// The folders the page lists, in that order: the program's, then the user's
// (left out when unknown or the same folder as the program's).
std::vector<std::string> FirmwareFolders(
    const std::string& program_folder, const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());

// `folder` + "/" + a relative path, without doubling a trailing "/".
std::string FirmwarePath(const std::string& folder, const std::string& relative_path);

// The folders and offered files of `folder`, and the files of each subfolder,
// in list order (see firmware_names.h; names otherwise in the order of their
// bytes). Only regular files are offered. kFirmwareFolderUnreadable, with no
// entries, when `folder` cannot be listed; a subfolder that cannot be listed
// is kept, without files, and the others are still read.
[[nodiscard]] int ScanFirmwareFolder(const std::string& folder, std::vector<FirmwareEntry>* entries,
                                     const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());

}  // namespace vidodez
