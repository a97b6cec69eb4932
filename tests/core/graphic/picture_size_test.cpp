#include "core/graphic/picture_size.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>

#include "support/temp_dir.h"

namespace vidodez {
namespace {

PictureSize Loaded(std::uint32_t width, std::uint32_t height) {
  PictureSize size;
  SetSource(size, width, height, 24);
  return size;
}

TEST(PictureSize, ShowsPixelsInEachUnitWithItsPrecision) {
  struct Case {
    float pixels;
    int unit, resolution;
    const char* text;
  };
  const Case cases[] = {
      {406, kUnitMillimetres, 0, "50.8"}, {406, kUnitDots, 0, "406"},
      {450, kUnitInches, 1, "1.500"},     {203, kUnitCentimetres, 0, "2.54"},
      {600, kUnitInches, 2, "1.000"},     {300.4f, kUnitDots, 1, "300"},
      {0, kUnitMillimetres, 0, "0.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pixels << " px, unit " << c.unit);
    EXPECT_EQ(FormatInUnit(c.pixels, c.unit, c.resolution), c.text);
  }
}

TEST(PictureSize, TypedValuesBecomeWholePixels) {
  struct Case {
    float value;
    int unit, resolution;
    float pixels;
  };
  const Case cases[] = {
      {25.4f, kUnitMillimetres, 0, 203}, {1.5f, kUnitInches, 1, 450}, {0.001f, kUnitInches, 1, 0},
      {2.54f, kUnitCentimetres, 2, 600}, {12.6f, kUnitDots, 0, 13},   {-5, kUnitDots, 0, -5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " in unit " << c.unit);
    EXPECT_EQ(PixelsFromUnit(c.value, c.unit, c.resolution), c.pixels);
  }
}

// What one typed text does to the size and to the other boxes of a 406 x 200
// picture. A box the edit must leave alone is null: rewriting the box being
// typed in moves the operator's cursor, and rewriting the other side breaks
// "no keep-scale".
TEST(PictureSize, EditsSetTheOtherBoxesByTheirRules) {
  struct Case {
    const char* what;
    int unit;
    bool keep_scale;
    SizeBox box;
    const char* text;
    bool refused;
    float width, height;
    const char *width_box, *height_box, *width_percent_box, *height_percent_box;
  };
  using B = SizeBox;
  const int mm = kUnitMillimetres, dot = kUnitDots;
  const Case cases[] = {
      {"mm width keeps scale", mm, true, B::kWidth, "25.4", false, 203, 100, nullptr, "12.5", "50",
       "50"},
      {"width alone", dot, false, B::kWidth, "100", false, 100, 200, nullptr, nullptr, "25",
       nullptr},
      {"percent alone", dot, false, B::kWidthPercent, "50", false, 203, 200, "203", nullptr,
       nullptr, nullptr},
      {"percent copies the typed text", dot, true, B::kHeightPercent, "50.", false, 203, 100, "203",
       "100", "50.", nullptr},
      {"letter in width", dot, false, B::kWidth, "x", true, 0, 200, "0", nullptr, "0", nullptr},
      {"letter in height", dot, false, B::kHeight, "x", true, 406, 0, nullptr, "0", nullptr, "0"},
      {"letter in width percent", dot, false, B::kWidthPercent, "x", true, 0, 200, "0", nullptr,
       "0", nullptr},
      {"letter in height percent", dot, false, B::kHeightPercent, "x", true, 406, 0, nullptr, "0",
       nullptr, "0"},
  };
  auto text = [](const char* expected) {
    return expected ? std::optional<std::string>(expected) : std::nullopt;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PictureSize size = Loaded(406, 200);
    size.unit = c.unit;
    size.keep_scale = c.keep_scale;
    const SizeEdit edit = ApplySizeEdit(size, c.box, c.text);
    EXPECT_EQ(edit.refused, c.refused);
    EXPECT_EQ(size.target_width, c.width);
    EXPECT_EQ(size.target_height, c.height);
    EXPECT_EQ(edit.width, text(c.width_box));
    EXPECT_EQ(edit.height, text(c.height_box));
    EXPECT_EQ(edit.width_percent, text(c.width_percent_box));
    EXPECT_EQ(edit.height_percent, text(c.height_percent_box));
    if (!c.keep_scale) {
      const bool by_width = c.box == B::kWidth || c.box == B::kWidthPercent;
      const SizeTexts shown = SizeBoxTexts(size);
      EXPECT_EQ(by_width ? shown.height_percent : shown.width_percent, "100")
          << "the untouched side's percentage still describes it";
    }
  }
}

TEST(PictureSize, NumberCheckAcceptsSignAndTrailingPointOnly) {
  const std::pair<const char*, bool> cases[] = {
      {"", true},       {"0", true},    {"-5", true},   {"3.", true},   {"12.75", true},
      {"-", false},     {".5", false},  {"-.5", false}, {"5a", false},  {"a", false},
      {"1.2.3", false}, {"--1", false}, {"+1", false},  {"1e5", false}, {" 1", false},
  };
  for (const auto& [text, number] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(IsSizeNumber(text), number);
  }
}

TEST(PictureSize, OriginPutsBackTheSourceSize) {
  PictureSize size = Loaded(640, 480);
  ApplyScaleMode(size, kScaleManual);
  (void)ApplySizeEdit(size, SizeBox::kWidth, "100");
  ASSERT_NE(size.target_width, 640.0f);
  ApplyScaleMode(size, kScaleOrigin);
  EXPECT_EQ(SavePixelSize(size).width, 640);
  EXPECT_EQ(SavePixelSize(size).height, 480);
  EXPECT_EQ(SizeBoxTexts(size).width_percent, "100");
}

// A huge typed number must neither overflow to infinity nor reach the save
// as a wrapped int.
TEST(PictureSize, SaveTruncatesAndRefusesWhatDoesNotFit) {
  PictureSize size = Loaded(100, 100);
  (void)ApplySizeEdit(size, SizeBox::kWidth, "999999999999999999999999999999999999999999999");
  EXPECT_TRUE(std::isfinite(size.target_width));
  EXPECT_TRUE(std::isfinite(size.target_height));
  EXPECT_EQ(SavePixelSize(size).width, -1);
  size.target_height = 299.9f;
  EXPECT_EQ(SavePixelSize(size).height, 299);
}

// A window toolkit sets the locale from the environment; a comma there
// must not reach the boxes or break reading them. Few machines have such a
// locale installed, so one is compiled for the test.
TEST(PictureSize, TextsIgnoreTheProcessLocale) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("comma.def"),
                       "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \"\"\ngrouping -1\n"
                       "END LC_NUMERIC\n");
  // localedef exits 1 for the categories left out; setlocale tells success.
  const std::string make = "localedef -c -i '" + dir.File("comma.def") + "' -f ANSI_X3.4-1968 '" +
                           dir.File("comma") + "' >/dev/null 2>&1";
  if (std::system(make.c_str()) == -1) GTEST_SKIP() << "localedef cannot be run";
  ::setenv("LOCPATH", dir.path().c_str(), 1);
  const bool set = std::setlocale(LC_NUMERIC, "comma") != nullptr;
  ::unsetenv("LOCPATH");
  if (!set) GTEST_SKIP() << "no locale with a decimal comma";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  PictureSize size = Loaded(406, 200);
  size.unit = kUnitMillimetres;
  const std::string width = SizeBoxTexts(size).width;
  (void)ApplySizeEdit(size, SizeBox::kWidth, "25.4");
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(width, "50.8");
  EXPECT_EQ(size.target_width, 203.0f);
}

// Indexes come from settings files and combo boxes; one out of range must
// not read past the tables. A dpi outside the list has no index at all.
TEST(PictureSize, ValuesOutsideTheListsFallBackOrAreRefused) {
  EXPECT_EQ(ResolutionIndex(600), 2);
  EXPECT_FALSE(ResolutionIndex(150).has_value());
  EXPECT_EQ(ResolutionDpi(7), 203.0f);
  EXPECT_EQ(ResolutionDpi(-1), 203.0f);
  EXPECT_EQ(RotationQuarterTurns(-1), 0);
  EXPECT_EQ(RotationQuarterTurns(4), 0);
}

}  // namespace
}  // namespace vidodez
