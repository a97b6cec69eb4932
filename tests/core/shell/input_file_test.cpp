#include "core/shell/input_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/shell/shell_codes.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

// Nothing the operator names may hang the program (a FIFO nobody writes),
// fill its memory (/dev/zero, a huge file) or be taken for a file's contents
// (a folder, a device).
TEST(ReadInputFile, OnlyRegularFilesWithinTheLimitAreRead) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("ten"), "0123456789");
  test::WriteFileBytes(dir.File("eleven"), "0123456789A");
  test::WriteFileBytes(dir.File("empty"), "");
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  struct Case {
    std::string path;
    int code;
    std::string bytes;
  } cases[] = {
      {dir.File("ten"), kShellOk, "0123456789"},    {dir.File("empty"), kShellOk, ""},
      {dir.File("eleven"), kInputTooLarge, "kept"}, {"/dev/zero", kInputNotRegular, "kept"},
      {dir.File("fifo"), kInputNotRegular, "kept"}, {dir.path(), kInputNotRegular, "kept"},
      {dir.File("none"), kInputMissing, "kept"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::vector<std::uint8_t> bytes{'k', 'e', 'p', 't'};
    EXPECT_STREQ(ShellCodeName(ReadInputFile(c.path, 10, &bytes)), ShellCodeName(c.code));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.bytes);
  }
}

TEST(InputFileMessage, NamesThePathAndTheLimitInBothLanguages) {
  const OperatorMessage eng = InputFileMessage(kInputTooLarge, "/tmp/%s.txt", 1024000, "eng");
  EXPECT_STREQ(eng.table, kInputFileTable);
  EXPECT_EQ(eng.index, kInputTooLarge);
  EXPECT_EQ(eng.text, "The file /tmp/%s.txt is larger than 1024000 bytes.");
  EXPECT_EQ(InputFileMessage(kInputNotRegular, "/dev/zero", 0, "chi").text,
            "/dev/zero 不是普通文件（不能使用文件夹、管道或设备）。");
}

}  // namespace
}  // namespace vidodez
