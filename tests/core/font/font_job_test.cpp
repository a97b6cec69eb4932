#include "core/font/font_job.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/font/font_codes.h"
#include "support/expect_code.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::TempDir;
using test::WriteFileBytes;

TEST(FontJob, IdIndexKeptAcrossTypesAndPastTheListIsNoId) {
  EXPECT_EQ(26, FontIdCount(FontCommandType::VRLE));
  EXPECT_EQ(10, FontIdCount(FontCommandType::VRLZ));
  struct Case {
    int index;
    char vrle;
    char vrlz;
  } cases[] = {{0, 'A', '0'},   {2, 'C', '2'},    {9, 'J', '9'},   {10, 'K', '\0'},
               {25, 'Z', '\0'}, {26, '\0', '\0'}, {-1, '\0', '\0'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(c.vrle, FontIdAtIndex(FontCommandType::VRLE, c.index));
    EXPECT_EQ(c.vrlz, FontIdAtIndex(FontCommandType::VRLZ, c.index));
  }
}

TEST(FontJob, IdMustBeInTheRangeOfItsType) {
  struct Case {
    FontCommandType type;
    char id;
    int want;
  } cases[] = {
      {FontCommandType::VRLE, 'A', kFontOk},
      {FontCommandType::VRLE, 'Z', kFontOk},
      {FontCommandType::VRLE, 'a', kFontIdNotLetter},
      {FontCommandType::VRLE, '3', kFontIdNotLetter},
      {FontCommandType::VRLZ, '0', kFontOk},
      {FontCommandType::VRLZ, '9', kFontOk},
      {FontCommandType::VRLZ, 'C', kFontIdNotDigit},
      {FontCommandType::VRLZ, '\0', kFontNoId},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(1, c.id));
    EXPECT_CODE(c.want, CheckFontId(c.type, c.id));
  }
}

TEST(FontJob, NameLimitCountsGbkBytes) {
  struct Case {
    const char* name;
    int want;
    const char* gbk;
  } cases[] = {
      {"ARIAL", kFontOk, "ARIAL"},
      {"Font1234", kFontOk, "Font1234"},
      {"a.b", kFontOk, "a.b"},
      {"宋体黑体", kFontOk, "\xCB\xCE\xCC\xE5\xBA\xDA\xCC\xE5"},
      {"LongFont1", kFontNameTooLong, ""},
      {"", kFontNameInvalid, ""},
      {"a/b", kFontNameInvalid, ""},
      {"a\r\nb", kFontNameInvalid, ""},
      {"A,9,", kFontNameInvalid, ""},  // would move the size
      {"A^XA", kFontNameInvalid, ""},  // a command inside the download
      {"A~JR", kFontNameInvalid, ""},
      {"A\"B", kFontNameInvalid, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string gbk = "stale";
    EXPECT_CODE(c.want, FontNameForPrinter(c.name, &gbk));
    EXPECT_EQ(c.gbk, gbk);
  }
}

TEST(FontJob, NameIsTheFileNameBeforeItsLastDot) {
  EXPECT_EQ("a.b", FontNameFromPath("/fonts/a.b.ttf"));
  EXPECT_EQ("MyFont", FontNameFromPath("/x.y/MyFont.TTF"));
}

TEST(FontJob, SizeIsTakenFromRegularFilesOnly) {
  TempDir dir;
  WriteFileBytes(dir.File("a.ttf"), std::string("\0\x1F\xA0", 3));
  ASSERT_EQ(0, ::mkfifo(dir.File("fifo").c_str(), 0600));
  struct Case {
    std::string path;
    int want;
    std::uint32_t size;
  } cases[] = {{dir.File("a.ttf"), kFontOk, 3},
               {dir.File("missing.ttf"), kFontFileOpenFailed, 0},
               {dir.path(), kFontFileOpenFailed, 0},
               {dir.File("fifo"), kFontFileOpenFailed, 0}};  // and no hang
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::uint32_t size = 99;
    EXPECT_CODE(c.want, TakeFontFileSize(c.path, &size));
    EXPECT_EQ(c.size, size);
  }
}

}  // namespace
}  // namespace vidodez
