// The jobs the window's pages and the command line send, each through the
// page model both of them run, and the label each one prints.

#include <gtest/gtest.h>

#include "core/config/settings_page.h"
#include "core/font/font_download_page.h"
#include "core/graphic/pcx_codec.h"
#include "core/link/port_names.h"
#include "core/storage/storage_page.h"
#include "label_capture.h"
#include "support/expect_code.h"
#include "support/scoped_env.h"
#include "support/scripted_operator.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

class PageJobs : public ::testing::Test {
 protected:
  PageJobs() : working_(work_.path()), desktop_("VIDODEZ_DESKTOP", work_.File("Desktop").c_str()) {
    sim::PrinterOptions options = test::PrinterOnPort(1);
    options.label_sink = capture_.Sink();
    bus_.AddPrinter(options);
  }

  const std::string printer_ = DisplayName(1, "MarliXPrinters VT-4100");
  test::TempDir work_;
  test::ScopedWorkingFolder working_;
  test::ScopedEnv desktop_;
  sim::LabelCapture capture_;
  test::SimBus bus_;
  CPrinterComm comm_{bus_.usb()};
  test::ScriptedOperator op_;
};

TEST_F(PageJobs, SettingsPageTestPagePrintsTheSelfTestLabel) {
  SettingsPage page;
  page.printer = printer_;
  ASSERT_CODE(0, page.PrintTestPage(comm_, op_));
  EXPECT_EQ(capture_.Kinds(), std::vector<std::string>{"self-test"});
}

// Print Test after a download, in both languages: the font's rows, nothing
// skipped.
TEST_F(PageJobs, FontPagePrintTestPrintsTheDownloadedFont) {
  test::WriteFileBytes(work_.File("DEJAVU.ttf"), test::ReadFileBytes(sim::kDownloadFontPath));
  for (FontCommandType type : {FontCommandType::VRLE, FontCommandType::VRLZ}) {
    FontDownloadPage page;
    page.printer = printer_;
    page.command_type = type;
    op_.AnswerFile(work_.File("DEJAVU.ttf"));
    ASSERT_CODE(kFontOk, page.Browse(comm_, op_));
    op_.AnswerConfirm(true);
    ASSERT_CODE(kFontOk, page.Download(comm_, op_));
    ASSERT_CODE(kFontOk, page.PrintTest(comm_, op_));
  }
  const auto labels = capture_.Labels();
  ASSERT_EQ(labels.size(), 2u);
  for (const auto& label : labels) {
    EXPECT_EQ(label.kind, "font-test");
    EXPECT_TRUE(label.skipped.empty()) << label.skipped[0];
    EXPECT_GT(label.bitmap.CountBlack(), 0);
  }
}

// The graphic store's test print, Print Selected Image and Print Selected
// Form: nothing skipped, every label printed.
TEST_F(PageJobs, StoragePagePrintsStoredGraphicsAndForms) {
  GreyBitmap picture{16, 16, std::vector<std::uint8_t>(256, kBlack)};
  std::vector<std::uint8_t> pcx;
  ASSERT_EQ(0, EncodePcx(picture, 203, &pcx));
  test::WriteFileBytes(work_.File("LOGO.pcx"), std::string(pcx.begin(), pcx.end()));
  StoragePage page;
  page.printer = printer_;
  page.SetFileType(1);
  page.SetChosenPicture(work_.File("LOGO.pcx"));
  op_.AnswerConfirm(true);
  ASSERT_CODE(kStorageOk, page.SendFile(comm_, op_));
  page.command_text = "FS\"F1\"\nN\nA50,50,0,3,1,1,N,\"FORM\"\nFE";
  ASSERT_CODE(kStorageOk, page.SendCommandText(comm_, op_));
  page.graphics = {{"LOGO"}, 0, true};
  page.forms = {{"F1"}, 0, true};
  ASSERT_CODE(kStorageOk, page.PrintSelected(comm_, op_, StoredKind::kGraphic));
  ASSERT_CODE(kStorageOk, page.PrintSelected(comm_, op_, StoredKind::kForm));
  EXPECT_EQ(capture_.Kinds(), (std::vector<std::string>{"graphic", "graphic", "form"}));
  for (const auto& label : capture_.Labels()) {
    EXPECT_TRUE(label.skipped.empty()) << label.skipped[0];
    EXPECT_GT(label.bitmap.CountBlack(), 0);
  }
}

}  // namespace
}  // namespace vidodez
