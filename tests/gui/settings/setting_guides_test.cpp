// The setting guides: their names, their texts in both languages, the cut
// guide's tabs and the close button.
#include "gui/guides/setting_guides.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QStackedWidget>
#include <memory>

#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

template <typename W>
std::unique_ptr<SettingGuideWnd> Make(const std::string& language) {
  return std::make_unique<W>(test::BuiltSkins(), language, nullptr);
}

struct Guide {
  const char* help_button;
  std::unique_ptr<SettingGuideWnd> (*make)(const std::string& language);
  const char* class_name;
  const char* close_button;
  const char* title_label;
  const char* eng_title;
  const char* chi_title;
};

constexpr Guide kGuides[] = {
    {"STearOffHelpBtn", Make<CTearoffSettingHelpWnd>, "TearoffSettingHelpWnd",
     "TearOffHelpWndClosebtn", "TearoffHelpWndTitleLabel", "Tear-off Settings Guide",
     "撕纸设置帮助"},
    {"SCutterHelpBtn", Make<CCutterSettingHelpWnd>, "CutterSettingHelpWnd", "CutterHelpWndClosebtn",
     "CutterHelpWndTitleLabel", "Cutter Settings Guide", "切纸设置帮助"},
    {"SPeelOffHelpBtn", Make<CPeeloffSettingHelpWnd>, "CPeeloffSettingHelpWnd",
     "PeelOffHelpWndClosebtn", "PearoffHelpWndTitleLabel", "Peerling Settings Guide",
     "剥纸设置帮助"},
    {"AddContinPrintHelpBtn", Make<CContineAddPrintHelpWnd>, "CContineAddPrintHelpWnd",
     "PeelOffHelpWndClosebtn", "PearoffHelpWndTitleLabel",
     "After Error,continue with:", "补/续打设置帮助"},
};

// Catches a guide whose skin did not build, whose title stays in the skin's
// language, or whose close button does not close it.
TEST(SettingGuides, EachBuildsInBothLanguagesAndCloses) {
  for (const Guide& g : kGuides) {
    SCOPED_TRACE(g.class_name);
    EXPECT_TRUE(IsGuideButton(g.help_button));
    for (const char* language : {"eng", "chi"}) {
      SCOPED_TRACE(language);
      auto guide = g.make(language);
      ASSERT_TRUE(guide->skin_built());
      EXPECT_EQ(guide->objectName(), g.class_name);
      auto* title = FindControl<QLabel>(guide.get(), g.title_label);
      ASSERT_NE(title, nullptr);
      EXPECT_TRUE(title->text().contains(
          QString::fromUtf8(std::string(language) == "eng" ? g.eng_title : g.chi_title)))
          << title->text().toStdString();
      guide->open();
      ASSERT_TRUE(guide->isVisible());
      // For looking at, beside the frame's screenshots.
      QDir().mkpath(VIDODEZ_ARTIFACTS_DIR);
      guide->grab().save(
          QString(VIDODEZ_ARTIFACTS_DIR "/guide-%1-%2.png").arg(g.class_name, language));
      auto* close = FindControl<QAbstractButton>(guide.get(), g.close_button);
      ASSERT_NE(close, nullptr);
      test::UserClick(close);
      EXPECT_FALSE(guide->isVisible());
      EXPECT_EQ(guide->result(), QDialog::Accepted);
    }
  }
}

// Catches tabs whose sub-skins never loaded, or options that do not switch.
TEST(SettingGuides, CutGuideOptionsSwitchItsTabs) {
  CCutterSettingHelpWnd guide(test::BuiltSkins(), "eng", nullptr);
  auto* tabs = FindControl<QStackedWidget>(&guide, "Cutterswitch");
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 3);
  struct Case {
    const char* option;
    int tab;
    const char* text_label;
    const char* text;
  } cases[] = {{"HelpCuttNumber", 1, "CutOneText", "Frequency set to 1"},
               {"HelpCutterStopPos", 2, "CutWrongStopPosText", "0 to 60"},
               {"HelpCutOffSet", 0, "CuttingCorrPosPicLabel", "Correct"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    auto* option = FindControl<QAbstractButton>(&guide, c.option);
    ASSERT_NE(option, nullptr);
    test::UserClick(option);
    EXPECT_EQ(tabs->currentIndex(), c.tab);
    auto* text = FindControl<QLabel>(tabs->currentWidget(), c.text_label);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text().contains(c.text)) << text->text().toStdString();
  }
}

}  // namespace
}  // namespace vidodez::gui
