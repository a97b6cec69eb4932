#pragma once
// Every subsystem's result codes, with the header that declares them: the
// one list that EXPECT_CODE names codes from and the table walk checks.

#include <array>
#include <span>

#include "core/config/config_codes.h"
#include "core/firmware/firmware_codes.h"
#include "core/font/font_codes.h"
#include "core/graphic/graphic_codes.h"
#include "core/link/port_codes.h"
#include "core/network/network_codes.h"
#include "core/shell/shell_codes.h"
#include "core/storage/storage_codes.h"

namespace vidodez::test {

struct SubsystemCodes {
  const char* header;  // below src/core
  std::span<const NamedCode> (*table)();
  const char* (*name_of)(int);
};

inline constexpr std::array<SubsystemCodes, 8> kSubsystemCodes{{
    {"link/port_codes.h", PortCodeTable, PortCodeName},
    {"shell/shell_codes.h", ShellCodeTable, ShellCodeName},
    {"config/config_codes.h", ConfigCodeTable, ConfigCodeName},
    {"graphic/graphic_codes.h", GraphicCodeTable, GraphicCodeName},
    {"storage/storage_codes.h", StorageCodeTable, StorageCodeName},
    {"font/font_codes.h", FontCodeTable, FontCodeName},
    {"firmware/firmware_codes.h", FirmwareCodeTable, FirmwareCodeName},
    {"network/network_codes.h", NetworkCodeTable, NetworkCodeName},
}};

}  // namespace vidodez::test
