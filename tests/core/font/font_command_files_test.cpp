#include "core/font/font_command_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/font/font_codes.h"
#include "support/expect_code.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::ScopedEnv;
using test::TempDir;
using test::WriteFileBytes;

// The VRLE names; the page's tests find the VRLZ ones on the desktop.
TEST(FontCommandFiles, NamesFollowTheCommandType) {
  EXPECT_EQ("VRLE_a.b.txt", DesktopCommandFileName(FontCommandType::VRLE, "a.b"));
  EXPECT_EQ("VRLE_TEST.txt", DesktopTestFileName(FontCommandType::VRLE));
}

TEST(FontCommandFiles, EveryLineEndReachesTheDiskAsCrCrLf) {
  TempDir dir;
  // A line end on each side of the writer's 256 KiB chunks.
  std::string long_text =
      std::string(256 * 1024 - 1, 'x') + "\r\n" + std::string(256 * 1024 - 2, 'y') + "\r\n\r\nz";
  std::string long_disk = std::string(256 * 1024 - 1, 'x') + "\r\r\n" +
                          std::string(256 * 1024 - 2, 'y') + "\r\r\n\r\r\nz";
  struct Case {
    std::string text;
    std::string disk;
  } cases[] = {
      {"~DTE:ARIAL,3,\r\n001FA0\r\n", "~DTE:ARIAL,3,\r\r\n001FA0\r\r\n"},
      {"", ""},
      {long_text, long_disk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.size());
    ASSERT_CODE(kFontOk, WriteCommandFile(dir.File("ARIAL.prn"), c.text));
    EXPECT_TRUE(c.disk == ReadFileBytes(dir.File("ARIAL.prn")));
  }
  EXPECT_EQ(std::vector<std::string>{"ARIAL.prn"}, test::FileNames(dir.path()));
}

TEST(FontCommandFiles, OldFileSurvivesFailedWrite) {
  TempDir dir;
  const std::string path = dir.File("ARIAL.prn");
  WriteFileBytes(path, "old");
  {
    const test::FileSizeLimit limit(4096);  // the write fails midway
    EXPECT_CODE(kFontCommandFileFailed, WriteCommandFile(path, std::string(100000, 'x')));
  }
  EXPECT_EQ("old", ReadFileBytes(path));
  EXPECT_EQ(std::vector<std::string>{"ARIAL.prn"}, test::FileNames(dir.path()));

  // A folder that does not exist, or a folder where the file should go.
  EXPECT_CODE(kFontCommandFileFailed, WriteCommandFile(dir.File("missing/ARIAL.prn"), "x"));
  ASSERT_EQ(0, ::mkdir(dir.File("TEST.txt").c_str(), 0700));
  EXPECT_CODE(kFontCommandFileFailed, WriteCommandFile(dir.File("TEST.txt"), "x"));
  EXPECT_EQ((std::vector<std::string>{"ARIAL.prn", "TEST.txt"}), test::FileNames(dir.path()));
}

TEST(FontCommandFiles, DesktopFileGoesToTheDesktopCreatedWhenMissing) {
  TempDir dir;
  {
    ScopedEnv desktop("VIDODEZ_DESKTOP", dir.File("home/Desktop").c_str());
    std::string path;
    ASSERT_CODE(kFontOk, WriteDesktopCommandFile("VRLZ_TEST.txt", "^XA\r\n", &path));
    EXPECT_EQ(dir.File("home/Desktop/VRLZ_TEST.txt"), path);
    EXPECT_EQ("^XA\r\r\n", ReadFileBytes(path));
  }
  WriteFileBytes(dir.File("file"), "");
  ScopedEnv desktop("VIDODEZ_DESKTOP", dir.File("file/Desktop").c_str());
  std::string path = "stale";
  EXPECT_CODE(kFontNoDesktop, WriteDesktopCommandFile("VRLZ_TEST.txt", "^XA\r\n", &path));
  EXPECT_EQ("", path);
}

}  // namespace
}  // namespace vidodez
