#include "gui/picture/set_picture_wnd.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <memory>
#include <set>

#include "core/graphic/picture_save.h"
#include "gui_fixture.h"
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

class FakeReceiver final : public PictureReceiver {
 public:
  void HandChosenPicture(const QString& path) override { handed << path; }
  QStringList handed;
};

struct PictureRig : test::ControlDriver {
  explicit PictureRig(const std::string& language = "eng")
      : dialog(std::make_unique<CSetPictureWnd>(test::BuiltSkins(), dialogs, language, receiver,
                                                nullptr)) {
    dialog->show();
  }
  QWidget* driven() override { return dialog.get(); }

  void SetKeepScale(bool on) {
    auto* keep = Control<QAbstractButton>("PZoomOp");
    if (keep->isChecked() != on) test::UserClick(keep);
  }
  void Browse(const std::string& path) {
    dialogs.QueueFile(QString::fromStdString(path));
    Click("PBrowseBtn");
  }
  // `width` x `height`: the left half black, the right half white, a red
  // square in the white half for the colour preview.
  std::string MakePicture(const std::string& name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width / 2; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
    for (int y = height / 4; y < height / 2; ++y)
      for (int x = width * 5 / 8; x < width * 7 / 8; ++x) image.setPixel(x, y, qRgb(230, 20, 20));
    std::string path = folder.File(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path)));
    return path;
  }
  // Saves through the dialog under `name` in the test's folder.
  std::string Save(const std::string& name) {
    std::string out = folder.File(name);
    dialogs.QueueFile(QString::fromStdString(out));
    Click("PSavebtn");
    return out;
  }
  static GreyBitmap ReadSaved(const std::string& path) {
    GreyBitmap saved;
    PcxInfo info;
    EXPECT_EQ(ReadPcxFile(path, &saved, &info), 0) << path;
    return saved;
  }
  static QSize SavedSize(const std::string& path) {
    const GreyBitmap saved = ReadSaved(path);
    return {saved.width, saved.height};
  }
  std::string last_message() const {
    return dialogs.shown().empty() ? "" : dialogs.shown().back().text.toStdString();
  }

  test::TempDir folder;
  ScriptedDialogService dialogs;
  FakeReceiver receiver;
  std::unique_ptr<CSetPictureWnd> dialog;
};

QStringList Items(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

// Catches texts or lists left in the skin's language, and a dialog that
// starts anywhere but dots, 203 dpi, Origin and Keep Scale with nothing
// loaded.
TEST(SetPictureWnd, StartsAtDotsOriginAndSixtyPixelsInBothLanguages) {
  struct Case {
    const char* language;
    QStringList units;
    QStringList rotations;
    QStringList modes;
    const char* save;
    const char* keep;
  };
  for (const Case& c : {Case{"eng",
                             {"Dot", "Inch", "cm", "mm"},
                             {"0", "90", "180", "270"},
                             {"Origin", "Scaling", "Manual"},
                             "Save as",
                             "Keep Scale"},
                        Case{"chi",
                             {"点(Dot)", "英寸", "厘米", "毫米"},
                             {"0", "右转90", "右转180", "右转270"},
                             {"原始大小", "按比例缩放", "手动修改大小"},
                             "保存图片",
                             "按比例缩放"}}) {
    SCOPED_TRACE(c.language);
    PictureRig rig(c.language);
    const QStringList resolutions{"203", "300", "600"};
    for (const auto& [name, items] :
         {std::pair{"PUnitCombo", c.units}, std::pair{"PResolutionCombo", resolutions},
          std::pair{"PRotateCombo", c.rotations}, std::pair{"PZoomModeCombo", c.modes}}) {
      SCOPED_TRACE(name);
      EXPECT_EQ(Items(rig.Control<QComboBox>(name)), items);
      EXPECT_EQ(rig.Control<QComboBox>(name)->currentIndex(), 0);
    }
    EXPECT_EQ(rig.Control<QAbstractButton>("PSavebtn")->text(), QString::fromUtf8(c.save));
    EXPECT_EQ(rig.Control<QAbstractButton>("PZoomOp")->text(), QString::fromUtf8(c.keep));
    // The unit labels follow the unit list's own text.
    EXPECT_EQ(rig.Control<QLabel>("PWidthUnitLabel")->text(), c.units.front());
    EXPECT_EQ(rig.Control<QLabel>("PHeightUnitLabel")->text(), c.units.front());
    // In dots the resolution means nothing, so it cannot be chosen.
    EXPECT_FALSE(rig.Control<QComboBox>("PResolutionCombo")->isEnabled());
    EXPECT_FALSE(rig.Control<QLabel>("PResolutionLabel")->isEnabled());
    for (const auto& [name, text] :
         {std::pair{"PWidthEdit", "60"}, std::pair{"PHeightEdit", "60"},
          std::pair{"PWidthScaleEdit", "100"}, std::pair{"PHeightScaleEdit", "100"},
          std::pair{"PFilePathEdit", ""}, std::pair{"PWidthPixelsValueEdit", "0"},
          std::pair{"PHeightPixelsValueEdit", "0"}, std::pair{"PBppValueEdit", "0"}}) {
      SCOPED_TRACE(name);
      EXPECT_EQ(rig.Text(name).toStdString(), text);
      EXPECT_FALSE(rig.Control<QLineEdit>(name)->isEnabled());
    }
    auto* keep = rig.Control<QAbstractButton>("PZoomOp");
    EXPECT_TRUE(keep->isChecked());
    EXPECT_FALSE(keep->isEnabled());
    EXPECT_FALSE(rig.dialog->has_picture());
  }
}

// The rules have their own tests (core/graphic); these catch a box wired to
// the wrong side, the keep-scale option not reaching the size, or a typed
// box overwritten by its own echo.
TEST(SetPictureWnd, BrowseShowsTheSourceAndTheBoxesReachTheModel) {
  PictureRig rig;
  const std::string path = rig.MakePicture("photo.png", 406, 200);
  rig.Browse(path);
  ASSERT_TRUE(rig.dialog->has_picture()) << rig.last_message();
  EXPECT_EQ(rig.Text("PFilePathEdit").toStdString(), path);
  for (const auto& [name, text] :
       {std::pair{"PWidthPixelsValueEdit", "406"}, std::pair{"PHeightPixelsValueEdit", "200"},
        std::pair{"PBppValueEdit", "24"}, std::pair{"PWidthEdit", "406"},
        std::pair{"PHeightEdit", "200"}})
    EXPECT_EQ(rig.Text(name).toStdString(), text) << name;
  EXPECT_FALSE(rig.Control<QLabel>("PPreviewLabel")->pixmap().isNull());
  rig.Choose("PZoomModeCombo", 2);
  EXPECT_TRUE(rig.Control<QLineEdit>("PWidthEdit")->isEnabled());
  EXPECT_FALSE(rig.Control<QLineEdit>("PWidthScaleEdit")->isEnabled());
  rig.Choose("PUnitCombo", 3);
  EXPECT_EQ(rig.Text("PWidthEdit"), "50.8");
  EXPECT_TRUE(rig.Control<QComboBox>("PResolutionCombo")->isEnabled());
  EXPECT_EQ(rig.Control<QLabel>("PWidthUnitLabel")->text(), "mm");
  // 25.4 mm is 203 dots, half the width, so half the height.
  rig.Paste("PWidthEdit", "25.4");
  EXPECT_FLOAT_EQ(rig.dialog->picture_size().target_width, 203.0f);
  EXPECT_EQ(rig.Text("PHeightEdit"), "12.5");
  EXPECT_EQ(rig.Text("PHeightScaleEdit"), "50");
  EXPECT_EQ(rig.Text("PWidthEdit"), "25.4") << "the typed box keeps its text";
  rig.Choose("PUnitCombo", 0);
  EXPECT_FALSE(rig.Control<QComboBox>("PResolutionCombo")->isEnabled());
  rig.Choose("PZoomModeCombo", 1);
  EXPECT_TRUE(rig.Control<QAbstractButton>("PZoomOp")->isEnabled());
  EXPECT_FALSE(rig.Control<QLineEdit>("PWidthEdit")->isEnabled());
  rig.SetKeepScale(false);
  rig.Paste("PWidthScaleEdit", "50");
  EXPECT_EQ(rig.Text("PWidthEdit"), "203");
  EXPECT_EQ(rig.Text("PHeightEdit"), "100") << "keep scale off: the height stays";
  // A refused text is told through the program's box and reads "0".
  rig.Paste("PHeightScaleEdit", "x");
  EXPECT_EQ(rig.last_message(), "Vaild value: 0~9");
  EXPECT_EQ(rig.dialogs.shown().back().caption.toStdString(), kProgramCaption);
  EXPECT_EQ(rig.Text("PHeightScaleEdit"), "0");
}

// Closed without a save, the dialog hands over the picture chosen, so a
// ready-made PCX can be sent; the storage page refuses what it cannot send.
// Saved, it hands over the file written.
TEST(SetPictureWnd, ClosingHandsOverTheSavedFileElseTheChosenPicture) {
  struct Case {
    const char* name;
    bool choose_picture;
    const char* closer;  // null: saved
  };
  for (const Case& c : {Case{"nothing chosen", false, "PicClosebtn"},
                        Case{"picture chosen, closed", true, "PCancelbtn"},
                        Case{"save cancelled", true, "PSavebtn"}, Case{"saved", true, nullptr}}) {
    SCOPED_TRACE(c.name);
    PictureRig rig;
    std::string handed = c.choose_picture ? rig.MakePicture("photo.png", 50, 40) : "";
    if (c.choose_picture) rig.Browse(handed);
    if (c.closer != nullptr) {
      rig.Click(c.closer);  // the scripted save dialog has no answer: cancelled
    } else {
      handed = rig.Save("label.pcx");
      EXPECT_EQ(rig.SavedSize(handed), QSize(50, 40));
    }
    EXPECT_FALSE(rig.dialog->isVisible());
    EXPECT_EQ(rig.receiver.handed, QStringList{QString::fromStdString(handed)});
    rig.dialog->reject();  // a second close hands nothing more
    EXPECT_EQ(rig.receiver.handed.size(), 1);
  }
}

TEST(SetPictureWnd, BlackAndWhitePreviewShowsWhatSaveWrites) {
  PictureRig rig;
  rig.Browse(rig.MakePicture("photo.png", 60, 60));
  auto* preview = rig.Control<QLabel>("PPreviewLabel");
  auto colours = [preview] {
    const QImage image = preview->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    std::set<QRgb> seen;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y));
    return seen;
  };
  EXPECT_TRUE(colours().count(qRgb(230, 20, 20)) == 1) << "the preview shows the picture's colours";
  rig.Click("PPreviewBWOp");
  EXPECT_EQ(colours(), (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
  // Larger than the box, and turned: still only black and white, turned.
  rig.Choose("PZoomModeCombo", 1);
  rig.Paste("PWidthScaleEdit", "1000");
  rig.Choose("PRotateCombo", 1);
  EXPECT_EQ(colours(), (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
  const QImage turned = preview->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(turned.pixel(turned.width() * 3 / 4, 5), qRgb(0, 0, 0))
      << "the black left half is on top";
  EXPECT_EQ(turned.pixel(5, turned.height() - 5), qRgb(255, 255, 255));
  rig.Click("PPreviewBWOp");
  EXPECT_GT(colours().size(), 2u);
}

TEST(SetPictureWnd, TransparentPartsPreviewAsWhite) {
  PictureRig rig;
  QImage image(40, 40, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 30; ++x) image.setPixel(x, y, qRgba(0, 0, 0, 255));
  const std::string path = rig.folder.File("logo.png");
  ASSERT_TRUE(image.save(QString::fromStdString(path)));
  rig.Browse(path);
  for (const bool black_white : {false, true}) {
    SCOPED_TRACE(black_white);
    if (black_white) rig.Click("PPreviewBWOp");
    const QImage shown = rig.Control<QLabel>("PPreviewLabel")->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), qRgb(0, 0, 0));
  }
}

}  // namespace
}  // namespace vidodez::gui
