#include "gui/picture/set_picture_wnd.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <memory>
#include <set>

#include "core/graphic/magick.h"
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

struct PictureRig {
  explicit PictureRig(const std::string& language = "eng")
      : dialog(std::make_unique<CSetPictureWnd>(test::BuiltSkins(), dialogs, language, receiver,
                                                nullptr)) {
    dialog->show();
  }

  template <typename T>
  T* Control(const char* name) {
    T* control = FindControl<T>(dialog.get(), name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QString Text(const char* name) { return Control<QLineEdit>(name)->text(); }
  void Choose(const char* combo_name, int index) {
    auto* combo = Control<QComboBox>(combo_name);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  // What the operator's typing raises: the whole new text at once.
  void Type(const char* name, const QString& text) {
    auto* edit = Control<QLineEdit>(name);
    edit->setText(text);
    emit edit->textEdited(text);
  }
  void Click(const char* name) { Control<QAbstractButton>(name)->click(); }
  void SetKeepScale(bool on) {
    auto* keep = Control<QAbstractButton>("PZoomOp");
    if (keep->isChecked() != on) keep->click();
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
    const std::string path = folder.File(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path)));
    return path;
  }
  // Saves through the dialog under `name` in the test's folder.
  std::string Save(const std::string& name) {
    const std::string out = folder.File(name);
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
  std::size_t messages() const { return dialogs.shown().size(); }
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
// loaded. Also saves the filled dialog in each language, for a person to
// look at.
TEST(SetPictureWnd, StartsAtDotsOriginAndSixtyPixelsInBothLanguages) {
  struct Case {
    const char* language;
    QStringList units;
    QStringList rotations;
    QStringList modes;
    const char* save;
    const char* keep;
  };
  for (const Case& c :
       {Case{"eng", {"Dot", "Inch", "cm", "mm"}, {"0", "90", "180", "270"},
             {"Origin", "Scaling", "Manual"}, "Save as", "Keep Scale"},
        Case{"chi", {"点(Dot)", "英寸", "厘米", "毫米"}, {"0", "右转90", "右转180", "右转270"},
             {"原始大小", "按比例缩放", "手动修改大小"}, "保存图片", "按比例缩放"}}) {
    SCOPED_TRACE(c.language);
    PictureRig rig(c.language);
    EXPECT_EQ(rig.dialog->size(), QSize(590, 580));
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
    rig.Browse(rig.MakePicture("photo.png", 406, 300));
    rig.Choose("PZoomModeCombo", 2);
    rig.Choose("PUnitCombo", 3);
    QDir().mkpath(VIDODEZ_ARTIFACTS_DIR);
    EXPECT_TRUE(rig.dialog->grab().toImage().save(
        QDir(VIDODEZ_ARTIFACTS_DIR).filePath(QStringLiteral("set-picture-%1.png").arg(c.language))));
  }
}

TEST(SetPictureWnd, UnitChoiceEnablesResolutionAndConvertsTheBoxes) {
  PictureRig rig;
  rig.Choose("PUnitCombo", 3);
  EXPECT_TRUE(rig.Control<QComboBox>("PResolutionCombo")->isEnabled());
  EXPECT_EQ(rig.Control<QLabel>("PWidthUnitLabel")->text(), "mm");
  EXPECT_EQ(rig.Text("PWidthEdit"), "7.5");  // 60 dots at 203 dpi
  rig.Choose("PResolutionCombo", 2);
  EXPECT_EQ(rig.Text("PHeightEdit"), "2.5");  // at 600 dpi
  rig.Choose("PUnitCombo", 2);
  EXPECT_EQ(rig.Text("PWidthEdit"), "0.25");
  rig.Choose("PUnitCombo", 0);
  EXPECT_FALSE(rig.Control<QComboBox>("PResolutionCombo")->isEnabled());
  EXPECT_EQ(rig.Text("PWidthEdit"), "60");
}

// The arithmetic has its own tests; these catch a box wired to the wrong
// side, the keep-scale option not reaching the size, or a typed box
// overwritten by its own echo.
TEST(SetPictureWnd, BrowseShowsTheSourceAndAManualWidthDrivesTheHeight) {
  PictureRig rig;
  const std::string path = rig.MakePicture("photo.png", 406, 200);
  rig.Browse(path);
  ASSERT_TRUE(rig.dialog->has_picture()) << rig.last_message();
  EXPECT_EQ(rig.Text("PFilePathEdit").toStdString(), path);
  EXPECT_EQ(rig.Text("PWidthPixelsValueEdit"), "406");
  EXPECT_EQ(rig.Text("PHeightPixelsValueEdit"), "200");
  EXPECT_EQ(rig.Text("PBppValueEdit"), "24");
  EXPECT_EQ(rig.Text("PWidthEdit"), "406");
  EXPECT_EQ(rig.Text("PHeightEdit"), "200");
  EXPECT_FALSE(rig.Control<QLabel>("PPreviewLabel")->pixmap().isNull());
  rig.Choose("PZoomModeCombo", 2);
  EXPECT_TRUE(rig.Control<QLineEdit>("PWidthEdit")->isEnabled());
  EXPECT_FALSE(rig.Control<QLineEdit>("PWidthScaleEdit")->isEnabled());
  rig.Choose("PUnitCombo", 3);
  EXPECT_EQ(rig.Text("PWidthEdit"), "50.8");
  // 25.4 mm is 203 dots, half the width, so half the height.
  rig.Type("PWidthEdit", "25.4");
  EXPECT_FLOAT_EQ(rig.dialog->picture_size().target_width, 203.0f);
  EXPECT_FLOAT_EQ(rig.dialog->picture_size().target_height, 100.0f);
  EXPECT_EQ(rig.Text("PHeightEdit"), "12.5");
  EXPECT_EQ(rig.Text("PWidthScaleEdit"), "50");
  EXPECT_EQ(rig.Text("PHeightScaleEdit"), "50");
  EXPECT_EQ(rig.Text("PWidthEdit"), "25.4") << "the typed box keeps its text";
}

TEST(SetPictureWnd, ScalingWithoutKeepScaleChangesOneSide) {
  PictureRig rig;
  rig.Browse(rig.MakePicture("photo.png", 406, 200));
  rig.Choose("PZoomModeCombo", 1);
  EXPECT_TRUE(rig.Control<QAbstractButton>("PZoomOp")->isEnabled());
  EXPECT_FALSE(rig.Control<QLineEdit>("PWidthEdit")->isEnabled());
  rig.SetKeepScale(false);
  rig.Type("PWidthScaleEdit", "50");
  EXPECT_EQ(rig.Text("PWidthEdit"), "203");
  EXPECT_EQ(rig.Text("PHeightEdit"), "200");
  EXPECT_EQ(rig.Text("PHeightScaleEdit"), "100");
  rig.SetKeepScale(true);
  rig.Type("PHeightScaleEdit", "25");
  EXPECT_EQ(rig.Text("PHeightEdit"), "50");
  EXPECT_EQ(rig.Text("PWidthEdit"), "102");  // 101.5 shown whole
  EXPECT_EQ(rig.Text("PWidthScaleEdit"), "25");
}

TEST(SetPictureWnd, NumberCheckRefusesWhatIsNoNumber) {
  PictureRig rig;
  rig.Browse(rig.MakePicture("photo.png", 406, 200));
  rig.Choose("PZoomModeCombo", 2);
  struct Case {
    const char* typed;
    bool refused;
  };
  for (const Case& c : {Case{"-", true}, Case{"5a", true}, Case{".5", true}, Case{"-5", false},
                        Case{"3.", false}, Case{"", false}}) {
    SCOPED_TRACE(c.typed);
    const std::size_t before = rig.messages();
    rig.Type("PWidthEdit", c.typed);
    EXPECT_EQ(rig.messages(), before + (c.refused ? 1 : 0));
    if (c.refused) {
      EXPECT_EQ(rig.last_message(), "Vaild value: 0~9");
      EXPECT_EQ(rig.dialogs.shown().back().caption.toStdString(), kProgramCaption);
      EXPECT_EQ(rig.Text("PWidthEdit"), "0");
      EXPECT_FLOAT_EQ(rig.dialog->picture_size().target_width, 0.0f);
    } else {
      EXPECT_EQ(rig.Text("PWidthEdit"), c.typed);
    }
  }
}

TEST(SetPictureWnd, SavesRotatedBlackAndWhitePcxAndHandsItsPath) {
  if (!test::MagickAvailable()) GTEST_SKIP() << "ImageMagick is not installed";
  PictureRig rig;
  rig.Browse(rig.MakePicture("photo.jpg", 800, 600));
  rig.Choose("PZoomModeCombo", 2);
  rig.Choose("PUnitCombo", 3);
  rig.SetKeepScale(false);
  rig.Type("PWidthEdit", "50");   // 399.6 dots, shown whole: 400
  rig.Type("PHeightEdit", "30");  // 239.8: 240
  rig.Choose("PRotateCombo", 1);
  const std::string out = rig.Save("label.pcx");
  EXPECT_FALSE(rig.dialog->isVisible());
  EXPECT_EQ(rig.receiver.handed, QStringList{QString::fromStdString(out)});

  test::MagickPicture saved;
  ASSERT_TRUE(test::MagickDecode(out, &saved));
  EXPECT_EQ(saved.width, 240);
  EXPECT_EQ(saved.height, 400);
  for (const std::uint8_t value : saved.rgb)
    ASSERT_TRUE(value == 0 || value == 255) << int(value);
  // The black left half of the picture, turned to the right, is on top.
  test::MagickPicture pixels;
  ASSERT_TRUE(test::NetpbmDecodePcx(out, &pixels));
  auto grey = [&pixels](int x, int y) { return pixels.rgb[std::size_t(y * pixels.width + x) * 3]; };
  EXPECT_EQ(grey(120, 20), 0);
  EXPECT_EQ(grey(20, 380), 255);
}

TEST(SetPictureWnd, OriginSavesTheSourceSizeWhateverWasTyped) {
  PictureRig rig;
  rig.Browse(rig.MakePicture("photo.png", 120, 80));
  rig.Choose("PZoomModeCombo", 2);
  rig.Type("PWidthEdit", "30");
  rig.Choose("PZoomModeCombo", 0);
  EXPECT_EQ(rig.Text("PWidthEdit"), "120");
  EXPECT_FALSE(rig.Control<QLineEdit>("PWidthEdit")->isEnabled());
  EXPECT_EQ(rig.SavedSize(rig.Save("origin.pcx")), QSize(120, 80));
}

// Closed without a save, the dialog hands over the picture chosen, so a
// ready-made PCX can be sent; the storage page refuses what it cannot send.
TEST(SetPictureWnd, ClosingWithoutASaveHandsOverTheChosenPicture) {
  struct Case {
    const char* name;
    bool choose_picture;
    const char* closer;
  };
  for (const Case& c : {Case{"nothing chosen", false, "PicClosebtn"},
                        Case{"picture chosen, closed", true, "PCancelbtn"},
                        Case{"save cancelled", true, "PSavebtn"}}) {
    SCOPED_TRACE(c.name);
    PictureRig rig;
    const std::string photo = c.choose_picture ? rig.MakePicture("photo.png", 50, 40) : "";
    if (c.choose_picture) rig.Browse(photo);
    rig.Click(c.closer);  // the scripted save dialog has no answer: cancelled
    EXPECT_FALSE(rig.dialog->isVisible());
    EXPECT_EQ(rig.receiver.handed, QStringList{QString::fromStdString(photo)});
    rig.dialog->reject();  // a second close hands nothing more
    EXPECT_EQ(rig.receiver.handed.size(), 1);
  }
}

// The save path's extension picks the format: ".bmp" writes a one-bit BMP,
// which is what the dialog hands over.
TEST(SetPictureWnd, SaveWritesTheFormatOfTheExtension) {
  PictureRig rig;
  rig.Browse(rig.MakePicture("photo.png", 64, 48));
  const std::string bmp = rig.Save("label.bmp");
  EXPECT_FALSE(rig.dialog->isVisible());
  EXPECT_EQ(rig.receiver.handed, QStringList{QString::fromStdString(bmp)});
  const std::string file = test::ReadFileBytes(bmp);
  ASSERT_GT(file.size(), 30u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(file[28], 1) << "bits a pixel";
  const QImage back(QString::fromStdString(bmp));
  ASSERT_EQ(back.size(), QSize(64, 48));
  EXPECT_EQ(qGray(back.pixel(5, 20)), 0);
  EXPECT_EQ(qGray(back.pixel(60, 40)), 255);
}

TEST(SetPictureWnd, SaveWithoutPictureRefusesAndStaysOpen) {
  PictureRig rig;
  const std::string out = rig.Save("never.pcx");
  EXPECT_EQ(rig.last_message(), "No file is found!");
  EXPECT_TRUE(rig.dialog->isVisible());
  EXPECT_TRUE(rig.receiver.handed.isEmpty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
}

TEST(SetPictureWnd, FailedLoadKeepsTheEarlierPicture) {
  PictureRig rig;
  const std::string good = rig.MakePicture("photo.png", 70, 30);
  rig.Browse(good);
  const std::string damaged = rig.folder.File("damaged.png");
  test::WriteFileBytes(damaged, "\x89PNG\r\n\x1a\n not really");
  const std::string unknown = rig.folder.File("notes.txt");
  test::WriteFileBytes(unknown, "text");
  for (const std::string& bad : {damaged, unknown, rig.folder.File("missing.png")}) {
    SCOPED_TRACE(bad);
    const std::size_t before = rig.messages();
    rig.Browse(bad);
    EXPECT_EQ(rig.messages(), before + 1) << "the operator learns the picture did not load";
    EXPECT_EQ(rig.Text("PFilePathEdit").toStdString(), good);
    EXPECT_EQ(rig.Text("PWidthPixelsValueEdit"), "70");
  }
  EXPECT_EQ(rig.SavedSize(rig.Save("kept.pcx")), QSize(70, 30));
}

// Catches a refused save that closes or hands over a file never written, a
// retry that turns the picture a second time, a name without extension
// written as typed, and a file replaced without asking.
TEST(SetPictureWnd, FailedSaveStaysOpenAndANameWithoutExtensionAsksBeforeReplacing) {
  PictureRig rig;
  const std::string photo = rig.MakePicture("photo.png", 64, 48);
  rig.Browse(photo);
  rig.Choose("PRotateCombo", 1);
  const std::string wmf = rig.Save("label.wmf");  // a format nothing here writes
  EXPECT_TRUE(rig.dialog->isVisible());
  EXPECT_EQ(rig.last_message(), "Pictures cannot be saved in this format.");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(wmf)));
  EXPECT_EQ(rig.dialog->result_path().toStdString(), photo) << "a file never written is not handed over";
  const std::string kept = rig.folder.File("label.pcx");
  test::WriteFileBytes(kept, "earlier file");
  rig.dialogs.QueueBoxAnswer(kBoxCancel);
  rig.Save("label");
  EXPECT_EQ(rig.last_message(), "The file already exists. Replace it?");
  EXPECT_EQ(test::ReadFileBytes(kept), "earlier file");
  EXPECT_TRUE(rig.dialog->isVisible()) << "declining keeps the dialog for another name";
  rig.dialogs.QueueBoxAnswer(kBoxOk);
  rig.Save("label");
  EXPECT_EQ(rig.receiver.handed, QStringList{QString::fromStdString(kept)});
  EXPECT_EQ(rig.SavedSize(kept), QSize(48, 64));
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
  rig.Type("PWidthScaleEdit", "1000");
  rig.Choose("PRotateCombo", 1);
  EXPECT_EQ(colours(), (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
  const QImage turned = preview->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(turned.pixel(turned.width() * 3 / 4, 5), qRgb(0, 0, 0)) << "the black left half is on top";
  EXPECT_EQ(turned.pixel(5, turned.height() - 5), qRgb(255, 255, 255));
  rig.Click("PPreviewBWOp");
  EXPECT_GT(colours().size(), 2u);
}

TEST(SetPictureWnd, TransparentPartsPreviewAndSaveAsWhite) {
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
  const GreyBitmap saved = rig.ReadSaved(rig.Save("logo.pcx"));
  EXPECT_EQ(saved.At(1, 1), kWhite);
  EXPECT_EQ(saved.At(20, 20), kBlack);
}

}  // namespace
}  // namespace vidodez::gui
