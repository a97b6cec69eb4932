#include "imaging/picture_convert.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/magick.h"
#include "core/graphic/picture_save.h"
#include "core/shell/texts.h"
#include "imaging/picture_loader.h"
#include "support/temp_dir.h"

namespace vidodez::imaging {
namespace {

class ConvertPictureFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setBrush(Qt::black);
    painter.drawEllipse(50, 50, 100, 100);
    painter.end();
    input_ = dir_.File("in.png");
    ASSERT_TRUE(image.save(QString::fromStdString(input_), "PNG"));
  }

  ConvertOptions Options() const {
    ConvertOptions options;
    options.input = input_;
    options.output = dir_.File("out.pcx");
    return options;
  }

  // The pixel size of the file written, read back with the core reader.
  std::pair<int, int> WrittenSize() const {
    GreyBitmap back;
    if (ReadPcxFile(dir_.File("out.pcx"), &back, nullptr) != kGraphicOk) return {-1, -1};
    return {back.width, back.height};
  }

  test::TempDir dir_;
  std::string input_;
};

using Change = void (*)(ConvertOptions&);

TEST_F(ConvertPictureFileTest, ScaleModesFollowTheOptions) {
  struct Case {
    const char* what;
    Change change;
    int width, height;
  };
  const Case cases[] = {
      {"origin", [](ConvertOptions&) {}, 400, 200},
      {"scale keeps aspect", [](ConvertOptions& o) { o.scale = "50"; }, 200, 100},
      {"scale without keep-scale", [](ConvertOptions& o) { o.scale = "50", o.keep_scale = false; },
       200, 200},
      {"width keeps aspect", [](ConvertOptions& o) { o.width = "100"; }, 100, 50},
      {"width alone", [](ConvertOptions& o) { o.width = "100", o.keep_scale = false; }, 100, 200},
      {"height keeps aspect", [](ConvertOptions& o) { o.height = "50"; }, 100, 50},
      {"both as given", [](ConvertOptions& o) { o.width = "30", o.height = "70"; }, 30, 70},
      {"millimetres", [](ConvertOptions& o) { o.unit = "mm", o.width = "25.4"; }, 203, 101},
      {"inch at 300 dpi", [](ConvertOptions& o) { o.unit = "inch", o.dpi = 300, o.width = "1.5"; },
       450, 225},
      {"turned 90", [](ConvertOptions& o) { o.width = "100", o.rotate = 90; }, 50, 100},
      {"turned 180", [](ConvertOptions& o) { o.width = "100", o.rotate = 180; }, 100, 50},
      {"turned 270", [](ConvertOptions& o) { o.unit = "cm", o.dpi = 600, o.rotate = 270; }, 200,
       400}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ConvertOptions options = Options();
    c.change(options);
    const ConvertResult result = ConvertPictureFile(options, "eng");
    ASSERT_EQ(result.code, kGraphicOk) << result.message;
    EXPECT_EQ(WrittenSize(), std::make_pair(c.width, c.height));
    EXPECT_EQ(result.width, c.width);
    EXPECT_EQ(result.height, c.height);
    EXPECT_NE(result.message.find("out.pcx"), std::string::npos) << result.message;
  }
}

// Every format of the table that a library here writes is written in the
// format its extension names, one bit a pixel where the format has that (the
// header bytes say so), and an outside reader sees the same black and white.
TEST_F(ConvertPictureFileTest, WritesTheFormatOfEveryExtension) {
  struct Case {
    std::string extension;
    std::size_t offset;  // of a header field that tells the format's bits
    std::string bytes;
  };
  // biBitCount, IHDR bit depth, Sun raster depth, the icon entry's bits a
  // pixel and the bitmap kind; the other formats are only read back.
  std::vector<Case> cases = {{"bmp", 28, std::string("\x01\x00", 2)},
                             {"png", 24, "\x01"},
                             {"ras", 12, std::string("\x00\x00\x00\x01", 4)},
                             {"ico", 12, std::string("\x01\x00", 2)},
                             {"pnm", 0, "P4"}};
  for (const char* extension : {"gif", "tif", "tiff", "wbmp", "tga", "mng", "jp2", "j2k", "jpc",
                                "j2c", "pgx", "pgm", "ppm", "jpg", "jpeg", "jng"})
    cases.push_back({extension, 0, ""});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    const bool lossy = c.extension == "jpg" || c.extension == "jpeg" || c.extension == "jng";
    ConvertOptions options = Options();
    options.output = dir_.File("out." + c.extension);
    options.width = "100";  // 100 x 50: the disc's middle is at 25, 25
    const ConvertResult result = ConvertPictureFile(options, "eng");
    ASSERT_EQ(result.code, kGraphicOk) << result.message;
    const std::string file = test::ReadFileBytes(options.output);
    if (!c.bytes.empty()) {
      EXPECT_EQ(file.substr(c.offset, c.bytes.size()), c.bytes);
    }
    test::MagickPicture back;
    ASSERT_TRUE(test::MagickDecode(options.output, &back));
    ASSERT_EQ(back.width, 100);
    ASSERT_EQ(back.height, 50);
    auto grey = [&back](int x, int y) { return back.rgb[std::size_t(y * back.width + x) * 3]; };
    EXPECT_NEAR(grey(25, 25), 0, lossy ? 40 : 0);
    EXPECT_NEAR(grey(75, 25), 255, lossy ? 40 : 0);
  }
  for (const char* unwritable : {"wmf", "emf"}) {
    ConvertOptions options = Options();
    options.output = dir_.File(std::string("out.") + unwritable);
    EXPECT_EQ(ConvertPictureFile(options, "eng").code, kGraphicNoWriter);
  }
}

// A JPEG is converted from only the rows and columns the resampling reads,
// its box thresholds taken band by band on a second thread while it
// decodes: the file is the one a conversion of the whole decoded picture
// writes, for sides that are and are not whole bands, pictures of one pixel
// across, sizes up and down, and pictures their Exif data turns.
TEST_F(ConvertPictureFileTest, JpegSampledWhileDecodingGivesTheSameFile) {
  struct Case {
    QSize source;
    QImageIOHandler::Transformation turn;
    int width, height;
  };
  const auto none = QImageIOHandler::TransformationNone;
  const Case cases[] = {{{300, 256}, none, 101, 77},
                        {{333, 197}, none, 101, 77},
                        {{333, 197}, none, 700, 450},
                        {{65, 129}, none, 65, 129},
                        {{1, 300}, none, 3, 77},
                        {{300, 1}, none, 101, 2},
                        {{1, 1}, none, 5, 3},
                        {{333, 197}, QImageIOHandler::TransformationRotate90, 101, 77},
                        {{200, 130}, QImageIOHandler::TransformationRotate180, 77, 101}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.source.width() << "x" << c.source.height() << " turn "
                                    << c.turn << " -> " << c.width << "x" << c.height);
    QImage photo(c.source, QImage::Format_RGB32);
    for (int y = 0; y < c.source.height(); ++y)
      for (int x = 0; x < c.source.width(); ++x)
        photo.setPixel(x, y, qRgb((x * 3 + y) % 256, (x * y) % 256, (y * 5) % 256));
    ConvertOptions options = Options();
    options.input = dir_.File("photo.jpg");
    QImageWriter writer(QString::fromStdString(options.input), "jpeg");
    writer.setTransformation(c.turn);
    ASSERT_TRUE(writer.write(photo));
    options.width = std::to_string(c.width);
    options.height = std::to_string(c.height);
    ASSERT_EQ(ConvertPictureFile(options, "eng").code, kGraphicOk);

    LoadedPicture whole;
    ASSERT_EQ(LoadPicture(options.input, &whole), kGraphicOk);
    PictureSize target;
    SetSource(target, std::uint32_t(whole.bitmap.width), std::uint32_t(whole.bitmap.height),
              whole.bits_per_pixel);
    ApplyScaleMode(target, kScaleManual);
    target.target_width = static_cast<float>(c.width);
    target.target_height = static_cast<float>(c.height);
    ASSERT_EQ(SavePicture(&whole.bitmap, target, dir_.File("whole.pcx")), kGraphicOk);
    EXPECT_TRUE(test::ReadFileBytes(dir_.File("out.pcx")) ==
                test::ReadFileBytes(dir_.File("whole.pcx")));
  }
}

// Each refusal is told in the operator's language, and nothing is written.
TEST_F(ConvertPictureFileTest, RefusesBadOptionsBeforeWriting) {
  struct Case {
    const char* what;
    Change change;
    int code;
  };
  const Case cases[] = {
      {"unit", [](ConvertOptions& o) { o.unit = "furlong"; }, kGraphicBadOption},
      {"dpi", [](ConvertOptions& o) { o.dpi = 150; }, kGraphicBadOption},
      {"rotation", [](ConvertOptions& o) { o.rotate = 45; }, kGraphicBadOption},
      {"negative rotation", [](ConvertOptions& o) { o.rotate = -90; }, kGraphicBadOption},
      {"scale with width", [](ConvertOptions& o) { o.scale = "50", o.width = "10"; },
       kGraphicBadOption},
      {"letters", [](ConvertOptions& o) { o.width = "ten"; }, kGraphicBadNumber},
      {"lone minus", [](ConvertOptions& o) { o.scale = "-"; }, kGraphicBadNumber},
      {"zero size", [](ConvertOptions& o) { o.width = "0.001", o.unit = "inch"; }, kGraphicBadSize},
      {"missing input", [](ConvertOptions& o) { o.input += ".gone.png"; }, kGraphicFileOpenFailed}};
  for (const Case& c : cases) {
    ConvertOptions options = Options();
    c.change(options);
    for (const char* language : {"eng", "chi"}) {
      SCOPED_TRACE(testing::Message() << c.what << ", " << language);
      const ConvertResult result = ConvertPictureFile(options, language);
      EXPECT_STREQ(GraphicCodeName(result.code), GraphicCodeName(c.code)) << result.message;
      EXPECT_EQ(result.message.rfind(Pick(GraphicCodeText(c.code), language), 0), 0u)
          << result.message;
      EXPECT_EQ(WrittenSize(), std::make_pair(-1, -1)) << "nothing may be written";
    }
  }
}

// Debian's ImageMagick policy allows 16K pixels a side and 128 MP: built
// without asking, such a picture aborted the program on an assertion.
// Every one is refused with the library's limit named, nothing written.
TEST_F(ConvertPictureFileTest, SizesBeyondThePictureLibrarysPolicyAreRefused) {
  struct Case {
    const char* output;
    const char* width;
    const char* height;
  };
  const Case cases[] = {{"big.bmp", "16384", nullptr},
                        {"wide.png", "16385", "100"},
                        {"wide.bmp", "16385", "100"},
                        {"area.tif", "11600", "11600"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    ConvertOptions options = Options();
    options.output = dir_.File(c.output);
    options.unit = "dot";
    options.width = c.width;
    if (c.height != nullptr) options.height = c.height;
    const ConvertResult result = ConvertPictureFile(options, "eng");
    EXPECT_STREQ(GraphicCodeName(result.code), GraphicCodeName(kGraphicBeyondLibraryLimits))
        << result.message;
    EXPECT_NE(result.message.find("picture library"), std::string::npos) << result.message;
    EXPECT_EQ(test::ReadFileBytes(options.output), "") << "nothing may be written";
  }
}

}  // namespace
}  // namespace vidodez::imaging
