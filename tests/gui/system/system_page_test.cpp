#include "gui/system/sys_config_ui.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTextBrowser>
#include <QTimer>

#include "core/shell/program_version.h"
#include "gui/system/about_wnd.h"
#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

QStringList Items(QWidget* root, const char* name) {
  auto* combo = FindControl<QComboBox>(root, name);
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

void Choose(QWidget* root, const char* name, int index) {
  auto* combo = FindControl<QComboBox>(root, name);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

TEST(SystemPage, StartLanguageChoosesTheUnitAndTheChoiceReachesTheLink) {
  struct Case {
    const char* locale;
    int unit;
    const char* unit_text;
  };
  for (const Case& c : {Case{"zh_CN", 2, "毫米"}, Case{"en_GB", 0, "Dot"}}) {
    SCOPED_TRACE(c.locale);
    test::FrameRig rig(c.locale);
    EXPECT_EQ(rig.frame().comm().GetUnit(), c.unit);
    PageUI* page = rig.frame().page(kPageSystem);
    EXPECT_EQ(FindControl<QComboBox>(page, "UnitCmb")->currentText().toStdString(), c.unit_text);
    rig.Click("SystermConfiguration");
    Choose(page, "UnitCmb", 1);
    EXPECT_EQ(rig.frame().comm().GetUnit(), 1);
  }
}

TEST(SystemPage, ChoosingEnglishRelabelsListsPageAndFrame) {
  test::FrameRig rig("zh_CN");
  rig.Click("SystermConfiguration");
  PageUI* page = rig.frame().page(kPageSystem);
  EXPECT_EQ(Items(page, "LanguageCmb"), (QStringList{"中文", "英文"}));
  Choose(page, "LanguageCmb", 1);
  EXPECT_EQ(rig.frame().comm().GetLanguage(), "eng");
  EXPECT_EQ(Items(page, "LanguageCmb"), (QStringList{"Chinese", "English"}));
  EXPECT_EQ(Items(page, "UnitCmb"), (QStringList{"Dot", "Inch", "mm"}));
  EXPECT_EQ(FindControl<QComboBox>(page, "LanguageCmb")->currentIndex(), 1);
  // The unit chosen at start holds when only the language changes.
  EXPECT_EQ(FindControl<QComboBox>(page, "UnitCmb")->currentIndex(), 2);
  EXPECT_EQ(FindControl<QAbstractButton>(page, "HelpBtn")->text().toStdString(), "Help");
  EXPECT_EQ(FindControl<QAbstractButton>(&rig.frame(), "SetPrinterNic")->text().toStdString(),
            "Network ");
  EXPECT_EQ(FindControl<QLabel>(&rig.frame(), "VerNote")->text().toStdString(),
            "Applies to printers with V1.52 and higher firmware versions.");
  // Back to Chinese: every frame text follows.
  Choose(page, "LanguageCmb", 0);
  EXPECT_EQ(FindControl<QAbstractButton>(&rig.frame(), "SetPrinterNic")->text().toStdString(),
            "网络设置");
  // Another page takes the language when it is shown next.
  rig.Click("FileManagement");
  EXPECT_EQ(
      FindControl<QLabel>(rig.frame().page(kPageStorage), "FMPortHintLabel")->text().toStdString(),
      "端口");
}

// Without a desktop handler the program shows the same file itself.
TEST(SystemPage, HelpOpensTheLanguagesFileElseShowsItInTheProgramsViewer) {
  struct Case {
    const char* locale;
    const char* file;
    const char* title;
    const char* text;
  };
  for (const Case& c : {Case{"en_US", "Virizor_OD.evi", "Help", "Storage"},
                        Case{"zh_TW", "Zudovad_EV.ize", "帮助", "存储"}}) {
    SCOPED_TRACE(c.locale);
    test::FrameRig rig(c.locale);
    rig.Click("SystermConfiguration");
    rig.Click("HelpBtn");
    ASSERT_EQ(rig.dialogs.opened_urls().size(), 1);
    EXPECT_EQ(rig.dialogs.opened_urls().front().toStdString(),
              QUrl::fromLocalFile(QDir(VIDODEZ_TEST_PROGRAM_FOLDER).filePath(c.file))
                  .toString()
                  .toStdString());
    rig.dialogs.SetOpenUrlResult(false);
    rig.Click("HelpBtn");
    const QDialog* viewer =
        dynamic_cast<SysConfigUI*>(rig.frame().page(kPageSystem))->help_viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle().toStdString(), c.title);
    EXPECT_TRUE(viewer->findChild<QTextBrowser*>("HelpBrowser")->toPlainText().contains(c.text));
  }
  EXPECT_TRUE(HelpPath("/opt/x", "fr").isEmpty());
}

TEST(AboutWindow, ShowsVersionAndOpensTheSiteLink) {
  test::FrameRig rig("en_US");
  CAboutWnd about(test::BuiltSkins(), rig.dialogs, "eng", &rig.frame());
  EXPECT_TRUE(FindControl<QLabel>(&about, "AoutCopyrightText")->text().contains(kProgramVersion));
  auto* site = FindControl<QLabel>(&about, "SiteLabel");
  const QString target = "https://www.marlix-printers.example";
  EXPECT_TRUE(site->text().contains(target));
  EXPECT_TRUE(test::UserClickLink(site));
  EXPECT_EQ(rig.dialogs.opened_urls(), QStringList{target});
  about.show();
  test::UserClick(FindControl<QAbstractButton>(&about, "AOKBtn"));
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace vidodez::gui
