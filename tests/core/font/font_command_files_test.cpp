#include "core/font/font_command_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <fstream>

#include "core/font/font_codes.h"
#include "support/expect_code.h"
#include "support/process_usage.h"
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

// A write that fails midway, or a source that fails partway, leaves the
// earlier file and says why.
TEST(FontCommandFiles, OldFileSurvivesFailedWrite) {
  TempDir dir;
  const std::string path = dir.File("ARIAL.prn");
  WriteFileBytes(path, "old");
  {
    const test::FileSizeLimit limit(4096);
    EXPECT_CODE(kFontCommandFileFailed, WriteCommandFile(path, std::string(100000, 'x')));
  }
  EXPECT_CODE(kFontFileReadFailed, WriteCommandFile(path, [](const CommandSink& write) {
                const int code = write(std::string(300 * 1024, 'x') + "\r\n");
                return code != kFontOk ? code : kFontFileReadFailed;
              }));
  EXPECT_EQ("old", ReadFileBytes(path));
  EXPECT_EQ(std::vector<std::string>{"ARIAL.prn"}, test::FileNames(dir.path()));

  // A folder that does not exist, or a folder where the file should go.
  EXPECT_CODE(kFontCommandFileFailed, WriteCommandFile(dir.File("missing/ARIAL.prn"), "x"));
  ASSERT_EQ(0, ::mkdir(dir.File("TEST.txt").c_str(), 0700));
  EXPECT_CODE(kFontCommandFileFailed, WriteCommandFile(dir.File("TEST.txt"), "x"));
  EXPECT_EQ((std::vector<std::string>{"ARIAL.prn", "TEST.txt"}), test::FileNames(dir.path()));
}

// A large font reaches its file block by block: its command, more than
// twice the font's size, is never held whole.
TEST(FontCommandFiles, LargeFontIsWrittenWithoutHoldingItsCommand) {
  TempDir dir;
  constexpr std::uint32_t kFontBytes = 8u << 20;
  {
    std::string block(1u << 20, '\0');
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 7 + i / 251);
    std::ofstream font(dir.File("BIG.ttf"), std::ios::binary);
    for (std::size_t done = 0; done < kFontBytes; done += block.size())
      font.write(block.data(), static_cast<std::streamsize>(block.size()));
  }
  FontDownloadJob job;
  job.font_path = dir.File("BIG.ttf");
  job.font_size = kFontBytes;
  job.font_name = "BIG";
  if (!test::ResetPeakResident()) GTEST_SKIP() << "the peak of resident memory cannot be reset";
  const std::int64_t before = test::ResidentKiB();
  ASSERT_CODE(kFontOk, WriteCommandFile(dir.File("BIG.prn"), [&job](const CommandSink& write) {
                return BuildFontDownloadCommand(job, write);
              }));
  const std::int64_t grown_kib = test::PeakResidentKiB() - before;
  EXPECT_LT(grown_kib, 4 * 1024);  // the command alone is 17 MiB

  const std::string header = "DT1,BIG,8388608,\r\r\n";
  constexpr std::size_t kLine = 64 + 3;
  const std::string file = ReadFileBytes(dir.File("BIG.prn"));
  ASSERT_EQ(header.size() + (kFontBytes / 32) * kLine + 3, file.size());
  EXPECT_EQ(header, file.substr(0, header.size()));
  // The first line of the second megabyte, written from another block.
  EXPECT_EQ("00070E151C232A31383F464D545B626970777E858C939AA1A8AFB6BDC4CBD2D9\r\r\n",
            file.substr(header.size() + (1u << 20) / 32 * kLine, kLine));
  EXPECT_EQ("\r\r\n\r\r\n", file.substr(file.size() - 6));
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
