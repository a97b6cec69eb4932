// Files the operator names, whatever their names hold: the same test runs
// on Linux and, under wine, on Windows, where a name must reach the system
// as UTF-16 (through its narrow calls Chinese would not survive).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/user_folders.h"
#include "core/shell/file_replacement.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(FileNames, ChineseNamesAreWrittenReplacedReadAndListedAsTyped) {
  test::TempDir dir;
  const std::string name = "标签设置 1.ini";
  const std::string path = dir.File(name);
  for (const std::string text : {"[LanguageSetting]\nLanguageValue=chi\n", "replaced"}) {
    SCOPED_TRACE(text);
    ASSERT_EQ(ReplaceFile(path, Bytes(text)), kShellOk);
    std::vector<std::uint8_t> read;
    ASSERT_EQ(ReadInputFile(path, 1024, &read), kShellOk);
    EXPECT_EQ(std::string(read.begin(), read.end()), text);
  }
  EXPECT_TRUE(platform::PathExists(path));
  std::vector<platform::FolderEntry> entries;
  ASSERT_EQ(platform::DefaultFileCalls().list_folder(dir.path().c_str(), &entries), 0);
  // The replacement left nothing of its own behind.
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, name);
  EXPECT_EQ(entries[0].kind, platform::FileKind::kRegular);
}

TEST(FileNames, AFolderIsNoFileToReadOrToReplace) {
  test::TempDir dir;
  std::vector<std::uint8_t> read{'k'};
  EXPECT_STREQ(ShellCodeName(ReadInputFile(dir.path(), 1024, &read)),
               ShellCodeName(kInputNotRegular));
  EXPECT_EQ(read, Bytes("k"));
  const std::string folder = dir.File("文件夹");
  ASSERT_EQ(platform::MakeFolders(folder, 0700), 0);
  EXPECT_STREQ(ShellCodeName(ReplaceFile(folder, Bytes("text"))),
               ShellCodeName(kOutputWriteFailed));
  std::vector<platform::FolderEntry> entries;
  ASSERT_EQ(platform::DefaultFileCalls().list_folder(dir.path().c_str(), &entries), 0);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "文件夹");
  EXPECT_EQ(entries[0].kind, platform::FileKind::kFolder);
}

}  // namespace
}  // namespace vidodez
