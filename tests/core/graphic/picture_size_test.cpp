#include "core/graphic/picture_size.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

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
    int unit;
    int resolution;
    const char* text;
  };
  const Case cases[] = {
      {406, kUnitMillimetre, 0, "50.8"}, {406, kUnitDot, 0, "406"},
      {450, kUnitInch, 1, "1.500"},      {203, kUnitCentimetre, 0, "2.54"},
      {600, kUnitInch, 2, "1.000"},      {300.4f, kUnitDot, 1, "300"},
      {0, kUnitMillimetre, 0, "0.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pixels << " px, unit " << c.unit);
    EXPECT_EQ(FormatInUnit(c.pixels, c.unit, c.resolution), c.text);
  }
}

TEST(PictureSize, TypedValuesBecomeWholePixels) {
  struct Case {
    float value;
    int unit;
    int resolution;
    float pixels;
  };
  const Case cases[] = {
      {25.4f, kUnitMillimetre, 0, 203}, {1.5f, kUnitInch, 1, 450}, {0.001f, kUnitInch, 1, 0},
      {2.54f, kUnitCentimetre, 2, 600}, {12.6f, kUnitDot, 0, 13},  {-5, kUnitDot, 0, -5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " in unit " << c.unit);
    EXPECT_EQ(PixelsFromUnit(c.value, c.unit, c.resolution), c.pixels);
  }
}

TEST(PictureSize, MillimetreWidthKeepsScaleOfTheHeight) {
  PictureSize size = Loaded(406, 200);
  size.unit = kUnitMillimetre;
  EXPECT_EQ(SizeBoxTexts(size).width, "50.8");
  const SizeEdit edit = ApplySizeEdit(size, SizeBox::kWidth, "25.4");
  EXPECT_FALSE(edit.refused);
  EXPECT_EQ(size.target_width, 203.0f);
  EXPECT_EQ(size.target_height, 100.0f);
  EXPECT_EQ(edit.height, "12.5");
  EXPECT_EQ(edit.width_percent, "50");
  EXPECT_EQ(edit.height_percent, "50");
  EXPECT_FALSE(edit.width.has_value()) << "the box being typed in must not be rewritten";
}

TEST(PictureSize, WidthWithoutKeepScaleLeavesTheHeightAlone) {
  PictureSize size = Loaded(400, 300);
  size.keep_scale = false;
  const SizeEdit edit = ApplySizeEdit(size, SizeBox::kWidth, "100");
  EXPECT_EQ(size.target_width, 100.0f);
  EXPECT_EQ(size.target_height, 300.0f);
  EXPECT_FALSE(edit.height.has_value());
  EXPECT_FALSE(edit.height_percent.has_value());
  EXPECT_EQ(edit.width_percent, "25");
}

TEST(PictureSize, PercentWithoutKeepScaleScalesOneSideOnly) {
  PictureSize size = Loaded(400, 300);
  ApplyScaleMode(size, kScaleScaling);
  size.keep_scale = false;
  const SizeEdit edit = ApplySizeEdit(size, SizeBox::kWidthPercent, "50");
  EXPECT_EQ(size.target_width, 200.0f);
  EXPECT_EQ(size.target_height, 300.0f);
  EXPECT_EQ(edit.width, "200");
  EXPECT_FALSE(edit.height.has_value());
  // The height percentage still describes the unchanged height.
  EXPECT_EQ(SizeBoxTexts(size).height_percent, "100");
}

TEST(PictureSize, PercentWithKeepScaleCopiesTheTypedText) {
  PictureSize size = Loaded(400, 300);
  ApplyScaleMode(size, kScaleScaling);
  const SizeEdit edit = ApplySizeEdit(size, SizeBox::kHeightPercent, "50.");
  EXPECT_EQ(size.target_width, 200.0f);
  EXPECT_EQ(size.target_height, 150.0f);
  EXPECT_EQ(edit.width_percent, "50.");
  EXPECT_EQ(edit.height, "150");
  EXPECT_EQ(edit.width, "200");
}

TEST(PictureSize, NumberCheckAcceptsSignAndTrailingPointOnly) {
  struct Case {
    const char* text;
    bool number;
  };
  const Case cases[] = {
      {"", true},   {"0", true},    {"-5", true},   {"3.", true},  {"12.75", true},
      {"-", false}, {".5", false},  {"-.5", false}, {"5a", false}, {"a", false},
      {"1.2.3", false}, {"--1", false}, {"+1", false}, {"1e5", false}, {" 1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsSizeNumber(c.text), c.number);
  }
}

TEST(PictureSize, LetterResetsTheBoxAndTheSizeToZero) {
  const SizeBox boxes[] = {SizeBox::kWidth, SizeBox::kHeight, SizeBox::kWidthPercent,
                           SizeBox::kHeightPercent};
  for (const SizeBox box : boxes) {
    SCOPED_TRACE(static_cast<int>(box));
    PictureSize size = Loaded(400, 300);
    size.keep_scale = false;
    const SizeEdit edit = ApplySizeEdit(size, box, "x");
    EXPECT_TRUE(edit.refused);
    const std::optional<std::string>& own = box == SizeBox::kWidth    ? edit.width
                                            : box == SizeBox::kHeight ? edit.height
                                            : box == SizeBox::kWidthPercent
                                                ? edit.width_percent
                                                : edit.height_percent;
    EXPECT_EQ(own, "0");
    const bool width_side = box == SizeBox::kWidth || box == SizeBox::kWidthPercent;
    EXPECT_EQ(width_side ? size.target_width : size.target_height, 0.0f);
    EXPECT_EQ(width_side ? size.target_height : size.target_width, width_side ? 300.0f : 400.0f);
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

TEST(PictureSize, SaveTruncatesAndRefusesWhatDoesNotFit) {
  PictureSize size;
  size.target_width = 299.9f;
  size.target_height = 1.0e12f;
  EXPECT_EQ(SavePixelSize(size).width, 299);
  EXPECT_EQ(SavePixelSize(size).height, -1);
}

TEST(PictureSize, HugeTypedNumberStaysFinite) {
  PictureSize size = Loaded(100, 100);
  (void)ApplySizeEdit(size, SizeBox::kWidth, "999999999999999999999999999999999999999999999");
  EXPECT_TRUE(std::isfinite(size.target_width));
  EXPECT_TRUE(std::isfinite(size.target_height));
}

TEST(PictureSize, TextsIgnoreTheProcessLocale) {
  // A window toolkit sets the locale from the environment; a comma there
  // must not reach the boxes or break reading them.
  const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"};
  const char* set = nullptr;
  for (const char* name : locales)
    if ((set = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
  if (set == nullptr) GTEST_SKIP() << "no locale with a decimal comma installed";
  PictureSize size = Loaded(406, 200);
  size.unit = kUnitMillimetre;
  const std::string width = SizeBoxTexts(size).width;
  (void)ApplySizeEdit(size, SizeBox::kWidth, "25.4");
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(width, "50.8");
  EXPECT_EQ(size.target_width, 203.0f);
}

TEST(PictureSize, ResolutionsAndRotations) {
  EXPECT_EQ(ResolutionIndex(203), 0);
  EXPECT_EQ(ResolutionIndex(600), 2);
  EXPECT_FALSE(ResolutionIndex(150).has_value());
  EXPECT_EQ(ResolutionDpi(7), 203.0f);
  EXPECT_EQ(RotationQuarterTurns(3), 3);
  EXPECT_EQ(RotationQuarterTurns(-1), 0);
}

}  // namespace
}  // namespace vidodez
