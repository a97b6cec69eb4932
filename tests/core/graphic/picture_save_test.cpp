#include "core/graphic/picture_save.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "magick.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

#define EXPECT_GRAPHIC(expected, actual) \
  EXPECT_STREQ(GraphicCodeName(expected), GraphicCodeName(actual))

// A photograph-like picture: a bright background, a dark disc and a ramp.
GreyBitmap Photo(int width, int height) {
  GreyBitmap picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(std::size_t(width) * std::size_t(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int dx = x - width / 3;
      const int dy = y - height / 2;
      const bool disc = dx * dx + dy * dy < (height / 4) * (height / 4);
      picture.Row(y)[x] = static_cast<std::uint8_t>(disc ? 30 + x % 20 : 180 + (x * 60) / width);
    }
  return picture;
}

PictureSize SizeFor(const GreyBitmap& picture) {
  PictureSize size;
  SetSource(size, std::uint32_t(picture.width), std::uint32_t(picture.height), 8);
  return size;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

TEST(SavePicture, RefusesWithoutALoadedPicture) {
  test::TempDir dir;
  const GreyBitmap empty;
  EXPECT_GRAPHIC(kGraphicNoPicture, SavePicture(nullptr, PictureSize{}, dir.File("a.pcx")));
  EXPECT_GRAPHIC(kGraphicNoPicture, SavePicture(&empty, PictureSize{}, dir.File("a.pcx")));
  EXPECT_FALSE(Exists(dir.File("a.pcx")));
}

TEST(SavePicture, ExtensionPicksTheFormat) {
  test::TempDir dir;
  const GreyBitmap picture = Photo(40, 30);
  struct Case {
    const char* name;
    int code;
  };
  const Case cases[] = {
      {"label.pcx", kGraphicOk},          {"LABEL.PCX", kGraphicOk},
      {"label", kGraphicNoExtension},     {"label.", kGraphicNoExtension},
      {"label.xyz", kGraphicUnknownFormat}, {"label.bmp", kGraphicNoWriter},
      {"label.png", kGraphicNoWriter},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(c.name);
    EXPECT_GRAPHIC(c.code, SavePicture(&picture, SizeFor(picture), path));
    EXPECT_EQ(Exists(path), c.code == kGraphicOk);
  }
}

TEST(PictureFormats, ExtensionComesFromTheFileNameOnly) {
  EXPECT_EQ(ExtensionOf("/home/a.b/label"), "");
  EXPECT_EQ(ExtensionOf("/home/a.b/label.JPEG"), "jpeg");
  EXPECT_EQ(ExtensionOf("x.tar.gz"), "gz");
  const std::pair<const char*, int> codes[] = {
      {"bmp", 1}, {"jpg", 3}, {"jpeg", 3}, {"gif", 2}, {"png", 4}, {"mng", 17}, {"jng", 17},
      {"ico", 5}, {"tif", 6}, {"tiff", 6}, {"tga", 7}, {"pcx", 8}, {"wbmp", 9}, {"wmf", 10},
      {"emf", 10}, {"jp2", 11}, {"j2k", 11}, {"jpc", 12}, {"j2c", 12}, {"pgx", 13}, {"ras", 15},
      {"pnm", 14}, {"pgm", 14}, {"ppm", 14}, {"pbm", 0}, {"webp", 0}, {"", 0}, {"PCX", 0}};
  for (const auto& [extension, code] : codes) {
    SCOPED_TRACE(extension);
    EXPECT_EQ(PictureFormatCode(extension), code);
  }
}

TEST(SavePicture, OriginKeepsTheSourceSizeAndQuarterTurnsSwapIt) {
  test::TempDir dir;
  const GreyBitmap picture = Photo(90, 50);
  for (int rotation = 0; rotation < 4; ++rotation) {
    SCOPED_TRACE(rotation);
    PictureSize size = SizeFor(picture);
    ApplyScaleMode(size, kScaleManual);
    (void)ApplySizeEdit(size, SizeBox::kWidth, "30");
    ApplyScaleMode(size, kScaleOrigin);
    size.rotation = rotation;
    const std::string path = dir.File("out.pcx");
    PixelSize written;
    ASSERT_EQ(SavePicture(&picture, size, path, &written), kGraphicOk);
    GreyBitmap back;
    PcxInfo info;
    ASSERT_EQ(ReadPcxFile(path, &back, &info), kGraphicOk);
    const bool swapped = rotation % 2 == 1;
    EXPECT_EQ(back.width, swapped ? 50 : 90);
    EXPECT_EQ(back.height, swapped ? 90 : 50);
    EXPECT_EQ(written.width, back.width);
    EXPECT_EQ(info.bits_per_pixel, 1);
  }
}

// A 50 x 30 mm label at 203 dpi turned by 90 degrees: the file must be
// 240 x 400 pixels of black and white for an outside reader.
TEST(SavePicture, MillimetreLabelReadsBackAtItsPixelSize) {
  if (!test::MagickAvailable()) GTEST_SKIP() << "ImageMagick is not installed";
  test::TempDir dir;
  const GreyBitmap picture = Photo(1200, 800);
  PictureSize size = SizeFor(picture);
  size.unit = kUnitMillimetre;
  ApplyScaleMode(size, kScaleManual);
  size.keep_scale = false;
  (void)ApplySizeEdit(size, SizeBox::kWidth, "50");
  (void)ApplySizeEdit(size, SizeBox::kHeight, "30");
  size.rotation = 1;
  const std::string path = dir.File("label.pcx");
  ASSERT_EQ(SavePicture(&picture, size, path), kGraphicOk);
  test::MagickPicture read;
  ASSERT_TRUE(test::NetpbmDecodePcx(path, &read));
  EXPECT_EQ(read.width, 240);
  EXPECT_EQ(read.height, 400);
  std::set<std::uint8_t> values(read.rgb.begin(), read.rgb.end());
  EXPECT_EQ(values, (std::set<std::uint8_t>{0, 255}));
  ASSERT_TRUE(test::MagickDecode(path, &read));
  EXPECT_EQ(read.width, 240);
  EXPECT_EQ(read.height, 400);
}

// The loaded picture is the operator's; a failed or repeated save must not
// leave it thresholded, shrunk or turned.
TEST(SavePicture, RetryAfterAFailedWriteGivesTheSameFile) {
  test::TempDir dir;
  const GreyBitmap picture = Photo(120, 80);
  const std::vector<std::uint8_t> before = picture.pixels;
  PictureSize size = SizeFor(picture);
  size.target_width = 60;
  size.target_height = 40;
  size.rotation = 1;
  EXPECT_GRAPHIC(kGraphicFileOpenFailed,
                 SavePicture(&picture, size, dir.File("missing/folder/out.pcx")));
  ASSERT_EQ(SavePicture(&picture, size, dir.File("a.pcx")), kGraphicOk);
  ASSERT_EQ(SavePicture(&picture, size, dir.File("b.pcx")), kGraphicOk);
  EXPECT_TRUE(picture.pixels == before);
  const std::string a = test::ReadFileBytes(dir.File("a.pcx"));
  EXPECT_FALSE(a.empty());
  EXPECT_EQ(a, test::ReadFileBytes(dir.File("b.pcx")));
}

TEST(SavePicture, SizeWithoutPixelsWritesNothing) {
  test::TempDir dir;
  const GreyBitmap picture = Photo(40, 30);
  const std::pair<float, float> sizes[] = {{0.3f, 20}, {20, 0}, {-5, 10}, {1.0e12f, 10}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    PictureSize size = SizeFor(picture);
    size.target_width = w;
    size.target_height = h;
    EXPECT_GRAPHIC(kGraphicBadSize, SavePicture(&picture, size, dir.File("z.pcx")));
    EXPECT_FALSE(Exists(dir.File("z.pcx")));
  }
}

TEST(SavePicture, OverwritesAnOlderFileAfresh) {
  test::TempDir dir;
  const std::string path = dir.File("out.pcx");
  test::WriteFileBytes(path, std::string(100000, 'x'));
  const GreyBitmap picture = Photo(16, 16);
  ASSERT_EQ(SavePicture(&picture, SizeFor(picture), path), kGraphicOk);
  GreyBitmap back;
  EXPECT_EQ(ReadPcxFile(path, &back, nullptr), kGraphicOk);
  EXPECT_LT(test::ReadFileBytes(path).size(), 1000u);
}

TEST(ReadPcxFile, MissingOrNonPcxFileGivesNoPicture) {
  test::TempDir dir;
  GreyBitmap out;
  EXPECT_GRAPHIC(kGraphicFileOpenFailed, ReadPcxFile(dir.File("none.pcx"), &out, nullptr));
  EXPECT_GRAPHIC(kGraphicFileReadFailed, ReadPcxFile(dir.path(), &out, nullptr));
  test::WriteFileBytes(dir.File("text.pcx"), "hello, not a picture");
  EXPECT_GRAPHIC(kGraphicBadPicture, ReadPcxFile(dir.File("text.pcx"), &out, nullptr));
  EXPECT_TRUE(out.empty());
}

TEST(GraphicCodes, EveryCodeHasBothTexts) {
  for (const NamedCode& entry : GraphicCodeTable()) {
    SCOPED_TRACE(entry.name);
    const Text& text = GraphicCodeText(entry.code);
    EXPECT_STRNE(text.eng, "");
    EXPECT_STRNE(text.chi, "");
    EXPECT_STRNE(text.eng, GraphicCodeText(12345).eng);
  }
  EXPECT_STREQ(GraphicCodeText(kGraphicNoPicture).eng, "No file is found!");
  EXPECT_STREQ(GraphicCodeText(kGraphicNoPicture).chi, "没有找到文件！");
}

}  // namespace
}  // namespace vidodez
