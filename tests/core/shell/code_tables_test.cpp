// Every subsystem's result codes: each constant of a codes header has its
// row in the subsystem's name table, each has one name, and no two
// subsystems use the same number, so a code alone says which failure it was.

#include <dirent.h>
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "support/code_tables.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::kSubsystemCodes;
using test::SubsystemCodes;

const std::string kCore = std::string(VIDODEZ_SOURCE_DIR) + "/src/core/";

// "inline constexpr int kName = -123;" of a header, by name.
std::map<std::string, int> DeclaredCodes(const std::string& header) {
  static const std::regex declaration(R"(inline\s+constexpr\s+int\s+k(\w+)\s*=\s*(-?\d+)\s*;)");
  const std::string text = test::ReadFileBytes(kCore + header);
  std::map<std::string, int> codes;
  for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it)
    codes[(*it)[1]] = std::stoi((*it)[2]);
  return codes;
}

// Every "*_codes.h" below src/core, as "folder/file".
std::set<std::string> CodeHeaders() {
  std::set<std::string> headers;
  DIR* core = ::opendir(kCore.c_str());
  while (const dirent* folder = core != nullptr ? ::readdir(core) : nullptr) {
    if (folder->d_name[0] == '.') continue;
    DIR* files = ::opendir((kCore + folder->d_name).c_str());
    while (const dirent* file = files != nullptr ? ::readdir(files) : nullptr) {
      const std::string header = std::string(folder->d_name) + "/" + file->d_name;
      if (header.ends_with("_codes.h")) headers.insert(header);
    }
    if (files != nullptr) ::closedir(files);
  }
  if (core != nullptr) ::closedir(core);
  return headers;
}

// A constant without its row would read "Unknown" in logs, --json and test
// failures; a new subsystem's header must join the list.
TEST(CodeTables, EveryDeclaredCodeHasItsRow) {
  std::set<std::string> listed;
  for (const SubsystemCodes& subsystem : kSubsystemCodes) {
    SCOPED_TRACE(subsystem.header);
    listed.insert(subsystem.header);
    const std::map<std::string, int> declared = DeclaredCodes(subsystem.header);
    EXPECT_FALSE(declared.empty());
    for (const auto& [name, code] : declared) {
      EXPECT_STREQ(subsystem.name_of(code), name.c_str()) << code << " has no row of its own";
    }
    EXPECT_EQ(subsystem.table().size(), declared.size()) << "a row without its constant";
  }
  EXPECT_EQ(CodeHeaders(), listed);
}

TEST(CodeTables, EveryCodeHasItsOwnNameAndNumber) {
  std::map<int, std::string> owner;
  std::set<std::string> names;
  for (const SubsystemCodes& subsystem : kSubsystemCodes) {
    for (const NamedCode& entry : subsystem.table()) {
      SCOPED_TRACE(std::string(subsystem.header) + " " + entry.name);
      EXPECT_TRUE(names.insert(entry.name).second) << "name used twice";
      if (entry.code == 0) continue;  // success is success everywhere
      auto [it, fresh] = owner.emplace(entry.code, subsystem.header);
      EXPECT_TRUE(fresh) << entry.code << " is also a code of " << it->second;
    }
  }
  EXPECT_STREQ(PortCodeName(-17), "ShortWrite");
  EXPECT_STREQ(ShellCodeName(12345), "Unknown");
}

}  // namespace
}  // namespace vidodez
