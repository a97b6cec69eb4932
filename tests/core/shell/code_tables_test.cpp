// Every subsystem's result codes: each has one name, and no two subsystems
// use the same number, so a code alone says which failure it was.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/config/config_codes.h"
#include "core/firmware/firmware_codes.h"
#include "core/font/font_codes.h"
#include "core/graphic/graphic_codes.h"
#include "core/link/port_codes.h"
#include "core/network/network_codes.h"
#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

TEST(CodeTables, EveryCodeHasItsOwnNameAndNumber) {
  struct Subsystem {
    const char* name;
    std::span<const NamedCode> table;
    const char* (*name_of)(int);
  } subsystems[] = {
      {"link", PortCodeTable(), PortCodeName},
      {"shell", ShellCodeTable(), ShellCodeName},
      {"config", ConfigCodeTable(), ConfigCodeName},
      {"graphic", GraphicCodeTable(), GraphicCodeName},
      {"font", FontCodeTable(), FontCodeName},
      {"firmware", FirmwareCodeTable(), FirmwareCodeName},
      {"network", NetworkCodeTable(), NetworkCodeName},
  };
  std::map<int, std::string> owner;
  std::set<std::string> names;
  for (const auto& subsystem : subsystems) {
    ASSERT_FALSE(subsystem.table.empty()) << subsystem.name;
    for (const NamedCode& entry : subsystem.table) {
      SCOPED_TRACE(std::string(subsystem.name) + " " + entry.name);
      EXPECT_STREQ(subsystem.name_of(entry.code), entry.name);
      EXPECT_TRUE(names.insert(entry.name).second) << "name used twice";
      if (entry.code == 0) continue;  // success is success everywhere
      auto [it, fresh] = owner.emplace(entry.code, subsystem.name);
      EXPECT_TRUE(fresh) << entry.code << " is also a code of " << it->second;
    }
  }
  EXPECT_STREQ(PortCodeName(-17), "ShortWrite");
  EXPECT_STREQ(ShellCodeName(12345), "Unknown");
}

}  // namespace
}  // namespace vidodez
