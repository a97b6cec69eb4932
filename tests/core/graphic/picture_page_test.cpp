// The picture dialog's rules without a window: its model against a scripted
// operator, pictures handed in by a decoder of the test's own.

#include "core/graphic/picture_page.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>

#include "core/graphic/graphic_codes.h"
#include "support/expect_code.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

// `width` x `height`, the left half black.
GreyBitmap HalfBlack(int width, int height) {
  GreyBitmap picture{width, height, std::vector<std::uint8_t>(std::size_t(width * height), kWhite)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width / 2; ++x) picture.Row(y)[x] = kBlack;
  return picture;
}

// Pictures by path; any other path is a file that cannot be opened.
class FakeDecoder final : public PictureDecoder {
 public:
  std::map<std::string, GreyBitmap> pictures;
  std::map<std::string, int> failures;
  int Decode(const std::string& path, GreyBitmap* picture, std::uint32_t* bits) const override {
    if (failures.count(path) != 0) return failures.at(path);
    if (pictures.count(path) == 0) return kGraphicFileOpenFailed;
    *picture = pictures.at(path);
    *bits = 24;
    return kGraphicOk;
  }
};

// Writes every format but PCX as the extension's name, so a test sees which.
class FakeEncoder final : public PictureEncoder {
 public:
  int Encode(const GreyBitmap&, std::string_view extension, int,
             std::vector<std::uint8_t>* bytes) const override {
    if (extension == "wmf") return kGraphicNoWriter;
    bytes->assign(extension.begin(), extension.end());
    return kGraphicOk;
  }
};

struct PictureRig {
  PictureRig() {
    page.language = "eng";
    decoder.pictures[dir.File("photo.png")] = HalfBlack(64, 48);
    decoder.failures[dir.File("damaged.png")] = kGraphicBadPicture;
  }
  int Browse(const std::string& name) {
    op.AnswerFile(dir.File(name));
    return page.Browse(op, decoder);
  }
  int Save(const std::string& name) {
    op.AnswerFile(dir.File(name));
    return page.Save(op, &encoder);
  }
  PcxInfo Saved(const std::string& name) {
    GreyBitmap picture;
    PcxInfo info;
    EXPECT_CODE(kGraphicOk, ReadPcxFile(dir.File(name), &picture, &info));
    return info;
  }
  std::string LastShown() const { return op.shown().empty() ? "" : op.shown().back().text; }

  test::TempDir dir;
  test::ScriptedOperator op;
  FakeDecoder decoder;
  FakeEncoder encoder;
  PicturePage page;
};

// A picture that does not load changes nothing: the earlier picture, its
// path and its sizes stay together, so Save never writes another picture
// than the one the path box names.
TEST(PicturePage, OnlyAPictureThatLoadsReplacesTheLoadedOne) {
  PictureRig rig;
  rig.page.language = "chi";
  EXPECT_CODE(kGraphicCancelled, rig.page.Browse(rig.op, rig.decoder));
  ASSERT_EQ(rig.op.file_dialogs().size(), 1u);
  EXPECT_EQ(rig.op.file_dialogs()[0].title, "打开文件");
  EXPECT_EQ(rig.op.file_dialogs()[0].pattern, "*.pcx *.bmp *.jpg *.png *.tif *.ico *.gif");
  ASSERT_CODE(kGraphicOk, rig.Browse("photo.png"));
  for (const auto& [name, code] : {std::pair{"damaged.png", kGraphicBadPicture},
                                   std::pair{"missing.png", kGraphicFileOpenFailed}}) {
    SCOPED_TRACE(name);
    EXPECT_CODE(code, rig.Browse(name));
    EXPECT_EQ(rig.op.shown().back().table, kGraphicTable);
    EXPECT_EQ(rig.op.shown().back().index, code);
  }
  EXPECT_EQ(rig.LastShown(), "无法打开文件。");
  EXPECT_EQ(rig.page.source_path, rig.dir.File("photo.png"));
  EXPECT_EQ(rig.page.result_path, rig.dir.File("photo.png"));
  EXPECT_EQ(rig.page.size.source_width, 64u);
  EXPECT_EQ(rig.page.size.source_bpp, 24u);
  EXPECT_FLOAT_EQ(rig.page.size.target_height, 48.0f);
}

// Catches a refused save that closes or hands over a file never written, a
// retry that turns the picture a second time, a name without extension
// written as typed, a file replaced without asking, and a cancelled file
// dialog that does not hand over the picture chosen.
TEST(PicturePage, SaveWritesWhatTheNameSaysOrSaysWhyAndStays) {
  PictureRig rig;
  EXPECT_CODE(kGraphicNoPicture, rig.page.Save(rig.op, &rig.encoder));
  EXPECT_EQ(rig.LastShown(), "No file is found!");
  EXPECT_FALSE(SaveClosesDialog(kGraphicNoPicture));
  EXPECT_TRUE(rig.op.file_dialogs().empty()) << "no file is asked for without a picture";
  ASSERT_CODE(kGraphicOk, rig.Browse("photo.png"));
  rig.page.size.rotation = 1;
  test::WriteFileBytes(rig.dir.File("label.pcx"), "earlier file");
  constexpr const char* kReplace = "The file already exists. Replace it?";
  struct Case {
    const char* typed;
    int answer;  // to the question to replace: -1 none asked, 0 Cancel, 1 OK
    int code;
    const char* told;  // null: nothing
    const char* result;
  } cases[] = {
      {"label.wmf", -1, kGraphicNoWriter, "Pictures cannot be saved in this format.", "photo.png"},
      {"label", 0, kGraphicReplaceDeclined, kReplace, "photo.png"},
      {"label", 1, kGraphicOk, kReplace, "label.pcx"},
      {"plain.", -1, kGraphicOk, nullptr, "plain.pcx"},
      {"label.bmp", -1, kGraphicOk, nullptr, "label.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::size_t shown_before = rig.op.shown().size();
    if (c.answer >= 0) rig.op.AnswerConfirm(c.answer == 1);
    EXPECT_CODE(c.code, rig.Save(c.typed));
    EXPECT_EQ(rig.op.shown().size(), shown_before + (c.told != nullptr ? 1 : 0));
    if (c.told != nullptr) {
      EXPECT_EQ(rig.LastShown(), c.told);
      EXPECT_EQ(rig.op.shown().back().question, c.answer >= 0);
    }
    EXPECT_EQ(rig.page.result_path, rig.dir.File(c.result));
  }
  EXPECT_EQ(rig.op.file_dialogs().back().suggested_path, rig.dir.File("photo.pcx"));
  EXPECT_EQ(rig.op.file_dialogs().back().title, "Save As");
  EXPECT_NE(::access(rig.dir.File("label.wmf").c_str(), F_OK), 0);
  EXPECT_EQ(test::ReadFileBytes(rig.dir.File("label.bmp")), "bmp");
  // Turned once each time, from the picture as loaded.
  for (const char* name : {"label.pcx", "plain.pcx"}) {
    const PcxInfo saved = rig.Saved(name);
    EXPECT_EQ(saved.width, 48);
    EXPECT_EQ(saved.height, 64);
  }
  // A cancelled file dialog writes nothing, closes and hands over the picture.
  EXPECT_CODE(kGraphicCancelled, rig.page.Save(rig.op, &rig.encoder));
  EXPECT_TRUE(SaveClosesDialog(kGraphicCancelled));
  EXPECT_EQ(rig.page.result_path, rig.dir.File("label.bmp"));
}

TEST(PicturePage, OriginSavesTheSourceSizeWhateverWasTyped) {
  PictureRig rig;
  ASSERT_CODE(kGraphicOk, rig.Browse("photo.png"));
  rig.page.ChooseScaleMode(kScaleManual);
  SizeEdit shown;
  ASSERT_CODE(kGraphicOk, rig.page.EditSize(SizeBox::kWidth, "30", rig.op, &shown));
  rig.page.ChooseScaleMode(kScaleOrigin);
  ASSERT_CODE(kGraphicOk, rig.Save("origin.pcx"));
  EXPECT_EQ(rig.Saved("origin.pcx").width, 64);
  EXPECT_EQ(rig.Saved("origin.pcx").height, 48);
}

// Which texts are numbers is IsSizeNumber's own test; the page tells the
// operator and shows "0" in the box.
TEST(PicturePage, TextThatIsNoNumberIsToldAndTheBoxReadsZero) {
  PictureRig rig;
  ASSERT_CODE(kGraphicOk, rig.Browse("photo.png"));
  rig.page.ChooseScaleMode(kScaleManual);
  SizeEdit shown;
  EXPECT_CODE(kGraphicOk, rig.page.EditSize(SizeBox::kWidth, "3.", rig.op, &shown));
  EXPECT_TRUE(rig.op.shown().empty());
  EXPECT_CODE(kGraphicBadNumber, rig.page.EditSize(SizeBox::kWidth, "5a", rig.op, &shown));
  EXPECT_EQ(shown.width, std::optional<std::string>("0"));
  EXPECT_FLOAT_EQ(rig.page.size.target_width, 0.0f);
  ASSERT_EQ(rig.op.shown().size(), 1u);
  EXPECT_EQ(rig.op.shown()[0].table, kGraphicTable);
  EXPECT_EQ(rig.LastShown(), "Vaild value: 0~9");
}

// The unit list holds centimetres where the settings page has none, and the
// resolution and boxes open only where they mean something.
TEST(PicturePage, ChoicesSetTheUnitAndWhatCanBeEdited) {
  PicturePage page;
  page.ChooseUnit(2);
  EXPECT_EQ(page.size.unit, kUnitCentimetres);
  page.ChooseUnit(3);
  EXPECT_EQ(page.size.unit, kUnitMillimetres);
  EXPECT_EQ(page.UnitPosition(), 3);
  EXPECT_TRUE(page.ResolutionEnabled());
  page.ChooseUnit(9);
  EXPECT_EQ(page.size.unit, kUnitMillimetres) << "a position past the list is its last";
  page.ChooseUnit(0);
  EXPECT_FALSE(page.ResolutionEnabled());
  struct Case {
    int mode;
    bool sizes, percents;
  } cases[] = {
      {kScaleOrigin, false, false}, {kScaleScaling, false, true}, {kScaleManual, true, false}};
  for (const Case& c : cases) {
    page.ChooseScaleMode(c.mode);
    const SizeBoxesEnabled enabled = page.BoxesEnabled();
    EXPECT_EQ(enabled.width && enabled.height, c.sizes) << c.mode;
    EXPECT_EQ(enabled.width_percent && enabled.height_percent, c.percents) << c.mode;
    EXPECT_EQ(enabled.keep_scale, c.mode != kScaleOrigin) << c.mode;
  }
}

// The preview converts a large result at the size it is shown at, in the
// box turned with the picture; a small one at its own size.
TEST(PicturePage, PreviewSizeFitsTheBoxTurnedWithThePicture) {
  struct Case {
    float width, height;
    int rotation;
    int box_width, box_height;
    int shown_width, shown_height;
  } cases[] = {
      {100, 50, 0, 230, 205, 100, 50},   {600, 300, 0, 230, 205, 230, 115},
      {600, 300, 1, 230, 205, 205, 102}, {300, 600, 0, 230, 205, 102, 205},
      {5000, 1, 0, 230, 205, 230, 1},    {0, 50, 0, 230, 205, 0, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " turn " << c.rotation);
    PicturePage page;
    page.size.target_width = c.width;
    page.size.target_height = c.height;
    page.size.rotation = c.rotation;
    const PixelSize shown = page.PreviewPixelSize(c.box_width, c.box_height);
    EXPECT_EQ(shown.width, c.shown_width);
    EXPECT_EQ(shown.height, c.shown_height);
  }
}

}  // namespace
}  // namespace vidodez
