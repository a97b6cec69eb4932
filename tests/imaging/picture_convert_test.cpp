#include "imaging/picture_convert.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_save.h"
#include "core/shell/texts.h"
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
      {"scale without keep-scale", [](ConvertOptions& o) { o.scale = "50"; o.keep_scale = false; },
       200, 200},
      {"width keeps aspect", [](ConvertOptions& o) { o.width = "100"; }, 100, 50},
      {"width alone", [](ConvertOptions& o) { o.width = "100"; o.keep_scale = false; }, 100, 200},
      {"height keeps aspect", [](ConvertOptions& o) { o.height = "50"; }, 100, 50},
      {"both as given", [](ConvertOptions& o) { o.width = "30"; o.height = "70"; }, 30, 70},
      {"millimetres", [](ConvertOptions& o) { o.unit = "mm"; o.width = "25.4"; }, 203, 101},
      {"inch at 300 dpi", [](ConvertOptions& o) { o.unit = "inch"; o.dpi = 300; o.width = "1.5"; },
       450, 225},
      {"turned 90", [](ConvertOptions& o) { o.width = "100"; o.rotate = 90; }, 50, 100},
      {"turned 180", [](ConvertOptions& o) { o.width = "100"; o.rotate = 180; }, 100, 50},
      {"turned 270", [](ConvertOptions& o) { o.unit = "cm"; o.dpi = 600; o.rotate = 270; }, 200,
       400},
  };
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
      {"scale with width", [](ConvertOptions& o) { o.scale = "50"; o.width = "10"; },
       kGraphicBadOption},
      {"letters", [](ConvertOptions& o) { o.width = "ten"; }, kGraphicBadNumber},
      {"lone minus", [](ConvertOptions& o) { o.scale = "-"; }, kGraphicBadNumber},
      {"zero size", [](ConvertOptions& o) { o.width = "0.001"; o.unit = "inch"; },
       kGraphicBadSize},
      {"missing input", [](ConvertOptions& o) { o.input += ".gone.png"; },
       kGraphicFileOpenFailed},
  };
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

}  // namespace
}  // namespace vidodez::imaging
