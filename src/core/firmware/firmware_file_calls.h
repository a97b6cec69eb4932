#pragma once
// The file-system calls of the firmware folder, passed in so that tests can
// make a folder unreadable, a read fail half-way or a write fail, whoever
// runs them (root reads and writes through any permission bits).

#include "core/platform/file_system.h"

namespace vidodez {

using FirmwareFileCalls = platform::FileCalls;

inline const FirmwareFileCalls& DefaultFirmwareFileCalls() { return platform::DefaultFileCalls(); }

}  // namespace vidodez
