// Skins and code agree: every control a window binds or looks up by name is
// in its skin, of the kind the code takes it for. The windows are walked
// through in both languages, with a printer, and each lookup that finds
// nothing fails here instead of being skipped without a sound.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <string>
#include <vector>

#include "core/shell/log.h"
#include "gui/guides/setting_guides.h"
#include "gui/picture/set_picture_wnd.h"
#include "gui/system/about_wnd.h"
#include "gui/window/message_box.h"
#include "gui/window/wait_window.h"
#include "gui_fixture.h"
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

std::vector<std::string>* g_missing = nullptr;

void CollectMissing(LogLevel, std::string_view message) {
  if (g_missing != nullptr && message.starts_with("skin lacks control"))
    g_missing->emplace_back(message);
}

// What the lookups of its lifetime could not find.
class MissingControls {
 public:
  MissingControls() {
    g_missing = &missing_;
    SetLogSink(CollectMissing);
  }
  ~MissingControls() {
    SetLogSink(nullptr);
    g_missing = nullptr;
  }
  const std::vector<std::string>& missing() const { return missing_; }

 private:
  std::vector<std::string> missing_;
};

class NoPictures final : public PictureReceiver {
 public:
  void HandChosenPicture(const QString&) override {}
};

void Choose(QWidget* root, const char* name, int index) {
  auto* combo = FindControl<QComboBox>(root, name);
  ASSERT_NE(combo, nullptr) << name;
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

// The frame and its six pages: built, shown, refreshed, their texts set and
// their controls stored to their models and loaded back.
void WalkTheFrame(const std::string& locale) {
  test::FrameRig rig(locale);
  rig.AddReadyPrinter();
  rig.AddSampleFirmware();
  rig.frame().show();
  for (const QString& option : CDialogFrameWnd::PageOptions()) {
    rig.Click(option);
    rig.frame().RefreshShownPage();
  }
  rig.Click("PrinterConfiguration");
  rig.Click("SAdvResetSetting");
  Choose(rig.frame().page(kPageSettings), "SDarkNessCombo", 3);
  rig.Click("FirmwareUpgrade");
  rig.Click("FUGetInfoBtn");
  rig.dialogs.QueueBoxAnswer(kBoxCancel);
  rig.Click("FirmareBtn_2");
  rig.Click("FileManagement");
  Choose(rig.frame().page(kPageStorage), "FileType", 1);
  rig.dialogs.QueueBoxAnswer(kBoxCancel);
  rig.Click("DelSelFormBtn");
  Choose(rig.frame().page(kPageStorage), "FileType", 0);
  rig.Click("SetPrinterNic");
  Choose(rig.frame().page(kPageNetwork), "WirelessModeCombo", 0);
  Choose(rig.frame().page(kPageNetwork), "SecurityModeCombo", 1);
  rig.Click("WifiSettingOp");
  rig.Click("NicSettingBtn");  // refused: no network name
  rig.Click("SystermConfiguration");
  Choose(rig.frame().page(kPageSystem), "LanguageCmb", locale == "zh_CN" ? 1 : 0);
}

// The dialogs the pages open, each as the operator meets it.
void WalkTheDialogs(const std::string& language) {
  test::TempDir dir;
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::black);
  ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("photo.png"))));
  ScriptedDialogService dialogs;
  NoPictures pictures;
  CSetPictureWnd picture_wnd(test::BuiltSkins(), dialogs, language, pictures, nullptr);
  dialogs.QueueFile(QString::fromStdString(dir.File("photo.png")));
  test::UserClick(FindControl<QAbstractButton>(&picture_wnd, "PBrowseBtn"));
  test::UserClick(FindControl<QAbstractButton>(&picture_wnd, "PPreviewBWOp"));
  Choose(&picture_wnd, "PUnitCombo", 3);
  Choose(&picture_wnd, "PZoomModeCombo", 2);

  CTearoffSettingHelpWnd tear(test::BuiltSkins(), language, nullptr);
  CCutterSettingHelpWnd cutter(test::BuiltSkins(), language, nullptr);
  test::UserClick(FindControl<QAbstractButton>(&cutter, "HelpCuttNumber"));
  CPeeloffSettingHelpWnd peel(test::BuiltSkins(), language, nullptr);
  CContineAddPrintHelpWnd after_error(test::BuiltSkins(), language, nullptr);
  CAboutWnd about(test::BuiltSkins(), dialogs, language, nullptr);
  CMarliXMsgBox box(test::BuiltSkins(), nullptr, "text", "caption", kBoxTypeOkCancel, language);
  CDateAccessWnd wait(test::BuiltSkins(), 0, 0, true, language, nullptr);
  wait.StartCountdown(1000, 3);
}

TEST(SkinControls, EveryControlTheWindowsLookUpIsInTheSkins) {
  MissingControls lookups;
  for (const auto& [locale, language] : {std::pair{"en_US", "eng"}, std::pair{"zh_CN", "chi"}}) {
    SCOPED_TRACE(language);
    WalkTheFrame(locale);
    WalkTheDialogs(language);
  }
  EXPECT_EQ(lookups.missing(), std::vector<std::string>{});
}

// The walk above can only fail if a missing control is noted at all.
TEST(SkinControls, AControlTheSkinLacksIsNoted) {
  MissingControls lookups;
  QWidget root;
  root.setObjectName("Root");
  auto* label = new QLabel(&root);
  label->setObjectName("TitleLabel");
  EXPECT_EQ(FindControl<QLabel>(&root, "TitleLabel"), label);
  EXPECT_TRUE(lookups.missing().empty());
  EXPECT_EQ(FindControl<QAbstractButton>(&root, "TitleLabel"), nullptr) << "of another kind";
  SetControlTexts(&root, "Edit", "NameEdit", "x");
  EXPECT_EQ(lookups.missing(), (std::vector<std::string>{
                                   "skin lacks control TitleLabel (QAbstractButton) in Root: Root",
                                   "skin lacks control NameEdit (QLineEdit) in Root: Root"}));
}

}  // namespace
}  // namespace vidodez::gui
