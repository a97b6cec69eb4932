#include "imaging/picture_loader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cstdlib>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/pcx_codec.h"
#include "core/graphic/picture_save.h"
#include "support/temp_dir.h"

namespace vidodez::imaging {
namespace {

#define EXPECT_GRAPHIC(expected, actual) \
  EXPECT_STREQ(GraphicCodeName(expected), GraphicCodeName(actual))

QImage Sample(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.fillRect(0, 0, width / 2, height, QColor(0, 0, 0));
  painter.fillRect(width / 2, 0, width / 4, height, QColor(255, 0, 0));
  return image;
}

// An uncompressed TGA 2.0 file (Qt reads no other kind, and writes none).
std::string Tga(const QImage& image) {
  std::string file(18, '\0');
  file[2] = 2;  // true colour
  file[12] = static_cast<char>(image.width() & 0xFF);
  file[13] = static_cast<char>(image.width() >> 8);
  file[14] = static_cast<char>(image.height() & 0xFF);
  file[15] = static_cast<char>(image.height() >> 8);
  file[16] = 24;
  file[17] = 0x20;  // top row first
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      file += static_cast<char>(qBlue(p));
      file += static_cast<char>(qGreen(p));
      file += static_cast<char>(qRed(p));
    }
  file += std::string(8, '\0');
  file += std::string("TRUEVISION-XFILE.", 17);
  file += '\0';
  return file;
}

TEST(LoadPicture, DecodesEachQtFormatAtItsSize) {
  test::TempDir dir;
  struct Case {
    const char* name;
    const char* qt_format;
    std::uint32_t bpp;
  };
  const Case cases[] = {{"a.png", "PNG", 24}, {"a.bmp", "BMP", 24}, {"a.jpg", "JPEG", 24},
                        {"a.JPEG", "JPEG", 24}, {"a.tif", "TIFF", 24}, {"a.gif", nullptr, 8},
                        {"a.tga", "tga-by-hand", 24},   {"a.ico", "ICO", 24},  {"a.wbmp", "WBMP", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(c.name);
    if (c.qt_format != nullptr && std::string_view(c.qt_format) == "tga-by-hand") {
      test::WriteFileBytes(path, Tga(Sample(40, 20)));
    } else if (c.qt_format != nullptr) {
      ASSERT_TRUE(Sample(40, 20).save(QString::fromStdString(path), c.qt_format));
    } else {
      // Qt reads GIF but does not write it.
      const std::string png = dir.File("source.png");
      ASSERT_TRUE(Sample(40, 20).save(QString::fromStdString(png), "PNG"));
      ASSERT_EQ(std::system(("convert '" + png + "' '" + path + "'").c_str()), 0);
    }
    LoadedPicture picture;
    ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
    EXPECT_EQ(picture.bitmap.width, 40);
    EXPECT_EQ(picture.bitmap.height, 20);
    EXPECT_EQ(picture.bits_per_pixel, c.bpp);
    EXPECT_LT(picture.bitmap.At(2, 10), 20) << "black half";
    EXPECT_GT(picture.bitmap.At(38, 10), 235) << "white quarter";
    if (c.bpp != 1) {
      EXPECT_NEAR(picture.bitmap.At(25, 10), 77, 8) << "red is dark grey";
    }
  }
}

TEST(LoadPicture, TransparencyBecomesWhite) {
  test::TempDir dir;
  QImage image(10, 10, QImage::Format_ARGB32);
  image.fill(Qt::transparent);  // transparent black
  image.setPixel(1, 1, qRgba(0, 0, 0, 255));
  image.setPixel(2, 2, qRgba(0, 0, 0, 128));
  const std::string path = dir.File("alpha.png");
  ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
  LoadedPicture picture;
  ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
  EXPECT_EQ(picture.bitmap.At(5, 5), 255);
  EXPECT_EQ(picture.bitmap.At(1, 1), 0);
  EXPECT_NEAR(picture.bitmap.At(2, 2), 127, 2);
  EXPECT_EQ(picture.bits_per_pixel, 32u);
}

TEST(LoadPicture, OneBitPicturesReportOneBit) {
  test::TempDir dir;
  QImage image = Sample(16, 8).convertToFormat(QImage::Format_Mono);
  const std::string path = dir.File("mono.bmp");
  ASSERT_TRUE(image.save(QString::fromStdString(path), "BMP"));
  LoadedPicture picture;
  ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
  EXPECT_EQ(picture.bits_per_pixel, 1u);
  EXPECT_EQ(picture.bitmap.At(0, 0), 0);
  EXPECT_EQ(picture.bitmap.At(15, 0), 255);
}

TEST(LoadPicture, PcxGoesThroughTheCoreReader) {
  test::TempDir dir;
  GreyBitmap bitmap;
  bitmap.width = 9;
  bitmap.height = 2;
  bitmap.pixels = {0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255};
  std::vector<std::uint8_t> file;
  ASSERT_EQ(EncodePcx(bitmap, 203, &file), kGraphicOk);
  const std::string path = dir.File("a.pcx");
  ASSERT_EQ(WriteFileAfresh(path, file), kGraphicOk);
  LoadedPicture picture;
  ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
  EXPECT_EQ(picture.bits_per_pixel, 1u);
  EXPECT_EQ(picture.bitmap.pixels, bitmap.pixels);
}

TEST(LoadPicture, JpegIsTurnedAsItsOrientationSays) {
  test::TempDir dir;
  const std::string path = dir.File("turned.jpg");
  QImageWriter writer(QString::fromStdString(path), "jpeg");
  writer.setTransformation(QImageIOHandler::TransformationRotate90);
  ASSERT_TRUE(writer.write(Sample(40, 20)));
  LoadedPicture picture;
  ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
  ASSERT_EQ(picture.bitmap.width, 20);
  ASSERT_EQ(picture.bitmap.height, 40);
  EXPECT_LT(picture.bitmap.At(10, 2), 20) << "the black left half is now on top";
  EXPECT_GT(picture.bitmap.At(10, 38), 235);
  EXPECT_EQ(picture.bits_per_pixel, 24u);
}

TEST(LoadPicture, GreyJpegAndMisnamedPng) {
  test::TempDir dir;
  const std::string grey = dir.File("grey.jpg");
  ASSERT_TRUE(Sample(16, 8).convertToFormat(QImage::Format_Grayscale8).save(
      QString::fromStdString(grey), "JPEG"));
  LoadedPicture picture;
  ASSERT_EQ(LoadPicture(grey, &picture), kGraphicOk);
  EXPECT_EQ(picture.bits_per_pixel, 8u);
  EXPECT_EQ(picture.bitmap.width, 16);
  // A PNG saved under a .jpg name still opens, as Qt reads it by content.
  const std::string misnamed = dir.File("really-png.jpg");
  ASSERT_TRUE(Sample(16, 8).save(QString::fromStdString(misnamed), "PNG"));
  ASSERT_EQ(LoadPicture(misnamed, &picture), kGraphicOk);
  EXPECT_EQ(picture.bitmap.width, 16);
}

TEST(LoadPicture, FailuresLeaveNoPicture) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("junk.png"), "this is not a PNG file at all");
  test::WriteFileBytes(dir.File("junk.pcx"), "nor a PCX");
  ASSERT_TRUE(Sample(8, 8).save(QString::fromStdString(dir.File("ok.png")), "PNG"));
  test::WriteFileBytes(dir.File("noext"), test::ReadFileBytes(dir.File("ok.png")));
  test::WriteFileBytes(dir.File("ok.webp"), test::ReadFileBytes(dir.File("ok.png")));
  const std::string png = test::ReadFileBytes(dir.File("ok.png"));
  test::WriteFileBytes(dir.File("cut.png"), png.substr(0, 30));
  ASSERT_TRUE(Sample(64, 64).save(QString::fromStdString(dir.File("ok.jpg")), "JPEG"));
  const std::string jpeg = test::ReadFileBytes(dir.File("ok.jpg"));
  test::WriteFileBytes(dir.File("cut.jpg"), jpeg.substr(0, jpeg.size() / 2));
  struct Case {
    const char* name;
    int code;
  };
  const Case cases[] = {
      {"missing.png", kGraphicFileOpenFailed}, {"junk.png", kGraphicBadPicture},
      {"junk.pcx", kGraphicBadPicture},        {"noext", kGraphicNoExtension},
      {"ok.webp", kGraphicUnknownFormat},      {"cut.png", kGraphicBadPicture},
      {"cut.jpg", kGraphicBadPicture},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadedPicture picture;
    picture.bits_per_pixel = 99;
    EXPECT_GRAPHIC(c.code, LoadPicture(dir.File(c.name), &picture));
    EXPECT_TRUE(picture.bitmap.empty());
    EXPECT_EQ(picture.bits_per_pixel, 99u);
  }
}

}  // namespace
}  // namespace vidodez::imaging
