#include "core/platform/text_encoding.h"

#include <errno.h>
#include <gtest/gtest.h>

#include "core/platform/text_converter.h"

namespace vidodez::platform {
namespace {

TEST(TextEncoding, ChineseRoundTripsAndAsciiIsUnchanged) {
  std::string gbk;
  ASSERT_EQ(Utf8ToGbk("中文 LOGO", &gbk), 0);
  EXPECT_EQ(gbk, "\xd6\xd0\xce\xc4 LOGO");
  std::string utf8;
  ASSERT_EQ(GbkToUtf8(gbk, &utf8), 0);
  EXPECT_EQ(utf8, "中文 LOGO");
  ASSERT_EQ(Utf8ToGbk("^G1\r\n", &gbk), 0);
  EXPECT_EQ(gbk, "^G1\r\n");
}

TEST(TextEncoding, TextWithoutAGbkFormIsRefusedWhole) {
  std::string gbk = "stale";
  EXPECT_EQ(Utf8ToGbk("A\xf0\x9f\x98\x80", &gbk), EILSEQ);  // an emoji
  EXPECT_EQ(gbk, "");
  EXPECT_NE(Utf8ToGbk("\xff\xfe", &gbk), 0);  // not UTF-8 at all
}

TEST(TextEncoding, DisplayShowsEveryNameEvenWithBadBytes) {
  EXPECT_EQ(GbkForDisplay("\xd6\xd0"), "中");
  EXPECT_EQ(GbkForDisplay("A\xff"
                          "B"),
            "A\xef\xbf\xbd"
            "B");
  EXPECT_EQ(GbkForDisplay("\xd6"), "\xef\xbf\xbd");  // cut in the middle of a character
  EXPECT_EQ(GbkForDisplay(""), "");
}

// A printer's code page read as a label prints it: the same byte means
// what its page says, and a byte that is no character there (or a code page
// the system lacks) still shows, as U+FFFD.
TEST(TextEncoding, CodePagesShowTheirOwnCharactersAndEveryBadByte) {
  struct Case {
    int code_page;
    std::string bytes;
    std::string shown;
  } cases[] = {
      {437, "\x80\xe1", "Çß"},
      {850, "\x9b\xe1", "øß"},
      {1252, "\x80\xe9", "€é"},
      {1251, "\xc6", "Ж"},
      {kCodePageGbk, "\xd6\xd0\xff", "中\xef\xbf\xbd"},
      {kCodePageUtf8, "\xe4\xb8\xad\xc3", "中\xef\xbf\xbd"},
      {12345, "AB", "\xef\xbf\xbd\xef\xbf\xbd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code_page);
    EXPECT_EQ(CodePageForDisplay(c.code_page, c.bytes), c.shown);
  }
}

}  // namespace
}  // namespace vidodez::platform
