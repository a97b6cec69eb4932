#include "core/shell/file_replacement.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/shell/shell_codes.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// What replacing a file must not do to it: change who may read it, turn a
// link into a copy, fail for a name that is valid, or die (SIGXFSZ) or leave
// half a file at a size limit.
TEST(ReplaceFile, KeepsModeAndLinksAndFailsCleanly) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("private"), "old");
  ::chmod(dir.File("private").c_str(), 0600);
  test::WriteFileBytes(dir.File("target"), "old");
  ASSERT_EQ(::symlink("target", dir.File("link").c_str()), 0);
  ASSERT_EQ(::symlink("new-target", dir.File("dangling").c_str()), 0);
  const std::string long_name = std::string(250, 'n');
  ::mkdir(dir.File("folder").c_str(), 0700);

  EXPECT_EQ(ReplaceFile(dir.File("private"), Bytes("new")), kShellOk);
  EXPECT_EQ(ModeOf(dir.File("private")), 0600u);
  EXPECT_EQ(test::ReadFileBytes(dir.File("private")), "new");

  EXPECT_EQ(ReplaceFile(dir.File("link"), Bytes("through")), kShellOk);
  EXPECT_EQ(test::ReadFileBytes(dir.File("target")), "through");
  struct stat info {};
  ASSERT_EQ(::lstat(dir.File("link").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(ReplaceFile(dir.File("dangling"), Bytes("made")), kShellOk);
  EXPECT_EQ(test::ReadFileBytes(dir.File("new-target")), "made");

  EXPECT_EQ(ReplaceFile(dir.File(long_name), Bytes("long")), kShellOk);
  EXPECT_EQ(test::ReadFileBytes(dir.File(long_name)), "long");

  int error = 0;
  {
    const test::FileSizeLimit limit(4);
    EXPECT_EQ(ReplaceFile(dir.File("private"), Bytes("longer than four"), &error),
              kOutputWriteFailed);
  }
  EXPECT_EQ(error, EFBIG);
  EXPECT_EQ(test::ReadFileBytes(dir.File("private")), "new");
  EXPECT_EQ(ReplaceFile(dir.File("folder"), Bytes("x")), kOutputWriteFailed);
  EXPECT_EQ(ReplaceFile(dir.File("no/such/folder/file"), Bytes("x")), kOutputCreateFailed);

  EXPECT_EQ(test::FileNames(dir.path()),
            (std::vector<std::string>{"dangling", "folder", "link", "new-target", long_name,
                                      "private", "target"}));
}

}  // namespace
}  // namespace vidodez
