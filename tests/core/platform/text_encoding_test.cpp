#include "core/platform/text_encoding.h"

#include <errno.h>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vidodez::platform
