#include "core/graphic/pcx_codec.h"

#include <gtest/gtest.h>

#include "core/graphic/graphic_codes.h"
#include "magick.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::MagickPicture;
using Bytes = std::vector<std::uint8_t>;

GreyBitmap Pattern(int width, int height) {
  GreyBitmap picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(std::size_t(width) * std::size_t(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      // Long runs of both colours, single pixels and a diagonal.
      const bool black = (y % 5 == 0) ? x < width / 2 : ((x * 7 + y * 3) % 11 < 4 || x == y);
      picture.Row(y)[x] = black ? kBlack : kWhite;
    }
  return picture;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

// Widths around byte and even-byte boundaries, where padding bits go wrong.
TEST(PcxEncode, IndependentReadersSeeTheSamePixels) {
  if (!test::MagickAvailable()) GTEST_SKIP() << "ImageMagick is not installed";
  test::TempDir dir;
  const std::pair<int, int> sizes[] = {{1, 1},  {7, 3},  {8, 2},    {9, 4},
                                       {16, 5}, {17, 9}, {203, 40}, {600, 3}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    const GreyBitmap picture = Pattern(w, h);
    Bytes file;
    ASSERT_EQ(EncodePcx(picture, 203, &file), kGraphicOk);
    const std::string path = dir.File("out.pcx");
    WriteBytes(path, file);
    // ImageMagick must see the same two-tone picture, with its own black and
    // white swapped throughout.
    MagickPicture netpbm, magick;
    ASSERT_TRUE(test::NetpbmDecodePcx(path, &netpbm));
    ASSERT_TRUE(test::MagickDecode(path, &magick));
    ASSERT_EQ(std::make_pair(netpbm.width, netpbm.height), std::make_pair(w, h));
    ASSERT_EQ(std::make_pair(magick.width, magick.height), std::make_pair(w, h));
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
      const std::uint8_t expected = picture.pixels[i];
      ASSERT_EQ(netpbm.rgb[3 * i], expected) << "pixel " << i;
      ASSERT_EQ(netpbm.rgb[3 * i + 1], expected) << "pixel " << i;
      ASSERT_EQ(netpbm.rgb[3 * i + 2], expected) << "pixel " << i;
      ASSERT_EQ(magick.rgb[3 * i], 255 - expected) << "pixel " << i;
    }
  }
}

TEST(PcxEncode, HeaderDescribesOneBitRunLengthLinesOfEvenLength) {
  const GreyBitmap picture = Pattern(17, 3);
  Bytes file;
  ASSERT_EQ(EncodePcx(picture, 300, &file), kGraphicOk);
  ASSERT_GE(file.size(), kPcxHeaderSize);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 16),
            (Bytes{0x0A, 5, 1, 1, 0, 0, 0, 0, 16, 0, 2, 0, 0x2C, 1, 0x2C, 1}));
  // Palette: entry 0 black, entry 1 white.
  EXPECT_EQ(Bytes(file.begin() + 16, file.begin() + 22), (Bytes{0, 0, 0, 255, 255, 255}));
  EXPECT_EQ(file[65], 1) << "planes";
  EXPECT_EQ(file[66] | (file[67] << 8), 4) << "17 pixels take 3 bytes, padded to 4";
  EXPECT_EQ(file[68], 1) << "palette kind";
  GreyBitmap back;
  PcxInfo info;
  ASSERT_EQ(DecodePcx(file, &back, &info), kGraphicOk);
  EXPECT_EQ(info.bits_per_pixel, 1);
  EXPECT_TRUE(back.pixels == picture.pixels);

  Bytes none;
  EXPECT_EQ(EncodePcx(GreyBitmap{}, 203, &none), kGraphicBadSize);
  EXPECT_TRUE(none.empty());
}

// Strict readers decode each line on its own; a run that spills into the
// next line breaks them.
TEST(PcxEncode, RunsNeverCrossALine) {
  GreyBitmap picture;
  picture.width = 1000;  // 126 bytes a line: long runs split at 63
  picture.height = 4;
  picture.pixels.assign(4000, kWhite);
  std::fill_n(picture.pixels.begin() + 1000, 1000, kBlack);
  Bytes file;
  ASSERT_EQ(EncodePcx(picture, 203, &file), kGraphicOk);
  const int line = file[66] | (file[67] << 8);
  int in_line = 0;
  for (std::size_t i = kPcxHeaderSize; i < file.size(); ++i) {
    int count = 1;
    if ((file[i] & 0xC0) == 0xC0) count = file[i++] & 0x3F;
    in_line += count;
    ASSERT_LE(in_line, line) << "run at byte " << i << " crosses the line end";
    if (in_line == line) in_line = 0;
  }
  EXPECT_EQ(in_line, 0);
  GreyBitmap back;
  ASSERT_EQ(DecodePcx(file, &back, nullptr), kGraphicOk);
  EXPECT_TRUE(back.pixels == picture.pixels);
}

// A line of 64 bytes is a run of 63 and one byte; black's byte is written
// as itself, so the file is one byte shorter than two runs would be, and
// was refused as cut short.
TEST(PcxEncode, OneBlackLineOfSixtyFourBytesReadsBack) {
  for (const std::uint8_t grey : {kBlack, kWhite}) {
    GreyBitmap picture;
    picture.width = 507;
    picture.height = 1;
    picture.pixels.assign(507, grey);
    Bytes file;
    ASSERT_EQ(EncodePcx(picture, 203, &file), kGraphicOk);
    GreyBitmap back;
    ASSERT_EQ(DecodePcx(file, &back, nullptr), kGraphicOk) << int(grey);
    EXPECT_TRUE(back.pixels == picture.pixels);
  }
}

// Grey is written as black below half and white from half on, alike in a
// line's whole bytes and in the byte its right edge cuts.
TEST(PcxEncode, GreyTurnsWhiteAtHalfInWholeAndCutBytes) {
  GreyBitmap picture;
  picture.width = 11;
  picture.height = 1;
  picture.pixels = {127, 128, 0, 255, 129, 126, 200, 50, 128, 127, 255};
  Bytes file;
  ASSERT_EQ(EncodePcx(picture, 203, &file), kGraphicOk);
  GreyBitmap back;
  ASSERT_EQ(DecodePcx(file, &back, nullptr), kGraphicOk);
  EXPECT_EQ(back.pixels, (Bytes{kBlack, kWhite, kBlack, kWhite, kWhite, kBlack, kWhite, kBlack,
                                kWhite, kBlack, kWhite}));
}

// Files of the other depths, as other programs write them: a header, then
// each line's planes encoded run by run (here one literal byte, escaped when
// it looks like a run count).
Bytes MakePcx(int width, int height, int bits, int planes, int bytes_per_line,
              const Bytes& palette16, const std::vector<Bytes>& lines) {
  Bytes file(kPcxHeaderSize, 0);
  file[0] = 0x0A;
  file[1] = 5;
  file[2] = 1;
  file[3] = static_cast<std::uint8_t>(bits);
  file[8] = static_cast<std::uint8_t>(width - 1);
  file[10] = static_cast<std::uint8_t>(height - 1);
  std::copy(palette16.begin(), palette16.end(), file.begin() + 16);
  file[65] = static_cast<std::uint8_t>(planes);
  file[66] = static_cast<std::uint8_t>(bytes_per_line);
  file[68] = 1;
  for (const Bytes& line : lines)
    for (const std::uint8_t b : line) {
      if ((b & 0xC0) == 0xC0) file.push_back(0xC1);
      file.push_back(b);
    }
  return file;
}

TEST(PcxDecode, ReadsEachDepthAsImageMagickDoes) {
  if (!test::MagickAvailable()) GTEST_SKIP() << "ImageMagick is not installed";
  test::TempDir dir;
  // 16-colour palette: black, red, green, blue, white, grey, then a ramp.
  Bytes palette = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 128, 128, 128};
  for (int i = 6; i < 16; ++i) palette.insert(palette.end(), 3, static_cast<std::uint8_t>(i * 16));
  struct Case {
    const char* name;
    int bits_per_pixel;
    Bytes file;  // empty: made by ImageMagick from `magick` arguments
    std::vector<std::string> magick;
  };
  Case cases[] = {
      // 10 x 2, blank palette (0 black, 1 white), 2 bytes a line.
      {"1-bit", 1, MakePcx(10, 2, 1, 1, 2, Bytes(48, 0), {{0xA5, 0xC0}, {0x0F, 0xFF}}), {}},
      // 6 x 2; plane p holds bit p of each index.
      {"4-bit planar",
       4,
       MakePcx(6, 2, 1, 4, 2, palette,
               {{0xF0, 0, 0xCC, 0, 0xAA, 0, 0x0F, 0}, {0x81, 0, 0x42, 0, 0x24, 0, 0x18, 0}}),
       {}},
      {"4-bit packed",
       4,
       MakePcx(5, 2, 4, 1, 4, palette, {{0x01, 0x23, 0x40, 0}, {0x56, 0x78, 0x90, 0}}),
       {}},
      {"8-bit",
       8,
       {},
       {"-size", "13x7", "plasma:red-blue", "+dither", "-colors", "40", "-type", "palette",
        dir.File("8.pcx")}},
      {"24-bit",
       24,
       {},
       {"-size", "13x7", "plasma:green-yellow", "-type", "truecolor", dir.File("24.pcx")}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir.File("in.pcx");
    if (c.file.empty()) {
      ASSERT_TRUE(test::MagickConvert(c.magick));
      path = c.magick.back();
      const std::string bytes = test::ReadFileBytes(path);
      c.file.assign(bytes.begin(), bytes.end());
    } else {
      WriteBytes(path, c.file);
    }
    GreyBitmap ours;
    PcxInfo info;
    ASSERT_EQ(DecodePcx(c.file, &ours, &info), kGraphicOk);
    EXPECT_EQ(info.bits_per_pixel, c.bits_per_pixel);
    MagickPicture theirs;
    if (c.bits_per_pixel == 1) ASSERT_TRUE(test::NetpbmDecodePcx(path, &theirs));
    else ASSERT_TRUE(test::MagickDecode(path, &theirs));
    ASSERT_EQ(ours.width, theirs.width);
    ASSERT_EQ(ours.height, theirs.height);
    bool varied = false;
    for (std::size_t i = 0; i < ours.pixels.size(); ++i) {
      const std::uint8_t* rgb = &theirs.rgb[3 * i];
      ASSERT_EQ(ours.pixels[i], GreyOf(rgb[0], rgb[1], rgb[2])) << "pixel " << i;
      varied = varied || ours.pixels[i] != ours.pixels[0];
    }
    EXPECT_TRUE(varied) << "a one-colour picture proves little";
  }
}

// Two lines of 2 bytes written as one run of 4, as several writers do; and
// an 8-bit file whose grey comes from the VGA palette after the pixels.
TEST(PcxDecode, RunsAcrossLineEndsAndTheVgaPaletteAreRead) {
  Bytes run = MakePcx(16, 2, 1, 1, 2, Bytes(48, 0), {});
  run.insert(run.end(), {0xC4, 0x00});
  Bytes vga = MakePcx(2, 1, 8, 1, 2, Bytes(48, 0), {{0, 1}});
  vga.push_back(0x0C);
  for (int i = 0; i < 256; ++i) vga.insert(vga.end(), 3, std::uint8_t(i == 1 ? 200 : 10));
  const std::pair<Bytes, Bytes> cases[] = {{run, Bytes(32, kBlack)}, {vga, Bytes{10, 200}}};
  for (const auto& [file, pixels] : cases) {
    GreyBitmap out;
    ASSERT_EQ(DecodePcx(file, &out, nullptr), kGraphicOk);
    EXPECT_EQ(out.pixels, pixels);
  }
}

Bytes ValidFile() {
  GreyBitmap picture;
  picture.width = 20;
  picture.height = 6;
  picture.pixels.assign(120, kWhite);
  for (int i = 0; i < 120; i += 3) picture.pixels[std::size_t(i)] = kBlack;
  Bytes file;
  EXPECT_EQ(EncodePcx(picture, 203, &file), kGraphicOk);
  return file;
}

// The 256-colour palette trails only 8-bit files of one plane: a 24-bit file
// whose byte 769 from the end happens to be 0x0C is a picture like any other.
TEST(PcxDecode, TwentyFourBitFileIsNotCutForAPalette) {
  constexpr int kWidth = 300;
  std::string file(128, '\0');
  file[0] = 10, file[1] = 5, file[2] = 0, file[3] = 8;  // uncompressed, 8 bits a plane
  file[8] = static_cast<char>((kWidth - 1) & 0xFF), file[9] = static_cast<char>((kWidth - 1) >> 8);
  file[65] = 3;  // planes
  file[66] = static_cast<char>(kWidth & 0xFF), file[67] = static_cast<char>(kWidth >> 8);
  std::string line(3 * kWidth, '\xff');  // white, one plane after the other
  file += line;
  file[file.size() - 769] = 0x0C;  // a red value of pixel 131
  const std::vector<std::uint8_t> bytes(file.begin(), file.end());
  GreyBitmap out;
  PcxInfo info;
  ASSERT_EQ(DecodePcx(bytes, &out, &info), kGraphicOk);
  EXPECT_EQ(info.bits_per_pixel, 24);
  EXPECT_EQ(out.width, kWidth);
  EXPECT_EQ(out.At(131, 0), GreyOf(0x0C, 0xFF, 0xFF));
  EXPECT_EQ(out.At(130, 0), 255);
}

TEST(PcxDecode, EveryCutShortFileGivesNoPicture) {
  const Bytes file = ValidFile();
  for (std::size_t size = 0; size < file.size(); ++size) {
    SCOPED_TRACE(size);
    GreyBitmap out;
    out.width = 3;  // must survive a failed decode untouched
    EXPECT_NE(DecodePcx(std::span(file.data(), size), &out, nullptr), kGraphicOk);
    EXPECT_EQ(out.width, 3);
  }
}

// The last case is a header promising a picture far larger than the file
// could hold: it is refused before memory for the picture is taken.
TEST(PcxDecode, RefusesDamagedHeaders) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::size_t, std::uint8_t>> patches;
    int code;
  };
  const Case cases[] = {
      {"not a PCX", {{0, 0x0B}}, kGraphicBadPicture},
      {"unknown encoding", {{2, 2}}, kGraphicBadPicture},
      {"3 bits per pixel", {{3, 3}}, kGraphicBadPicture},
      {"8 bits in 2 planes", {{3, 8}, {65, 2}}, kGraphicBadPicture},
      {"xmax before xmin", {{4, 200}}, kGraphicBadPicture},
      {"lines shorter than the width", {{66, 1}}, kGraphicBadPicture},
      {"huge width", {{8, 0xFF}, {9, 0xFF}}, kGraphicPictureTooLarge},
      {"16384 x 16384 in a small file",
       {{8, 0xFF}, {9, 0x3F}, {10, 0xFF}, {11, 0x3F}, {66, 0x00}, {67, 0x08}},
       kGraphicBadPicture},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes file = ValidFile();
    for (const auto& [at, value] : c.patches) file[at] = value;
    GreyBitmap out;
    EXPECT_EQ(DecodePcx(file, &out, nullptr), c.code);
    EXPECT_TRUE(out.empty());
  }
}

}  // namespace
}  // namespace vidodez
