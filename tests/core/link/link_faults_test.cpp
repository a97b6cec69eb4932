// A printer pulled out in the middle of each kind of exchange: the operation
// fails with the unplug as its cause, the port is closed, nothing is left
// open, and the printer works again once it is back.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "core/firmware/firmware_page.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/link/printer_link.h"
#include "core/storage/storage_page.h"
#include "support/expect_code.h"
#include "support/process_usage.h"
#include "support/scripted_operator.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using namespace std::chrono_literals;

// Waits until the printer has received at least `bytes` bytes.
bool WaitForWire(sim::SimPrinter& printer, size_t bytes) {
  for (int i = 0; i < 1000; ++i) {
    if (printer.Wire().size() >= bytes) return true;
    std::this_thread::sleep_for(5ms);
  }
  return false;
}

// An image the simulated printer takes for a firmware upload (a part number
// padded with NUL, then four hex digits), large enough to be cut short.
std::string FirmwareImage(size_t size) {
  std::string image = "VT41-0152";
  image.resize(16, '\0');
  image += "0000";
  image.resize(size, 'i');
  return image;
}

TEST(LinkFaults, UnplugMidOperationFailsClosesAndLeavesThePortReusable) {
  test::TempDir dir;
  const std::string file = dir.File("f.bin");
  test::WriteFileBytes(file, std::string(256 * 1024, 'x'));
  const std::string image = dir.File("image.bin");
  test::WriteFileBytes(image, FirmwareImage(256 * 1024));
  const std::string name = DisplayName(1, "MarliXPrinters VT-4100");

  // Slow enough in both directions to be caught in the middle of each.
  sim::PrinterOptions slow;
  slow.reply_delay = 1500ms;
  slow.write_rate = 64 * 1024;
  struct Case {
    const char* what;
    std::function<int(CPrinterComm&, test::ScriptedOperator&)> run;
    int code;
    size_t told;  // messages naming the unplug
    // The printer takes every byte as image until it has been quiet a
    // moment, and then reports the cut image in its status.
    bool image_cut = false;
  } cases[] = {
      {"query waiting for its reply",
       [&](CPrinterComm& comm, test::ScriptedOperator&) {
         return PrinterLink(comm, name).Query("^G1");
       },
       kQueryEmptyReply, 0},
      {"file send",
       [&](CPrinterComm& comm, test::ScriptedOperator& op) {
         StoragePage page;
         page.printer = name;
         page.file_name = file;
         return page.SendFile(comm, op);
       },
       kFileChunkWriteFailed, 1},
      {"firmware upload",
       [&](CPrinterComm& comm, test::ScriptedOperator& op) {
         FirmwareUpgradePage page;
         page.printer = name;
         op.AnswerConfirm(true);
         const int rc = page.UpgradeFile(comm, op, image);
         EXPECT_EQ(page.last_upload, UploadEnd::kBroken);
         return rc;
       },
       kFileChunkWriteFailed, 0, true},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::SimBus bus;
    sim::SimPrinter& printer = bus.AddPrinter(slow);
    CPrinterComm comm(bus.usb());
    test::ScriptedOperator op;
    const int descriptors = test::OpenDescriptorCount();
    const int ready = comm.GetPrinterStatus(name);

    std::future<int> running = std::async(std::launch::async, [&] { return c.run(comm, op); });
    ASSERT_TRUE(WaitForWire(printer, 5));
    printer.Unplug();
    ASSERT_EQ(running.wait_for(30s), std::future_status::ready) << "the operation hangs";
    EXPECT_CODE(c.code, running.get());
    EXPECT_EQ(comm.last_error(), ENODEV);
    EXPECT_TRUE(comm.port().IsPortClosed());
    size_t told = 0;
    for (const auto& shown : op.shown()) told += shown.text.find("unplugged") != std::string::npos;
    EXPECT_EQ(told, c.told);

    ASSERT_EQ(printer.Plug(), 0);
    printer.SetWriteRate(0);
    if (c.image_cut) {
      const auto give_up = std::chrono::steady_clock::now() + 10s;
      while (comm.GetPrinterStatus(name) == ready && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(20ms);
      EXPECT_NE(comm.GetPrinterStatus(name), ready);
    }
    EXPECT_CODE(kPortOk, PrinterLink(comm, name).Query("^S1"));
    EXPECT_TRUE(comm.port().IsPortClosed());
    EXPECT_EQ(test::DescriptorCountSettlingAt(descriptors), descriptors);
  }
}

}  // namespace
}  // namespace vidodez
