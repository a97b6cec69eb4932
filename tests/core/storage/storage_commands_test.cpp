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
      {"F1@@A#", {"F1", ""}, {"A"}, {}},              // two markers in a row: an empty name
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
  EXPECT_EQ(ConsoleText("A\nB\r\nC\rD"), "A\r\nB\r\nC\r\nD");
  EXPECT_EQ(ConsoleText("\r"), "\r\n");
  EXPECT_EQ(ConsoleText("\n\n"), "\r\n\r\n");
  EXPECT_EQ(ConsoleText(""), "");
}

TEST(StorageCommands, BytesOfEachCommand) {
  EXPECT_EQ(DeleteOneCommand(StoredKind::kForm, '1', "F"), "FK\"F\"");
  EXPECT_EQ(DeleteOneCommand(StoredKind::kFont, '0', "A"), "ZF\"A\"");
  EXPECT_EQ(DeleteOneCommand(StoredKind::kFont, '1', "A"), "^ZF\"A\"");
  EXPECT_EQ(DeleteOneCommand(StoredKind::kGraphic, '1', "G"), "GK\"G\"");
  EXPECT_EQ(DeleteAllCommand(StoredKind::kFont, '1'), "^ZF\"*\"");
  EXPECT_EQ(PrintCommand(StoredKind::kForm, "F"), "FR\"F\"\r\nW1");
  EXPECT_EQ(PrintCommand(StoredKind::kGraphic, "G"), "GG20,20,\"G\"\r\nW1\r\n");
  EXPECT_EQ(PrintCommand(StoredKind::kFont, "A"), "");
  EXPECT_EQ(StoreGraphicPrologue(true, "N"), "ZS\r\nGK\"N\"");
  EXPECT_EQ(StoreGraphicPrologue(false, "N"), "ZN\r\nGK\"N\"");
  EXPECT_EQ(StoreGraphicTestPrint("N"), "ZN\r\nGG20,20,\"N\"\r\nW1,1\r\n");
}

TEST(StorageCommands, NamesThatWouldBreakTheCommandLine) {
  EXPECT_TRUE(NameFitsCommand("LOGO"));
  EXPECT_TRUE(NameFitsCommand(""));
  EXPECT_FALSE(NameFitsCommand("A\"B"));
  EXPECT_FALSE(NameFitsCommand("HEAD\r\nF1"));
  EXPECT_FALSE(NameFitsCommand("A\n"));
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
