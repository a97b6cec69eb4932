#include "gui/frame/dialog_frame_wnd.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>

#include "gui/frame/page_tour.h"
#include "gui/pages/selector_pages.h"
#include "gui/settings/printer_config_ui.h"
#include "gui/storage/file_management_ui.h"
#include "gui_fixture.h"
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

using Routines = std::vector<std::string>;

// The operator sees the frame, in the start language, before any page is
// built; the system page (it sets the unit the settings page starts in) and
// the settings page start right after that first paint, and hear of the
// shown window then. The hidden pages start when first opened.
TEST(MainFrame, ShowsTheFrameFirstThenStartsTheSystemAndSettingsPages) {
  test::FrameRig rig("zh_CN", /*finish_start=*/false);
  EXPECT_TRUE(rig.routines.empty());
  EXPECT_EQ(rig.frame().comm().GetLanguage(), "chi");
  EXPECT_EQ(FindControl<QAbstractButton>(&rig.frame(), "PrinterConfiguration")->text(),
            QString::fromUtf8("功能设置"));
  EXPECT_FALSE(rig.frame().findChild<PrinterConfigUI*>()->skin_built());
  test::SignalCounter started(&rig.frame(), &CDialogFrameWnd::started);
  rig.frame().show();
  ASSERT_TRUE(started.Wait(10000));
  EXPECT_EQ(rig.routines, (Routines{"init:6", "init:0", "texts:0", "texts:6", "notify:0"}));
  EXPECT_TRUE(rig.frame().findChild<PrinterConfigUI*>()->skin_built());
  EXPECT_FALSE(rig.frame().findChild<FileManagementUI*>()->skin_built());
  EXPECT_EQ(rig.frame().current_page_code(), kPageSettings);
}

// A page handed something before the window has painted (a chosen picture,
// the page tour) is built after the two pages that start with the window.
TEST(MainFrame, NeedingAPageBeforeTheFirstPaintFinishesTheStartFirstAndOnce) {
  test::FrameRig rig("en_US", /*finish_start=*/false);
  test::SignalCounter started(&rig.frame(), &CDialogFrameWnd::started);
  ASSERT_NE(rig.frame().page(kPageFonts), nullptr);
  EXPECT_EQ(rig.routines, (Routines{"init:6", "init:0", "texts:0", "texts:6", "init:3"}));
  rig.routines.clear();
  rig.frame().show();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(started.count(), 1);
  EXPECT_EQ(rig.routines, (Routines{"notify:0"}));  // the window's init, to the shown page
}

TEST(MainFrame, SystemPageContactsNoPrinterWhileTheTimerRuns) {
  test::FrameRig rig;
  rig.bus.AddPrinter(test::PrinterOnPort(1));
  rig.frame().show();
  ASSERT_TRUE(rig.frame().refresh_running());
  rig.Click("SystermConfiguration");
  const int enumerations = rig.usb.enumerations;
  const int opens = rig.usb.opens;
  rig.frame().RefreshShownPage();
  rig.frame().RefreshShownPage();
  EXPECT_EQ(rig.usb.enumerations, enumerations);
  EXPECT_EQ(rig.usb.opens, opens);
  EXPECT_TRUE(rig.frame().refresh_running());
  // Back on a selector page, the tick reaches the printer again.
  rig.Click("FontDownload");
  const int after_switch = rig.usb.opens;
  rig.frame().RefreshShownPage();
  EXPECT_GT(rig.usb.opens, after_switch);
}

TEST(MainFrame, TabSwitchRestartsAStoppedRefreshExceptForTheSystemPage) {
  test::FrameRig rig;
  rig.frame().show();
  rig.frame().StopRefresh();
  rig.Click("SystermConfiguration");
  EXPECT_FALSE(rig.frame().refresh_running());
  rig.Click("FileManagement");
  EXPECT_TRUE(rig.frame().refresh_running());
}

TEST(MainFrame, MinbtnNeverReachesThePageOtherClicksDo) {
  test::FrameRig rig;
  rig.frame().show();
  rig.routines.clear();
  rig.Click("Minbtn");
  EXPECT_TRUE(rig.routines.empty());
  rig.Click("AdvPCDropBtn");
  EXPECT_EQ(rig.routines, (Routines{"notify:0"}));
}

// By the close button or by the system, a close stops the refresh and asks
// once to quit, without reaching a page.
TEST(MainFrame, ClosebtnAndSystemCloseStopTheRefreshAndQuit) {
  for (const bool by_button : {true, false}) {
    SCOPED_TRACE(by_button);
    test::FrameRig rig;
    rig.frame().show();
    test::SignalCounter quit(&rig.frame(), &CDialogFrameWnd::quitRequested);
    rig.routines.clear();
    if (by_button) rig.Click("Closebtn");
    else rig.frame().close();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_FALSE(rig.frame().refresh_running());
    EXPECT_TRUE(rig.routines.empty());
  }
}

// The headless demo's tour opens the six pages through their option buttons
// and leaves a picture of the window on each, in tab order, and its labels'
// texts.
TEST(MainFrame, PageTourSavesAPictureOfEveryPage) {
  test::TempDir dir;
  test::FrameRig rig("en_US", /*finish_start=*/false);
  PageTour tour(rig.frame(), QString::fromStdString(dir.File("shots")), 0);
  QStringList saved;
  bool done = false;
  tour.Start([&](const QStringList& files) {
    saved = files;
    done = true;
  });
  rig.frame().show();
  test::RunEventsUntil([&] { return done; }, 5000);
  ASSERT_TRUE(done);
  ASSERT_EQ(saved.size(), 6);
  EXPECT_TRUE(saved[4].endsWith("/5-FileManagement.png")) << saved[4].toStdString();
  for (const QString& path : saved) {
    EXPECT_EQ(QImage(path).size(), rig.frame().size()) << path.toStdString();
  }
  // Beside each picture, what its labels showed: the storage page's printer
  // selector among them.
  const std::string texts = test::ReadFileBytes(dir.File("shots/5-FileManagement.txt"));
  EXPECT_NE(texts.find("Interface\n"), std::string::npos) << texts;
  EXPECT_EQ(rig.frame().current_page_code(), kPageSystem);
}

}  // namespace
}  // namespace vidodez::gui
