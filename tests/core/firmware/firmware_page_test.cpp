// The firmware page's operations against a simulated printer, checked on the
// wire and by the messages the operator was shown.

#include "core/firmware/firmware_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "core/config/config_codes.h"
#include "core/config/settings_page_texts.h"
#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_image.h"
#include "core/firmware/firmware_texts.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/link/status_tables.h"
#include "support/expect_code.h"
#include "support/scripted_operator.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

constexpr char kPrinterId[] = "VT41-0152";  // the simulated printer's firmware ID

// An unstamped image for `part`: the version in the header's unread bytes
// (where the simulated printer takes it from), then `body_size` bytes.
std::string Image(const std::string& part, const std::string& version, size_t body_size) {
  std::string image = part;
  image.resize(kChecksumOffset + kChecksumSize, '\0');
  std::string unread = version;
  unread.resize(kImageBodyOffset - image.size(), '\0');
  image += unread;
  for (size_t i = 0; i < body_size; ++i) image.push_back(static_cast<char>(i * 7 + 3));
  return image;
}

class FirmwarePageTest : public ::testing::Test {
 protected:
  FirmwarePageTest() {
    page_.folders = {folder_.path()};
    options_.upgrade_step = std::chrono::seconds(1);
  }
  sim::SimPrinter& Printer() {
    page_.printer = DisplayName(options_.port_number, "MarliXPrinters VT-4100");
    return bus_.AddPrinter(options_);
  }
  // The button of the file row at `relative_path`, after a refresh.
  std::string Button(const std::string& relative_path) {
    page_.RefreshList();
    for (const FirmwareListNode& row : page_.rows)
      if (row.relative_path == relative_path) return row.button_name;
    ADD_FAILURE() << "no row " << relative_path;
    return {};
  }
  // Every message shown, in order, as "table:index", questions (with OK and
  // Cancel) marked by a trailing "?".
  std::string Shown() const {
    std::string shown;
    for (const auto& m : op_.shown())
      shown += std::string(shown.empty() ? "" : ",") + m.table + ":" + std::to_string(m.index) +
               (m.question ? "?" : "");
    return shown;
  }
  // Waits for the printer's status index to become `index`.
  bool WaitForStatus(int index) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < give_up) {
      if (comm_.GetPrinterStatus(page_.printer) == index) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  test::TempDir folder_;
  test::SimBus bus_;
  sim::PrinterOptions options_;
  CPrinterComm comm_{bus_.usb()};
  test::ScriptedOperator op_;
  FirmwareUpgradePage page_;
};

std::string Firmware(FirmwareText text, bool question) {
  return std::string(kFirmwareTable) + ":" + std::to_string(static_cast<int>(text)) +
         (question ? "?" : "");
}
std::string Query(int index) {
  return std::string(kQueryResultTable) + ":" + std::to_string(index);
}

// A reply without settings (the first half of a split one) showed the last
// printer's version and ID and said "Please check the port!" on the command
// line: it shows the cleared record and says the reply held no settings.
TEST_F(FirmwarePageTest, GetInfoShowsWhatTheReplyHolds) {
  const std::string no_settings =
      std::string(kSettingsTable) + ":" +
      std::to_string(static_cast<int>(SettingsText::kReplyHoldsNoSettings));
  struct Case {
    const char* what;
    sim::ReplyMode mode;
    std::string printer;  // "" keeps the simulated printer chosen
    int code;
    std::string shown;
    const char* version;
    const char* id;
  } cases[] = {
      {"no reply", sim::ReplyMode::kNone, "", kQueryNoReply, Query(2), "", ""},
      {"empty reply", sim::ReplyMode::kEmpty, "", kQueryEmptyReply, Query(3), "", ""},
      {"a COM port", sim::ReplyMode::kNormal, "COM1", kNoUsablePrinter, Query(0), "", ""},
      // A printer that does not open is no query's answer: nothing shown.
      {"not plugged", sim::ReplyMode::kNormal, "USB07 [MarliXPrinters VT-4100]\n",
       kNoSuchUsbPrinter, "", "", ""},
      {"ready", sim::ReplyMode::kNormal, "", kPortOk, "", "V1.52", kPrinterId},
      {"no settings", sim::ReplyMode::kSplit, "", kSettingsReplyUnmarked, no_settings, "V", ""}};
  auto& printer = Printer();
  const std::string chosen = page_.printer;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    printer.SetReplyMode(c.mode);
    page_.printer = c.printer.empty() ? chosen : c.printer;
    op_ = {};
    EXPECT_CODE(c.code, page_.GetInfo(comm_, op_));
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(page_.info.version, c.version);
    EXPECT_EQ(page_.info.id, c.id);
  }
  EXPECT_WIRE(printer, "^G1\r\n\r\n^G1\r\n\r\n^G1\r\n\r\n^G1\r\n\r\n");
}

TEST_F(FirmwarePageTest, UpgradeAsksThenSendsTheFileWholeOrNothing) {
  auto& printer = Printer();
  const std::string image = Image("VT41-0152", "", 3000 - kImageBodyOffset);
  WriteFileBytes(folder_.File("P1.bin"), image);
  WriteFileBytes(folder_.File("gone.txt"), "^XA");
  const std::string bin = Button("P1.bin"), gone = Button("gone.txt");
  ASSERT_EQ(0, std::remove(folder_.File("gone.txt").c_str()));
  const std::string stamped = ReadFileBytes(folder_.File("P1.bin"));
  ASSERT_NE(stamped.substr(16, 4), std::string(4, '\0'));

  const auto ask = Firmware(FirmwareText::kConfirmImage, true);
  const std::string not_found = Firmware(FirmwareText::kFileNotFound, true);
  const std::string unopened = ask + "," + Firmware(FirmwareText::kOpenFailed, false);
  struct Case {
    const char* what;
    std::string printer;  // "" keeps the simulated printer chosen, "-" none
    std::string button;
    int answer;  // to the first question: -1 none asked, 0 Cancel, 1 OK
    int code;
    std::string shown;
    std::vector<size_t> transfers;
  } cases[] = {{"cancelled", "", bin, 0, kFirmwareUpgradeCancelled, ask, {}},
               {"a COM port", "COM1", bin, 1, kPrinterNotUsb, ask, {}},
               {"no printer", "-", bin, 1, kNoUsablePrinter, unopened, {}},
               {"deleted, OK", "", gone, 1, kFirmwareFileNotFound, not_found, {}},
               {"deleted, Cancel", "", gone, 0, kFirmwareFileNotFound, not_found, {}},
               {"no such row", "", "FirmareBtn_9", -1, kFirmwareNoSuchRow, "", {}},
               {"sent", "", bin, 1, kPortOk, ask, {1024, 1024, 952}}};
  // Told after each chunk; a progress that asks to stop is not obeyed, as a
  // half-written image could leave the printer unable to start.
  std::vector<std::pair<uint64_t, uint64_t>> told;
  const SendProgress progress = [&told](uint64_t sent, uint64_t total) {
    told.emplace_back(sent, total);
    return false;
  };
  const std::string chosen = page_.printer;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    page_.printer = c.printer.empty() ? chosen : c.printer == "-" ? "" : c.printer;
    op_ = {};
    if (c.answer >= 0) op_.AnswerConfirm(c.answer == 1);
    EXPECT_CODE(c.code, page_.Upgrade(comm_, op_, c.button, progress));
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(printer.TransferSizes(), c.transfers);
    EXPECT_EQ(page_.last_upload, c.code == kPortOk ? UploadEnd::kSent : UploadEnd::kNone);
  }
  EXPECT_EQ(printer.WireText(), stamped);
  EXPECT_EQ(told,
            (std::vector<std::pair<uint64_t, uint64_t>>{{1024, 3000}, {2048, 3000}, {3000, 3000}}));
}

// A folder was asked about, then "sent" and told as an upload that stopped
// half-way: it is refused with its reason before the question.
TEST_F(FirmwarePageTest, FileThatCannotBeSentIsRefusedBeforeTheQuestion) {
  auto& printer = Printer();
  ASSERT_TRUE(std::filesystem::create_directory(folder_.File("DIR")));
  EXPECT_CODE(kFirmwareNotAFile, page_.UpgradeFile(comm_, op_, folder_.File("DIR")));
  EXPECT_EQ(Shown(), Firmware(FirmwareText::kNotAFile, false));
  EXPECT_EQ(page_.last_upload, UploadEnd::kNone);
  EXPECT_WIRE(printer, "");
}

// What an operator does: reads the version, upgrades from the list, sees the
// printer update and complete, and reads the new version.
TEST_F(FirmwarePageTest, UpgradeFromTheListReachesTheNewVersion) {
  (void)Printer();
  WriteFileBytes(folder_.File("P2.bin"), Image(kPrinterId, "1.60", 5000));
  ASSERT_CODE(kPortOk, page_.GetInfo(comm_, op_));
  EXPECT_EQ(page_.info.version, "V1.52");
  op_.AnswerConfirm(true);
  ASSERT_CODE(kPortOk, page_.Upgrade(comm_, op_, Button("P2.bin")));
  EXPECT_EQ(op_.shown().back().text,
            "Please make sure the partnumber of the printer is:\"VT41-0152\" ?");
  EXPECT_TRUE(WaitForStatus(20));  // USBSTATUS UPDATING
  EXPECT_TRUE(WaitForStatus(18));  // UPGRADE COMPLETE
  EXPECT_TRUE(WaitForStatus(0));
  ASSERT_CODE(kPortOk, page_.GetInfo(comm_, op_));
  EXPECT_EQ(page_.info.version, "V1.60");
  EXPECT_EQ(page_.info.id, kPrinterId);
}

}  // namespace
}  // namespace vidodez
