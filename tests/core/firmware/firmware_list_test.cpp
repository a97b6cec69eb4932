#include "core/firmware/firmware_list.h"

#include <errno.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstring>

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_folder.h"
#include "core/firmware/firmware_texts.h"
#include "support/expect_code.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::ScopedEnv;
using test::TempDir;
using test::WriteFileBytes;

// An unstamped image: part number, four zero bytes, 28 unread bytes, body.
std::string Image(const std::string& part_number, const std::string& body) {
  std::string image = part_number;
  image.resize(20, '\0');
  return image + std::string(28, 'x') + body;
}

class FirmwareFolder : public ::testing::Test {
 protected:
  std::string Put(const std::string& relative, const std::string& bytes = "text") {
    if (size_t slash = relative.rfind('/'); slash != std::string::npos)
      ::mkdir(dir_.File(relative.substr(0, slash)).c_str(), 0700);
    WriteFileBytes(dir_.File(relative), bytes);
    return dir_.File(relative);
  }
  std::vector<FirmwareListNode> Refresh(
      const FirmwareFileCalls& calls = DefaultFirmwareFileCalls()) {
    return RefreshFirmwareList({dir_.path()}, calls);
  }
  static std::vector<std::string> Keys(const std::vector<FirmwareListNode>& nodes) {
    std::vector<std::string> keys;
    for (const FirmwareListNode& node : nodes) keys.push_back(node.key + " " + node.relative_path);
    return keys;
  }

  TempDir dir_;
};

TEST_F(FirmwareFolder, ListsFoldersThenNumberedImagesThenTheRestByName) {
  for (const char* name : {"P30.BIN", "P4.BIN", "readme.txt", "A1.BIN", "S/X.Bin", "S/p2.txt",
                           "S/.hidden.bin", "S/deep/P1.BIN", "a.dat"})
    Put(name);
  const std::string not_offered = Put("x.bin.dat", Image("VT", "\x12\x34"));
  const std::vector<FirmwareListNode> nodes = Refresh();
  EXPECT_EQ((std::vector<std::string>{"1 S", "FirmareBtn_1_1 S/p2.txt", "FirmareBtn_1_2 S/X.Bin",
                                      "FirmareBtn_2 P4.BIN", "FirmareBtn_3 P30.BIN",
                                      "FirmareBtn_4 A1.BIN", "FirmareBtn_5 readme.txt"}),
            Keys(nodes));
  ASSERT_EQ(7u, nodes.size());
  EXPECT_TRUE(nodes[0].is_folder);
  EXPECT_EQ("", nodes[0].button_name);
  EXPECT_EQ(1, nodes[2].level);
  EXPECT_EQ(0, nodes[2].parent);
  EXPECT_EQ("X.Bin", nodes[2].text);
  EXPECT_EQ(dir_.File("S/X.Bin"), nodes[2].path);
  EXPECT_EQ(&nodes[2], FindFirmwareButton(nodes, "FirmareBtn_1_2"));
  EXPECT_EQ(nullptr, FindFirmwareButton(nodes, "1"));
  EXPECT_EQ(Image("VT", "\x12\x34"), ReadFileBytes(not_offered));

  // A folder starts collapsed; only folder rows expand.
  std::vector<FirmwareListNode> rows = nodes;
  EXPECT_FALSE(IsFirmwareRowShown(rows, 1));
  EXPECT_TRUE(IsFirmwareRowShown(rows, 3));
  EXPECT_TRUE(ToggleFirmwareFolder(&rows, 0));
  EXPECT_TRUE(IsFirmwareRowShown(rows, 1));
  EXPECT_FALSE(ToggleFirmwareFolder(&rows, 1));
}

TEST_F(FirmwareFolder, StampsListedImagesOnceAndAsksTheirQuestion) {
  const std::string image = Put("S/X.Bin", Image("VT-4100", "\x12\x34"));
  const std::string lower = Put("P4.bin", Image("VT-4100", "\xAB"));
  const std::string text = Put("x.bin.txt", Image("", ""));
  (void)Refresh();
  const std::string stamped = ReadFileBytes(image);
  EXPECT_EQ("1234", stamped.substr(16, 4));
  EXPECT_EQ("ab00", ReadFileBytes(lower).substr(16, 4));
  EXPECT_EQ("0000", ReadFileBytes(text).substr(16, 4));
  (void)Refresh();
  EXPECT_TRUE(stamped == ReadFileBytes(image));

  struct Case {
    std::string path;
    const char* language;
    FirmwareText index;
    const char* question;
  } cases[] = {
      {lower, "eng", FirmwareText::kConfirmImage,
       "Please make sure the partnumber of the printer is:\"VT-4100\" ?"},
      {lower, "chi", FirmwareText::kConfirmImage, "将要升级的产品编号为：\"VT-4100\" ?"},
      {image, "eng", FirmwareText::kConfirmCommandFile, "Click OK to excute the X operation."},
      {image, "chi", FirmwareText::kConfirmCommandFile, "是否执行X操作？"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    OperatorMessage question;
    EXPECT_CODE(kFirmwareOk, UpgradeQuestion(c.path, c.language, &question));
    EXPECT_EQ(static_cast<int>(c.index), question.index);
    EXPECT_EQ(c.question, question.text);
  }
  OperatorMessage question;
  EXPECT_CODE(kFirmwareFileNotFound, UpgradeQuestion(dir_.File("gone.bin"), "eng", &question));
}

TEST_F(FirmwareFolder, TooltipFindsACommandAnywhereInAFile) {
  // Far past the first block the search reads.
  std::string late_caret(300 * 1024, 'a');
  late_caret += "^XA";
  struct Case {
    std::string name;
    std::string bytes;
    FirmwareTooltip tooltip;
  } cases[] = {
      {"P4.bin", "", FirmwareTooltip::kUpgradeIndicator},
      {"X.Bin", "no command", FirmwareTooltip::kNone},
      {"cmd.txt", "~!T\r\n^XA\r\n", FirmwareTooltip::kShortIndicator},
      {"net.txt", "#UM>IF", FirmwareTooltip::kShortIndicator},
      {"plain.txt", "hello", FirmwareTooltip::kNone},
      {"large.txt", late_caret, FirmwareTooltip::kShortIndicator},
      {"large plain.txt", std::string(300 * 1024, 'a'), FirmwareTooltip::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.tooltip, FirmwareTooltipFor(Put(c.name, c.bytes)));
  }
  EXPECT_EQ(FirmwareTooltip::kNone, FirmwareTooltipFor(dir_.File("gone.bin")));
}

const char* g_unreadable = nullptr;

TEST_F(FirmwareFolder, UnreadableSubfolderIsSkippedAndTheScanGoesOn) {
  Put("A/P1.BIN", Image("VT", "")), Put("B/P2.BIN", Image("VT", ""));
  const std::string unreadable = dir_.File("A");
  g_unreadable = unreadable.c_str();
  FirmwareFileCalls calls = DefaultFirmwareFileCalls();
  calls.list_folder = [](const char* path, std::vector<platform::FolderEntry>* entries) {
    if (std::strcmp(path, g_unreadable) == 0) {
      errno = EACCES;
      return -1;
    }
    return platform::DefaultFileCalls().list_folder(path, entries);
  };
  EXPECT_EQ((std::vector<std::string>{"1 A", "2 B", "FirmareBtn_2_1 B/P2.BIN"}),
            Keys(Refresh(calls)));
  std::vector<FirmwareEntry> entries;
  g_unreadable = dir_.path().c_str();
  EXPECT_CODE(kFirmwareFolderUnreadable, ScanFirmwareFolder(dir_.path(), &entries, calls));
  EXPECT_TRUE(entries.empty());
}

TEST(FirmwareFolders, UserFolderFollowsWithNumbersRunningOn) {
  TempDir program;
  ASSERT_EQ(0, ::mkdir(program.File("Firmware").c_str(), 0700));
  ASSERT_EQ(0, ::mkdir(program.File("Firmware/S").c_str(), 0700));
  WriteFileBytes(program.File("Firmware/P1.BIN"), Image("VT", ""));
  WriteFileBytes(program.File("Firmware/S/P1.BIN"), Image("VT", ""));
  TempDir user;
  WriteFileBytes(user.File("P1.BIN"), Image("VT", ""));
  {
    ScopedEnv own(kFirmwareFolderVariable, (program.path() + "/Firmware/").c_str());
    EXPECT_EQ(1u, FirmwareFolders(program.path()).size());  // the same folder once
  }
  ScopedEnv own(kFirmwareFolderVariable, user.path().c_str());
  const std::vector<std::string> folders = FirmwareFolders(program.path());
  EXPECT_EQ((std::vector<std::string>{program.File("Firmware"), user.path()}), folders);
  const std::vector<FirmwareListNode> nodes = RefreshFirmwareList(folders);
  ASSERT_EQ(4u, nodes.size());
  const FirmwareListNode* mine = FindFirmwareButton(nodes, "FirmareBtn_3");
  ASSERT_NE(nullptr, mine);
  EXPECT_EQ(user.File("P1.BIN"), mine->path);
  EXPECT_EQ(1, mine->folder_index);
  EXPECT_EQ(program.File("Firmware/P1.BIN"), FindFirmwareButton(nodes, "FirmareBtn_2")->path);
  EXPECT_EQ("0000", ReadFileBytes(user.File("P1.BIN")).substr(16, 4));

  ScopedEnv unset(kFirmwareFolderVariable, nullptr), data("XDG_DATA_HOME", "/d");
  EXPECT_EQ("/d/Marlix Vidodez 3.0/Firmware", UserFirmwareFolder());
}

}  // namespace
}  // namespace vidodez
