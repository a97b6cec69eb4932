#include "imaging/picture_loader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QStringList>

#include "core/graphic/exif_orientation.h"
#include "core/graphic/graphic_codes.h"
#include "core/graphic/magick.h"
#include "core/graphic/pcx_codec.h"
#include "core/graphic/picture_save.h"
#include "core/shell/file_replacement.h"
#include "core/shell/shell_codes.h"
#include "imaging/magick_codec.h"
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

// ImageMagick is loaded for the first picture that needs it, never for the
// common formats (and so never at start-up). First in this file, so that it
// holds when the whole program runs too.
TEST(LoadPicture, CommonFormatsLeaveImageMagickUnloaded) {
  test::TempDir dir;
  for (const char* name : {"a.png", "a.jpg", "a.bmp", "a.gif", "a.tif"}) {
    const std::string path = dir.File(name);
    ASSERT_TRUE(test::MagickConvert({"xc:white[8x8]", path}));
    LoadedPicture picture;
    EXPECT_EQ(LoadPicture(path, &picture), kGraphicOk) << name;
  }
  EXPECT_FALSE(MagickModuleLoaded());
  ASSERT_TRUE(test::MagickConvert({"xc:white[8x8]", dir.File("a.tga")}));
  LoadedPicture picture;
  EXPECT_EQ(LoadPicture(dir.File("a.tga"), &picture), kGraphicOk);
  EXPECT_TRUE(MagickModuleLoaded());
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

// Each decoding path: Qt by content, TGA named outright (it has no
// signature), JPEG through libjpeg in colour and grey, and a PNG under a .jpg
// name, which libjpeg refuses and Qt then reads.
TEST(LoadPicture, DecodesEachFormatAtItsSize) {
  test::TempDir dir;
  struct Case {
    const char* name;
    const char* writer;  // a Qt format, "TGA" by hand, "GIF" by ImageMagick
    QImage::Format format;
    std::uint32_t bpp;
  };
  const QImage::Format rgb = QImage::Format_RGB32;
  const Case cases[] = {
      {"a.png", "PNG", rgb, 24},   {"a.bmp", "BMP", rgb, 24},
      {"a.jpg", "JPEG", rgb, 24},  {"a.JPEG", "JPEG", rgb, 24},
      {"a.tif", "TIFF", rgb, 24},  {"a.gif", "GIF", rgb, 8},
      {"a.tga", "TGA", rgb, 24},   {"a.ico", "ICO", rgb, 24},
      {"a.wbmp", "WBMP", rgb, 1},  {"grey.jpg", "JPEG", QImage::Format_Grayscale8, 8},
      {"png.jpg", "PNG", rgb, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(c.name);
    const QImage sample = Sample(40, 20).convertToFormat(c.format);
    if (std::string_view(c.writer) == "TGA") {
      test::WriteFileBytes(path, Tga(sample));
    } else if (std::string_view(c.writer) == "GIF") {
      // Qt reads GIF but does not write it.
      const std::string png = dir.File("source.png");
      ASSERT_TRUE(sample.save(QString::fromStdString(png), "PNG"));
      ASSERT_TRUE(test::MagickConvert({png, path}));
    } else {
      ASSERT_TRUE(sample.save(QString::fromStdString(path), c.writer));
    }
    LoadedPicture picture;
    ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
    EXPECT_EQ(picture.bitmap.width, 40);
    EXPECT_EQ(picture.bitmap.height, 20);
    EXPECT_EQ(picture.bits_per_pixel, c.bpp);
    EXPECT_LT(picture.bitmap.At(2, 10), 20) << "black half";
    EXPECT_GT(picture.bitmap.At(38, 10), 235) << "white quarter";
    // Red is dark grey by the luma weights (77); Qt's own grey conversion
    // of the sample gives another value, which the file then holds.
    const QRgb red = sample.pixel(25, 10);
    if (c.bpp != 1) {
      EXPECT_NEAR(picture.bitmap.At(25, 10),
                  GreyOf(unsigned(qRed(red)), unsigned(qGreen(red)), unsigned(qBlue(red))), 8);
    }
  }
}

// One file for each extension of the format table, as ImageMagick writes it
// (TGA without the 2.0 footer, JPEG 2000 boxes and code streams, PGX, Sun
// raster...). Nothing here writes WMF or EMF.
TEST(LoadPicture, ReadsEveryFormatOfTheTableAsImageMagickWritesIt) {
  test::TempDir dir;
  const std::string png = dir.File("source.png");
  ASSERT_TRUE(Sample(40, 20).save(QString::fromStdString(png), "PNG"));
  for (const char* extension :
       {"bmp", "jpg",  "jpeg", "gif", "png", "mng", "jng", "ico", "tif", "tiff", "tga",
        "pcx", "wbmp", "jp2",  "j2k", "jpc", "j2c", "pgx", "ras", "pnm", "pgm",  "ppm"}) {
    SCOPED_TRACE(extension);
    const std::string path = dir.File(std::string("a.") + extension);
    ASSERT_TRUE(test::MagickConvert({png, path}));
    LoadedPicture picture;
    ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
    EXPECT_EQ(picture.bitmap.width, 40);
    EXPECT_EQ(picture.bitmap.height, 20);
    EXPECT_GT(picture.bits_per_pixel, 0u);
    EXPECT_LT(picture.bitmap.At(2, 10), 30) << "black half";
    EXPECT_GT(picture.bitmap.At(38, 10), 225) << "white quarter";
  }
}

// Qt's own allocation limit (128 MB in Debian's Qt 6.4) is far below the
// program's bound: a grey page of 6000 x 6000 loads, and a picture beyond
// the bound is refused with a text that names the bound.
TEST(LoadPicture, LoadsLargePicturesWithinTheBoundAndNamesTheBoundBeyond) {
  test::TempDir dir;
  QImage large(6000, 6000, QImage::Format_Grayscale8);
  large.fill(255);
  const std::string path = dir.File("large.png");
  ASSERT_TRUE(large.save(QString::fromStdString(path), "PNG"));
  LoadedPicture picture;
  ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
  EXPECT_EQ(picture.bitmap.width, 6000);
  EXPECT_EQ(picture.bitmap.At(5999, 5999), 255);

  // A JPEG whose frame header says 20000 x 20000: refused before decoding.
  const std::string jpeg = dir.File("huge.jpg");
  ASSERT_TRUE(Sample(8, 8).save(QString::fromStdString(jpeg), "JPEG"));
  std::string huge = test::ReadFileBytes(jpeg);
  const std::size_t frame = huge.find("\xff\xc0");
  ASSERT_NE(frame, std::string::npos);
  huge.replace(frame + 5, 4, "\x4e\x20\x4e\x20");
  test::WriteFileBytes(jpeg, huge);
  EXPECT_GRAPHIC(kGraphicPictureTooLarge, LoadPicture(jpeg, &picture));
  for (const char* language : {"eng", "chi"})
    EXPECT_NE(std::string(Pick(GraphicCodeText(kGraphicPictureTooLarge), language)).find("16384"),
              std::string::npos);
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

TEST(LoadPicture, PcxGoesThroughTheCoreReader) {
  test::TempDir dir;
  GreyBitmap bitmap;
  bitmap.width = 9;
  bitmap.height = 2;
  bitmap.pixels = {0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255};
  std::vector<std::uint8_t> file;
  ASSERT_EQ(EncodePcx(bitmap, 203, &file), kGraphicOk);
  const std::string path = dir.File("a.pcx");
  ASSERT_EQ(ReplaceFile(path, file), kShellOk);
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

// An Exif block: the header, a byte order, IFD0 at `ifd_offset` holding
// `entries` (tag, type, count, value), and the next IFD's offset.
struct ExifEntry {
  std::uint16_t tag, type;
  std::uint32_t count;
  std::uint16_t value;
};
std::string ExifBlock(bool little, const std::vector<ExifEntry>& entries,
                      std::uint32_t ifd_offset = 8, std::uint32_t next_ifd = 0) {
  std::string tiff;
  auto put = [&](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
      const int shift = little ? 8 * i : 8 * (size - 1 - i);
      tiff.push_back(static_cast<char>(value >> shift));
    }
  };
  tiff += little ? "II" : "MM";
  put(0x2a, 2);
  put(ifd_offset, 4);
  if (ifd_offset > tiff.size()) tiff.resize(ifd_offset, '\0');
  put(static_cast<std::uint32_t>(entries.size()), 2);
  for (const ExifEntry& e : entries) {
    put(e.tag, 2);
    put(e.type, 2);
    put(e.count, 4);
    put(e.value, 2);
    put(0, 2);
  }
  put(next_ifd, 4);
  return std::string("Exif\0\0", 6) + tiff;
}

// `jpeg` with an APP1 marker holding `payload` right after its start.
std::string WithApp1(const std::string& jpeg, const std::string& payload) {
  const std::size_t length = payload.size() + 2;
  return jpeg.substr(0, 2) + "\xff\xe1" + static_cast<char>(length >> 8) +
         static_cast<char>(length & 0xff) + payload + jpeg.substr(2);
}

// The Exif orientation is read without Qt, and exactly as Qt reads it: for
// well-formed and broken blocks alike the picture is turned as Qt turns it,
// and a mirrored one is left to Qt.
TEST(LoadPicture, JpegTurnsAsQtReadsItsExifData) {
  test::TempDir dir;
  const std::string plain = dir.File("plain.jpg");
  ASSERT_TRUE(Sample(40, 20).save(QString::fromStdString(plain), "JPEG"));
  const std::string jpeg = test::ReadFileBytes(plain);
  const ExifEntry kTurn90{0x0112, 3, 1, 6};
  struct Case {
    const char* what;
    std::string app1;
    int turns;
  } cases[] = {
      {"little-endian 90", ExifBlock(true, {{0x010f, 2, 4, 0}, kTurn90}), 1},
      {"big-endian 180", ExifBlock(false, {{0x0112, 3, 1, 3}}), 2},
      {"270", ExifBlock(true, {{0x0112, 3, 1, 8}}), 3},
      {"upright", ExifBlock(true, {{0x0112, 3, 1, 1}}), 0},
      {"mirrored", ExifBlock(true, {{0x0112, 3, 1, 2}}), kExifMirrored},
      {"mirrored and turned", ExifBlock(false, {{0x0112, 3, 1, 7}}), kExifMirrored},
      {"out of range", ExifBlock(true, {{0x0112, 3, 1, 9}}), 0},
      {"not a short", ExifBlock(true, {{0x0112, 4, 1, 6}}), 0},
      {"two values", ExifBlock(true, {{0x0112, 3, 2, 6}}), 0},
      {"IFD0 further on", ExifBlock(true, {kTurn90}, 20), 1},
      {"IFD0 inside the header", ExifBlock(true, {kTurn90}, 4), 0},
      {"IFD0 past the end", ExifBlock(true, {kTurn90}).replace(10, 4, "\xa0\x0f\0\0", 4), 0},
      {"next IFD past the end", ExifBlock(true, {{0x010f, 2, 4, 0}}, 8, 4000), 0},
      {"cut in an entry", ExifBlock(true, {kTurn90}).substr(0, 22), 0},
      {"no Exif header", "http://ns.adobe.com/xap/1.0/" + ExifBlock(true, {kTurn90}), 0},
      {"bad byte order", "Exif\0\0IM" + ExifBlock(true, {kTurn90}).substr(8), 0},
      {"no block", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.File("turned.jpg");
    test::WriteFileBytes(path, c.app1.empty() ? jpeg : WithApp1(jpeg, c.app1));
    std::vector<std::uint8_t> bytes(c.app1.begin(), c.app1.end());
    EXPECT_EQ(ExifQuarterTurns(bytes), c.turns);
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    const QImage qt = reader.read();
    ASSERT_FALSE(qt.isNull());
    LoadedPicture picture;
    ASSERT_EQ(LoadPicture(path, &picture), kGraphicOk);
    EXPECT_EQ(picture.bitmap.width, qt.width());
    EXPECT_EQ(picture.bitmap.height, qt.height());
    // The black half lies where Qt turned it.
    for (const QPoint corner : {QPoint(2, 2), QPoint(qt.width() - 3, qt.height() - 3)}) {
      EXPECT_EQ(picture.bitmap.At(corner.x(), corner.y()) < 128,
                qt.pixelColor(corner).lightness() < 128);
    }
  }
}

// Found by the fuzzer: the header's screen names 6 x 4299 pixels, but Qt's
// reader reports 6 x 0 beforehand. A side of 0 is no size known yet; the
// picture loads as Qt reads it instead of being refused as too large.
TEST(LoadPicture, HeaderSizeWithZeroSideIsNotTooLarge) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("zero.gif"),
                       std::string("GIF89a\x06\x00\x01\x10\xf2\x04\x00\x00\x00\x00UUU\xff\x00\x00"
                                   "\xaa\xaa\xaa\xff\xff\xff\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                                   "!\xf9\x04\x00\x00\x00\x00\x00,\x00\x00\x00\x00\x00\x00\x00"
                                   "\x00\x00\x04\x00\x00"
                                   "a\xc8!\xf9\x00I\xaaL\xfd;",
                                   68));
  const QImage qt(QString::fromStdString(dir.File("zero.gif")));
  ASSERT_FALSE(qt.isNull());
  LoadedPicture picture;
  EXPECT_GRAPHIC(kGraphicOk, LoadPicture(dir.File("zero.gif"), &picture));
  EXPECT_EQ(picture.bitmap.width, qt.width());
  EXPECT_EQ(picture.bitmap.height, qt.height());
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

// An uncompressed grey TGA header of `width` x `height`, and its pixels.
std::string GreyTga(int width, int height) {
  std::string tga(18, '\0');
  tga[2] = 3;  // uncompressed grey
  tga[12] = char(width & 0xff);
  tga[13] = char(width >> 8);
  tga[14] = char(height & 0xff);
  tga[15] = char(height >> 8);
  tga[16] = 8;
  return tga + std::string(std::size_t(width) * std::size_t(height), '\xff');
}

// Sizes the program takes but ImageMagick's policy (Debian's: 16K pixels a
// side, 128 MP) does not were read as damaged pictures: they are named as
// beyond what the picture library allows, in both languages.
TEST(LoadPicture, SizeBeyondThePictureLibrarysPolicyIsNamedSo) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("wide.tga"), GreyTga(16385, 100));
  LoadedPicture picture;
  EXPECT_GRAPHIC(kGraphicBeyondLibraryLimits, LoadPicture(dir.File("wide.tga"), &picture));
  EXPECT_TRUE(picture.bitmap.empty());
  test::WriteFileBytes(dir.File("fits.tga"), GreyTga(1000, 100));
  EXPECT_GRAPHIC(kGraphicOk, LoadPicture(dir.File("fits.tga"), &picture));
  EXPECT_NE(std::string(Pick(GraphicCodeText(kGraphicBeyondLibraryLimits), "eng"))
                .find("picture library"),
            std::string::npos);
}

QStringList g_messages;  // what Qt's message handler was given

// Found by the fuzzer: after the image a text chunk names 1.9 GB, which
// libpng set aside and cleared (15 seconds) before the read failed. The file
// is refused before any decoder sees it: Qt's reader says nothing. Under a
// name ImageMagick reads, its own libpng would do the same.
TEST(LoadPicture, ChunkReachingPastTheEndNeverReachesTheDecoders) {
  test::TempDir dir;
  ASSERT_TRUE(Sample(8, 8).save(QString::fromStdString(dir.File("ok.png")), "PNG"));
  const std::string png = test::ReadFileBytes(dir.File("ok.png"));
  const std::string end = png.substr(png.size() - 12);
  const std::string beyond = png.substr(0, png.size() - 12) + "ras%tEXtdate:create" + end;
  test::WriteFileBytes(dir.File("beyond.png"), beyond);
  test::WriteFileBytes(dir.File("beyond.tga"), beyond);
  g_messages.clear();
  const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext&, const QString& message) { g_messages << message; });
  for (const char* name : {"beyond.png", "beyond.tga"}) {
    SCOPED_TRACE(name);
    LoadedPicture picture;
    EXPECT_GRAPHIC(kGraphicBadPicture, LoadPicture(dir.File(name), &picture));
    EXPECT_TRUE(picture.bitmap.empty());
  }
  qInstallMessageHandler(previous);
  EXPECT_TRUE(g_messages.isEmpty()) << g_messages.join('\n').toStdString();
}

}  // namespace
}  // namespace vidodez::imaging
