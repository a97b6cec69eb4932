#include "core/storage/storage_commands.h"

#include <gtest/gtest.h>

namespace vidodez {
namespace {

using Names = std::vector<std::string>;

TEST(ParseStoredList, NamesRunBetweenMarkersWhateverKindWasAsked) {
  struct Case {
    std::string reply;
    Names forms, fonts, graphics;
  } cases[] = {
      {"F1@F2@A#G1$", {"F1", "F2"}, {"A"}, {"G1"}},
      {"F1@@A#", {"F1", ""}, {"A"}, {}},             // two markers in a row: an empty name
      {"HEAD\r\nF1@X\r\n", {"HEAD\r\nF1"}, {}, {}},  // text before is kept, text after dropped
      {"", {}, {}, {}},
      {"\xb9\xfa@", {"\xb9\xfa"}, {}, {}},  // raw GBK bytes stay as they came
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(ParseStoredList(c.reply, StoredKind::kForm), c.forms);
    EXPECT_EQ(ParseStoredList(c.reply, StoredKind::kFont), c.fonts);
    EXPECT_EQ(ParseStoredList(c.reply, StoredKind::kGraphic), c.graphics);
  }
}

TEST(ConsoleText, EveryKindOfLineBreakBecomesCrLf) {
  EXPECT_EQ(ConsoleText("A\nB\r\nC\rD\r"), "A\r\nB\r\nC\r\nD\r\n");
  EXPECT_EQ(ConsoleText("\n\n"), "\r\n\r\n");
}

// The page's tests see the other commands on the wire; these two it never sends.
TEST(StorageCommands, FontDeleteAllFollowsTheFlagAndFontsHaveNoPrint) {
  EXPECT_EQ(DeleteAllCommand(StoredKind::kFont, '1'), "^ZF\"*\"");
  EXPECT_EQ(DeleteAllCommand(StoredKind::kFont, '0'), "ZF\"*\"");
  EXPECT_EQ(PrintCommand(StoredKind::kFont, "A"), "");
}

TEST(StorageCommands, NamesWithAQuoteOrAnyLineBreakWouldBreakTheCommandLine) {
  for (const char* name : {"A\"B", "HEAD\r\nF1", "A\n", "A\rB"})
    EXPECT_FALSE(NameFitsCommand(name)) << name;
  EXPECT_TRUE(NameFitsCommand(""));
}

TEST(StorageCommands, PictureFileNames) {
  EXPECT_TRUE(HasPcxExtension("/tmp/a.pcx"));
  EXPECT_TRUE(HasPcxExtension("/tmp/a.b.PcX"));
  EXPECT_FALSE(HasPcxExtension("/tmp/a.bmp"));
  EXPECT_FALSE(HasPcxExtension("/tmp/pcx"));
  EXPECT_EQ(BaseNameForId("/home/op/pictures/logo.v2.pcx"), "logo.v2");
  EXPECT_EQ(BaseNameForId("LOGO"), "LOGO");
  EXPECT_EQ(BaseNameForId("/dir.x/file"), "file");
}

}  // namespace
}  // namespace vidodez
