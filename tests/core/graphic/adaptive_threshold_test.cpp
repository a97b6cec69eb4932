#include "core/graphic/adaptive_threshold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_save.h"
#include "core/graphic/resample.h"
#include "core/graphic/rotate.h"
#include "core/graphic/sampling_sink.h"

namespace vidodez {
namespace {

GreyBitmap Filled(int width, int height, std::uint8_t value) {
  GreyBitmap picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(std::size_t(width) * std::size_t(height), value);
  return picture;
}

// Each pixel from grey(x, y), row by row.
template <typename Grey>
GreyBitmap Drawn(int width, int height, Grey grey) {
  GreyBitmap picture = Filled(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(grey(x, y));
  return picture;
}

// Blotches of light and dark with some noise, like a photograph; seeded, so
// a failure replays.
GreyBitmap Noise(int width, int height, std::uint32_t seed) {
  return Drawn(width, height, [&seed](int x, int y) {
    seed = seed * 1664525u + 1013904223u;
    return ((x / 23 + y / 17) % 3) * 80 + 20 + int(seed >> 27);
  });
}

// Two values split in the middle, two humps at their valley, and one value
// or none at the midpoint.
TEST(Otsu, SplitsBetweenTheClasses) {
  std::array<std::uint32_t, 256> histogram{};
  EXPECT_EQ(OtsuThreshold(histogram.data()), 127);
  histogram[255] = 100;
  EXPECT_EQ(OtsuThreshold(histogram.data()), 127);
  histogram = {};
  histogram[50] = 10;
  histogram[200] = 30;
  EXPECT_EQ(OtsuThreshold(histogram.data()), 124);
  histogram = {};
  for (int v = 30; v < 70; ++v) histogram[std::size_t(v)] = 5;
  for (int v = 170; v < 230; ++v) histogram[std::size_t(v)] = 8;
  const int t = OtsuThreshold(histogram.data());
  EXPECT_GE(t, 70);
  EXPECT_LT(t, 170);
}

// Dark paper with darker ink on the left, bright paper with grey ink on the
// right: the global threshold alone (124 here) turns the grey ink white; half
// global and half local renders both. Ink lines run through every box, so
// each box has two classes.
TEST(AdaptiveThreshold, RendersInkOnDarkAndBrightPaper) {
  GreyBitmap picture = Drawn(256, 128, [](int x, int) {
    const bool ink = x % 8 < 4;
    return x < 128 ? (ink ? 20 : 100) : (ink ? 150 : 240);
  });
  const GreyBitmap original = picture;
  AdaptiveThreshold(picture);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      if (x >= 64 && x < 192) continue;  // where the two papers' thresholds blend
      const bool ink = x % 8 < 4;
      ASSERT_EQ(picture.At(x, y), ink ? kBlack : kWhite)
          << "x " << x << " y " << y << " grey " << int(original.At(x, y));
    }
}

TEST(AdaptiveThreshold, UniformPicturesStayUniform) {
  struct Case {
    std::uint8_t grey;
    std::uint8_t expected;
  };
  const Case cases[] = {{255, kWhite}, {0, kBlack}, {200, kWhite}, {90, kBlack}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.grey));
    GreyBitmap picture = Filled(130, 70, c.grey);
    AdaptiveThreshold(picture);
    for (const std::uint8_t v : picture.pixels) ASSERT_EQ(v, c.expected);
  }
}

// A seam shows as a threshold that jumps between neighbouring pixels; with
// interpolation between box centres no step exceeds the slope of the boxes.
TEST(AdaptiveThreshold, ThresholdHasNoStepsAtBoxBorders) {
  const GreyBitmap picture =
      Drawn(256, 64, [](int x, int) { return x % 4 == 0 ? x / 4 : 130 + x / 3; });
  const ThresholdMap map(picture);
  // Binarise a constant row at every grey level to recover each pixel's
  // threshold: the lowest level that turns white.
  std::vector<int> threshold(std::size_t(picture.width), 256);
  std::vector<std::uint8_t> row(std::size_t(picture.width));
  std::vector<std::uint8_t> out(std::size_t(picture.width));
  for (int level = 255; level >= 0; --level) {
    std::fill(row.begin(), row.end(), static_cast<std::uint8_t>(level));
    map.BinariseRow(row.data(), 10, out.data());
    for (int x = 0; x < picture.width; ++x)
      if (out[std::size_t(x)] == kWhite) threshold[std::size_t(x)] = level;
  }
  for (int x = 1; x < picture.width; ++x)
    EXPECT_LE(std::abs(threshold[std::size_t(x)] - threshold[std::size_t(x - 1)]), 2) << "x " << x;
  EXPECT_NE(threshold.front(), threshold.back()) << "the boxes should differ";
}

TEST(ThresholdAndResample, MatchesThresholdThenResample) {
  struct Case {
    int sw, sh, tw, th;
  };
  const Case cases[] = {{300, 200, 100, 67}, {150, 90, 300, 180}, {64, 64, 64, 64},
                        {130, 70, 1, 1},     {1, 1, 5, 3},        {97, 301, 31, 500}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th);
    const GreyBitmap source = Noise(c.sw, c.sh, 7);
    GreyBitmap expected = source;
    AdaptiveThreshold(expected);
    ASSERT_EQ(ResampleBilinear(expected, c.tw, c.th, &expected), kGraphicOk);
    BinariseAtHalf(expected);
    GreyBitmap fused;
    ASSERT_EQ(ThresholdAndResample(source, c.tw, c.th, &fused), kGraphicOk);
    EXPECT_EQ(fused.width, c.tw);
    EXPECT_EQ(fused.height, c.th);
    EXPECT_TRUE(fused.pixels == expected.pixels);
    EXPECT_TRUE(source.pixels == Noise(c.sw, c.sh, 7).pixels) << "the source must stay as it was";
  }
}

// A half-pixel error in mapping centres blurs even a same-size resample and
// shifts a halving off the pairs of neighbours.
std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

// The conversion's bits as they have always been: making it faster must not
// move a single pixel. The hashes are of the pixels the conversion gave
// before it was made faster; the pictures have boxes of one value, boxes
// with gaps in their histograms, sides that are no multiple of the box, and
// sizes up, down and across.
TEST(ConvertPicture, KeepsItsBits) {
  const GreyBitmap steps =
      Drawn(333, 129, [](int x, int y) { return (x / 40 + y / 50) % 2 * 200 + 20; });
  const GreyBitmap gaps = Drawn(200, 70, [](int x, int y) { return (x * 7 + y * 13) % 5 * 60; });
  struct Case {
    const char* what;
    GreyBitmap source;
    int width, height, turns;
    std::uint64_t hash;
  } cases[] = {
      {"photo down", Noise(700, 500, 3), 203, 145, 1, 4375694246397549236ull},
      {"photo up", Noise(150, 97, 9), 401, 300, 0, 125912937058078204ull},
      {"photo across", Noise(257, 513, 5), 1000, 40, 2, 5088000219838285563ull},
      {"steps", steps, 333, 129, 3, 12598912493084489265ull},
      {"gaps", gaps, 77, 99, 0, 12581978688521705335ull},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GreyBitmap out;
    ASSERT_EQ(ConvertPicture(c.source, c.width, c.height, c.turns, &out), kGraphicOk);
    EXPECT_EQ(Fnv1a(out.pixels), c.hash) << std::hex << Fnv1a(out.pixels);
  }
}

// A picture handed over row by row, as a decoder does, keeps what the
// resampling reads and makes every band's thresholds: the conversion is the
// one of the whole picture, for sides that are and are not whole bands, one
// pixel across, sizes up and down, and enough bands for the two threads to
// share them. A picture still to be turned is
// declined, as its boxes and lines are those of the turned picture.
TEST(SamplingSink, GivesTheConversionOfTheWholePicture) {
  struct Case {
    int sw, sh, tw, th;
  };
  const Case cases[] = {{333, 197, 101, 77}, {300, 256, 700, 450}, {65, 129, 65, 129},
                        {1, 300, 3, 77},     {300, 1, 101, 2},     {1, 1, 5, 3},
                        {130, 64, 1, 1},     {700, 1000, 203, 145}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th);
    const GreyBitmap source = Noise(c.sw, c.sh, 11);
    SampledPicture sampled;
    std::optional<ThresholdMap> map;
    {
      const ChooseConversionSize choose = [&](int width, int height, int bits) {
        EXPECT_EQ(width, c.sw);
        EXPECT_EQ(height, c.sh);
        EXPECT_EQ(bits, 8);
        return PixelSize{c.tw, c.th};
      };
      SamplingSink sink(choose, &sampled);
      ASSERT_EQ(sink.Start(c.sw, c.sh, 8, 0), kGraphicOk);
      for (int y = 0; y < c.sh; ++y) {
        std::copy_n(source.Row(y), c.sw, sink.Row(y));
        sink.RowDone(y);
      }
      sink.End();
      EXPECT_FALSE(sink.declined());
      map = sink.TakeMap();
      ASSERT_TRUE(map.has_value()) << "every band must have been taken";
    }
    GreyBitmap streamed;
    ASSERT_EQ(ConvertPicture(sampled, *map, 1, &streamed), kGraphicOk);
    GreyBitmap whole;
    ASSERT_EQ(ConvertPicture(source, c.tw, c.th, 1, &whole), kGraphicOk);
    EXPECT_EQ(streamed.width, whole.width);
    EXPECT_TRUE(streamed.pixels == whole.pixels);
  }
  const ChooseConversionSize choose = [](int, int, int) { return PixelSize{10, 10}; };
  SampledPicture sampled;
  SamplingSink turned(choose, &sampled);
  EXPECT_NE(turned.Start(20, 30, 8, 1), kGraphicOk);
  EXPECT_TRUE(turned.declined());
}

TEST(ResampleBilinear, MapsPixelCentres) {
  const GreyBitmap source = Noise(37, 23, 3);
  GreyBitmap out;
  ASSERT_EQ(ResampleBilinear(source, 37, 23, &out), kGraphicOk);
  EXPECT_TRUE(out.pixels == source.pixels);
  GreyBitmap row = Filled(4, 1, 0);
  row.pixels = {0, 100, 200, 250};
  ASSERT_EQ(ResampleBilinear(row, 2, 1, &out), kGraphicOk);
  EXPECT_EQ(out.pixels, (std::vector<std::uint8_t>{50, 225}));
}

TEST(ResampleBilinear, RefusesSizesWithoutPixels) {
  const GreyBitmap source = Filled(10, 10, 0);
  GreyBitmap out;
  const std::pair<int, int> sizes[] = {{0, 5}, {5, 0}, {-3, 4}, {40000, 2}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    EXPECT_EQ(ResampleBilinear(source, w, h, &out), kGraphicBadSize);
    EXPECT_EQ(ThresholdAndResample(source, w, h, &out), kGraphicBadSize);
  }
}

TEST(RotateRight, TurnsClockwise) {
  GreyBitmap source = Filled(3, 2, 0);
  source.pixels = {1, 2, 3, 4, 5, 6};
  struct Case {
    int turns, width, height;
    std::vector<std::uint8_t> pixels;
  };
  const Case cases[] = {{0, 3, 2, {1, 2, 3, 4, 5, 6}},
                        {1, 2, 3, {4, 1, 5, 2, 6, 3}},
                        {2, 3, 2, {6, 5, 4, 3, 2, 1}},
                        {3, 2, 3, {3, 6, 2, 5, 1, 4}},
                        {5, 2, 3, {4, 1, 5, 2, 6, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.turns);
    const GreyBitmap out = RotateRight(source, c.turns);
    EXPECT_EQ(out.width, c.width);
    EXPECT_EQ(out.height, c.height);
    EXPECT_EQ(out.pixels, c.pixels);
  }
}

}  // namespace
}  // namespace vidodez
