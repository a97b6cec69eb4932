#include "core/graphic/picture_save.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
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

// Whatever is refused leaves no file behind, so a later load finds nothing
// stale under that name.
TEST(SavePicture, RefusesWithoutPictureNameOrSizeAndWritesNothing) {
  test::TempDir dir;
  const GreyBitmap photo = Photo(40, 30);
  const GreyBitmap empty;
  struct Case {
    const char* name;
    const GreyBitmap* picture;
    float width, height;
    int code;
  };
  const Case cases[] = {
      {"label.pcx", &photo, 40, 30, kGraphicOk},
      {"LABEL.PCX", &photo, 40, 30, kGraphicOk},
      {"none.pcx", nullptr, 40, 30, kGraphicNoPicture},
      {"empty.pcx", &empty, 40, 30, kGraphicNoPicture},
      {"label", &photo, 40, 30, kGraphicNoExtension},
      {"label.", &photo, 40, 30, kGraphicNoExtension},
      {"label.xyz", &photo, 40, 30, kGraphicUnknownFormat},
      {"label.bmp", &photo, 40, 30, kGraphicNoWriter},
      {"label.png", &photo, 40, 30, kGraphicNoWriter},
      {"thin.pcx", &photo, 0.3f, 20, kGraphicBadSize},
      {"flat.pcx", &photo, 20, 0, kGraphicBadSize},
      {"negative.pcx", &photo, -5, 10, kGraphicBadSize},
      {"huge.pcx", &photo, 1.0e12f, 10, kGraphicBadSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PictureSize size = SizeFor(photo);
    size.target_width = c.width;
    size.target_height = c.height;
    const std::string path = dir.File(c.name);
    EXPECT_GRAPHIC(c.code, SavePicture(c.picture, size, path));
    EXPECT_EQ(Exists(path), c.code == kGraphicOk);
  }
}

TEST(PictureFormats, ExtensionComesFromTheFileNameOnly) {
  EXPECT_EQ(ExtensionOf("/home/a.b/label"), "");
  EXPECT_EQ(ExtensionOf("/home/a.b/label.JPEG"), "jpeg");
  EXPECT_EQ(ExtensionOf("x.tar.gz"), "gz");
  // Aliases the loader treats apart (JPEG and TGA have their own paths) and
  // names that must stay unknown; the lookup itself is case-sensitive.
  const std::pair<const char*, int> codes[] = {
      {"jpg", kFormatJpeg},  {"jpeg", kFormatJpeg}, {"tga", kFormatTga},
      {"pcx", kFormatPcx},   {"tiff", kFormatTiff}, {"pbm", kFormatNone},
      {"webp", kFormatNone}, {"", kFormatNone},     {"PCX", kFormatNone}};
  for (const auto& [extension, code] : codes) {
    SCOPED_TRACE(extension);
    EXPECT_EQ(PictureFormatCode(extension), code);
  }
}

// A 50 x 30 mm label at 203 dpi is 400 x 240 pixels of one bit, and a quarter
// turn swaps the sides of the file, not just of the picture.
TEST(SavePicture, MillimetreLabelKeepsItsPixelSizeInEveryTurn) {
  test::TempDir dir;
  const GreyBitmap picture = Photo(1200, 800);
  PictureSize size = SizeFor(picture);
  size.unit = kUnitMillimetres;
  ApplyScaleMode(size, kScaleManual);
  size.keep_scale = false;
  (void)ApplySizeEdit(size, SizeBox::kWidth, "50");
  (void)ApplySizeEdit(size, SizeBox::kHeight, "30");
  for (int rotation = 0; rotation < 4; ++rotation) {
    SCOPED_TRACE(rotation);
    size.rotation = rotation;
    const std::string path = dir.File("label.pcx");
    PixelSize written;
    ASSERT_EQ(SavePicture(&picture, size, path, &written), kGraphicOk);
    GreyBitmap back;
    PcxInfo info;
    ASSERT_EQ(ReadPcxFile(path, &back, &info), kGraphicOk);
    const bool swapped = rotation % 2 == 1;
    EXPECT_EQ(back.width, swapped ? 240 : 400);
    EXPECT_EQ(back.height, swapped ? 400 : 240);
    EXPECT_EQ(written.width, back.width);
    EXPECT_EQ(written.height, back.height);
    EXPECT_EQ(info.bits_per_pixel, 1);
  }
}

// The loaded picture is the operator's; a failed or repeated save must not
// leave it thresholded, shrunk or turned. The second save lands on a larger
// old file, which must not keep its tail.
TEST(SavePicture, RetryAfterAFailedWriteGivesTheSameFile) {
  test::TempDir dir;
  const GreyBitmap picture = Photo(120, 80);
  const std::vector<std::uint8_t> before = picture.pixels;
  PictureSize size = SizeFor(picture);
  size.target_width = 60;
  size.target_height = 40;
  size.rotation = 1;
  EXPECT_GRAPHIC(kGraphicFileWriteFailed,
                 SavePicture(&picture, size, dir.File("missing/folder/out.pcx")));
  test::WriteFileBytes(dir.File("b.pcx"), std::string(100000, 'x'));
  ASSERT_EQ(SavePicture(&picture, size, dir.File("a.pcx")), kGraphicOk);
  ASSERT_EQ(SavePicture(&picture, size, dir.File("b.pcx")), kGraphicOk);
  EXPECT_TRUE(picture.pixels == before);
  const std::string a = test::ReadFileBytes(dir.File("a.pcx"));
  EXPECT_FALSE(a.empty());
  EXPECT_EQ(a, test::ReadFileBytes(dir.File("b.pcx")));
}

// A save that fails half way (here at a file-size limit; a full disk is the
// same to the program) reports it and leaves the file it would have
// replaced as it was, without a temporary file beside it.
TEST(SavePicture, FailedSaveLeavesTheOldFile) {
  test::TempDir dir;
  const std::string keep = dir.File("keep.pcx");
  test::WriteFileBytes(keep, "the old picture");
  const GreyBitmap picture = Photo(400, 300);
  {
    const test::FileSizeLimit limit(1024);
    EXPECT_GRAPHIC(kGraphicFileWriteFailed, SavePicture(&picture, SizeFor(picture), keep));
  }
  EXPECT_EQ(test::ReadFileBytes(keep), "the old picture");
  EXPECT_EQ(test::FileNames(dir.path()), std::vector<std::string>{"keep.pcx"});
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
}

}  // namespace
}  // namespace vidodez
