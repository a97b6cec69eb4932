#include "core/firmware/firmware_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace vidodez {
namespace {

TEST(FirmwareNames, SayWhatIsOfferedStampedAndConfirmed) {
  struct Case {
    const char* path;
    bool offered;
    bool stamped;
    bool asks_part_number;
    const char* confirmation_name;
  } cases[] = {
      {"P4.BIN", true, true, false, "P4"},
      {"S/X.Bin", true, true, false, "X"},
      {"S/P4.bin", true, true, true, "P4"},
      {"x.bin.txt", true, true, false, "x.bin"},
      {"readme.TXT", true, false, false, "readme"},
      {"a.dat", false, false, false, "a"},
      {"x.bin.dat", false, true, false, "x.bin"},
      {"bin", false, false, false, "bin"},
      {"v1.2/readme", false, false, false, "readme"},  // a dot in the folder is no extension
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.offered, IsOfferedFirmwareName(c.path));
    EXPECT_EQ(c.stamped, TakesChecksumStamp(c.path));
    EXPECT_EQ(c.asks_part_number, HasImageExtension(c.path));
    EXPECT_EQ(c.confirmation_name, ConfirmationName(c.path));
  }
}

TEST(FirmwareNames, NumberKeyReadsTheDigitsAfterTheFirstCharacter) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  struct Case {
    const char* name;
    int64_t key;
  } cases[] = {{"P123.BIN", 123}, {"P4.BIN", 4},
               {"P12a.BIN", 12},  {"Pab.BIN", 0},
               {"P.BIN", 0},      {"", 0},
               {".BIN", 0},       {"P7", 7},
               {"P-5.BIN", -5},   {"P99999999999999999999999.BIN", kMax}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.key, FirmwareNumberKey(c.name));
  }
}

std::vector<std::string> Names(const std::vector<FirmwareEntry>& entries) {
  std::vector<std::string> names;
  for (const FirmwareEntry& entry : entries) names.push_back(entry.name);
  return names;
}

TEST(FirmwareOrder, TopLevelPutsFoldersThenNumberedImagesFirst) {
  std::vector<FirmwareEntry> entries;
  for (const char* name : {"P30.BIN", "P4.BIN", "readme.txt", "A1.BIN", "P4.txt", "p04.bin"})
    entries.push_back({false, name, {}});
  entries.insert(entries.begin() + 2, FirmwareEntry{true, "S", {}});
  entries.push_back({true, "B", {}});
  OrderTopLevelEntries(&entries);
  // Equal keys keep their order; a "P" name without ".BIN" is not numbered.
  EXPECT_EQ((std::vector<std::string>{"S", "B", "P4.BIN", "p04.bin", "P30.BIN", "readme.txt",
                                      "A1.BIN", "P4.txt"}),
            Names(entries));
}

TEST(FirmwareOrder, SubfolderNumbersEveryNameThatBeginsWithP) {
  std::vector<FirmwareFile> files;
  for (const char* name : {"z.txt", "P30.BIN", "p4.txt", "A1.BIN", "P4.BIN"})
    files.push_back({name, std::string("S/") + name});
  OrderFolderFiles(&files);
  std::vector<std::string> names;
  for (const FirmwareFile& file : files) names.push_back(file.name);
  EXPECT_EQ((std::vector<std::string>{"p4.txt", "P4.BIN", "P30.BIN", "z.txt", "A1.BIN"}), names);
}

}  // namespace
}  // namespace vidodez
