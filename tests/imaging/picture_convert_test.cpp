#include "imaging/picture_convert.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_save.h"
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

TEST_F(ConvertPictureFileTest, ScaleModesFollowTheOptions) {
  struct Case {
    const char* what;
    std::optional<std::string> width, height, scale;
    bool keep_scale;
    std::string unit;
    int dpi;
    int rotate;
    int out_width, out_height;
  };
  const Case cases[] = {
      {"origin", {}, {}, {}, true, "dot", 203, 0, 400, 200},
      {"scale keeps aspect", {}, {}, "50", true, "dot", 203, 0, 200, 100},
      {"scale without keep-scale", {}, {}, "50", false, "dot", 203, 0, 200, 200},
      {"width keeps aspect", "100", {}, {}, true, "dot", 203, 0, 100, 50},
      {"width alone", "100", {}, {}, false, "dot", 203, 0, 100, 200},
      {"height keeps aspect", {}, "50", {}, true, "dot", 203, 0, 100, 50},
      {"both as given", "30", "70", {}, true, "dot", 203, 0, 30, 70},
      {"millimetres", "25.4", {}, {}, true, "mm", 203, 0, 203, 101},
      {"inches at 300 dpi", "1.5", {}, {}, true, "inch", 300, 0, 450, 225},
      {"turned 90", "100", {}, {}, true, "dot", 203, 90, 50, 100},
      {"turned 180", "100", {}, {}, true, "dot", 203, 180, 100, 50},
      {"turned 270", {}, {}, {}, true, "cm", 600, 270, 200, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ConvertOptions options = Options();
    options.width = c.width;
    options.height = c.height;
    options.scale = c.scale;
    options.keep_scale = c.keep_scale;
    options.unit = c.unit;
    options.dpi = c.dpi;
    options.rotate = c.rotate;
    const ConvertResult result = ConvertPictureFile(options, "eng");
    ASSERT_EQ(result.code, kGraphicOk) << result.message;
    EXPECT_EQ(WrittenSize(), std::make_pair(c.out_width, c.out_height));
    EXPECT_EQ(result.width, c.out_width);
    EXPECT_EQ(result.height, c.out_height);
    EXPECT_NE(result.message.find("out.pcx"), std::string::npos) << result.message;
  }
}

TEST_F(ConvertPictureFileTest, RefusesBadOptionsBeforeWriting) {
  struct Case {
    const char* what;
    void (*change)(ConvertOptions&);
    int code;
  };
  const Case cases[] = {
      {"unit", [](ConvertOptions& o) { o.unit = "furlong"; }, kGraphicBadOption},
      {"dpi", [](ConvertOptions& o) { o.dpi = 150; }, kGraphicBadOption},
      {"rotation", [](ConvertOptions& o) { o.rotate = 45; }, kGraphicBadOption},
      {"negative rotation", [](ConvertOptions& o) { o.rotate = -90; }, kGraphicBadOption},
      {"scale with width", [](ConvertOptions& o) { o.scale = "50"; o.width = "10"; },
       kGraphicBadOption},
      {"letters", [](ConvertOptions& o) { o.width = "ten"; }, kGraphicBadNumber},
      {"lone minus", [](ConvertOptions& o) { o.scale = "-"; }, kGraphicBadNumber},
      {"negative size", [](ConvertOptions& o) { o.width = "-5"; }, kGraphicBadSize},
      {"zero size", [](ConvertOptions& o) { o.width = "0.001"; o.unit = "inch"; },
       kGraphicBadSize},
      {"bmp output", [](ConvertOptions& o) { o.output += ".bmp"; }, kGraphicNoWriter},
      {"missing input", [](ConvertOptions& o) { o.input += ".gone.png"; },
       kGraphicFileOpenFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ConvertOptions options = Options();
    c.change(options);
    const ConvertResult result = ConvertPictureFile(options, "eng");
    EXPECT_STREQ(GraphicCodeName(result.code), GraphicCodeName(c.code)) << result.message;
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(WrittenSize(), std::make_pair(-1, -1)) << "nothing may be written";
  }
}

TEST_F(ConvertPictureFileTest, MessagesFollowTheLanguage) {
  ConvertOptions options = Options();
  options.input = dir_.File("none.png");
  const ConvertResult chi = ConvertPictureFile(options, "chi");
  const ConvertResult eng = ConvertPictureFile(options, "eng");
  EXPECT_EQ(chi.message.rfind(GraphicCodeText(kGraphicFileOpenFailed).chi, 0), 0u) << chi.message;
  EXPECT_EQ(eng.message.rfind(GraphicCodeText(kGraphicFileOpenFailed).eng, 0), 0u) << eng.message;
}

}  // namespace
}  // namespace vidodez::imaging
