// A long firmware upload to a slow printer: the page shows how far it is,
// holds its buttons and its list, is never stopped half-way, not even by a
// close, and says afterwards in its progress area what came of it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <functional>
#include <string>

#include "gui/firmware/firmware_upgrade_ui.h"
#include "gui_fixture.h"
#include "support/firmware_image.h"

namespace vidodez::gui {
namespace {

constexpr size_t kImageSize = 4 << 20;
constexpr char kButton[] = "FirmareBtn_1";  // the folder's only row: the image

class LongUpload : public ::testing::Test, public test::ControlDriver {
 protected:
  // A printer on USB port 1 that takes `rate` bytes a second, the firmware
  // page shown, and a stamped image of kImageSize in the list.
  sim::SimPrinter& SlowPrinter(uint64_t rate) {
    std::string body(kImageSize - 48, '\0');
    for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 131 >> 7);
    test::WriteFileBytes(rig_.firmware.File("P9.bin"), test::FirmwareImage("", body));
    auto& printer = rig_.ShowWithPrinter("FirmwareUpgrade", rate);
    image_ = test::ReadFileBytes(rig_.firmware.File("P9.bin"));  // stamped by now
    return printer;
  }
  QWidget* driven() override { return rig_.frame().page(kPageFirmware); }
  std::string Outcome() { return Control<QLabel>("FUTransferLabel")->text().toStdString(); }

  test::FrameRig rig_;
  std::string image_;
};

// Catches progress not shown, buttons that could start a second upload or a
// query, and a list rebuilt under the upload by a switch to the page.
TEST_F(LongUpload, ShowsProgressAndHoldsThePageUntilTheEnd) {
  auto& printer = SlowPrinter(8 << 20);
  auto* bar = Control<QProgressBar>("FUTransferBar");
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isVisible());
  bool switched = false;
  const auto seen = rig_.ClickAndWatch(
      kButton, bar, {Control<QWidget>("FUGetInfoBtn"), Control<QWidget>(kButton)}, [&] {
        if (switched) return;
        switched = true;
        rig_.Click("FileManagement");
        rig_.Click("FirmwareUpgrade");
      });
  EXPECT_TRUE(switched);
  EXPECT_TRUE(seen.held);
  EXPECT_GT(seen.between, 0);
  EXPECT_TRUE(seen.progress.endsWith(" of 4.0 MiB")) << seen.progress.toStdString();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(Control<QWidget>("FUGetInfoBtn")->isEnabled());
  EXPECT_TRUE(Control<QWidget>(kButton)->isEnabled());
  EXPECT_EQ(Outcome(),
            "The whole file was sent. Watch the printer's status and lamps until it is ready "
            "again.");
  EXPECT_TRUE(printer.WireText() == image_);
  EXPECT_EQ(printer.TransferSizes().size(), kImageSize / 1024);
}

// Catches a close that cuts an upload short: the image goes out whole, and
// only then does the program end.
TEST_F(LongUpload, AClosedWindowWaitsForTheWholeImage) {
  auto& printer = SlowPrinter(8 << 20);
  test::SignalCounter quit(&rig_.frame(), &CDialogFrameWnd::quitRequested);
  int quit_while_uploading = -1;
  rig_.ClickAndWatch(kButton, nullptr, {}, [&] {
    if (quit_while_uploading >= 0 || printer.TransferSizes().empty()) return;
    rig_.Click("Closebtn");
    quit_while_uploading = quit.count();
  });
  EXPECT_EQ(quit_while_uploading, 0);
  EXPECT_EQ(quit.count(), 1);
  EXPECT_TRUE(printer.WireText() == image_);
  EXPECT_TRUE(rig_.dialogs.shown().size() == 1u);  // the question only
}

// Catches an upload whose broken end reads like a whole one.
TEST_F(LongUpload, APrinterGoneHalfWayIsSaidInTheProgressArea) {
  auto& printer = SlowPrinter(8 << 20);
  bool unplugged = false;
  rig_.ClickAndWatch(kButton, nullptr, {}, [&] {
    if (unplugged || printer.TransferSizes().empty()) return;
    unplugged = true;
    printer.Unplug();
  });
  ASSERT_TRUE(unplugged);
  const std::string broken = "The upload stopped before the whole file was sent.";
  EXPECT_EQ(Outcome().substr(0, broken.size()), broken);
  EXPECT_EQ(rig_.dialogs.shown().size(), 1u);  // no box of its own
  EXPECT_LT(printer.Wire().size(), kImageSize);
}

}  // namespace
}  // namespace vidodez::gui
