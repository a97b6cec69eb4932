#include "core/link/printer_port.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <functional>
#include <thread>

#include "core/link/port_codes.h"
#include "support/expect_code.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

using test::SimBus;

// A printer on USB01, which is port 7.
struct Rig {
  SimBus bus;
  sim::SimPrinter& printer = bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterPort port{bus.usb()};
};

// Another thread is refused at once rather than made to wait for the
// writer, and the refusals leave the open port as it was.
TEST(PrinterPort, SecondOpenIsRefusedAtOnceAndTheFirstStaysUsable) {
  Rig r;
  r.port.set_stall_limit_ms(5000);
  ASSERT_CODE(kPortOk, r.port.OpenPort(7));
  EXPECT_CODE(kPortAlreadyOpen, r.port.OpenPort(7));
  EXPECT_CODE(kPortAlreadyOpen, r.port.OpenPort(0));
  // A paused printer keeps the writer inside the port for a while.
  r.printer.SetStallWrites(true);
  std::atomic<int> write_result{1};
  std::thread writer([&] { write_result = r.port.WriteLine("HELD"); });
  int refused = 0;
  for (int i = 0; i < 3; ++i) refused += r.port.OpenPort(7) == kPortAlreadyOpen;
  EXPECT_EQ(refused, 3);
  r.printer.SetStallWrites(false);
  writer.join();
  EXPECT_CODE(kPortOk, write_result.load());
  r.port.ClosePort();
  EXPECT_WIRE(r.printer, "HELD\r\n");
  EXPECT_EQ(r.printer.TransferSizes(), std::vector<size_t>{6});  // the line and CR LF in one
}

TEST(PrinterPort, RefusesWhatItCannotOpen) {
  Rig r;
  EXPECT_CODE(kNegativePortNumber, r.port.OpenPort(-3));
  EXPECT_CODE(kNoSuchUsbPrinter, r.port.OpenPort(8));  // USB02: nobody there
  EXPECT_TRUE(r.port.IsPortClosed());
  EXPECT_CODE(kPortOk, r.port.OpenPort(7));
}

TEST(PrinterPort, AnyUsbPortWithoutPrinterOpensIntoAClosedPort) {
  SimBus bus;
  CPrinterPort port(bus.usb());
  EXPECT_CODE(kPortOk, port.OpenPort(255));
  EXPECT_TRUE(port.IsPortClosed());
  EXPECT_CODE(kWriteLineOnClosedPort, port.WriteLine("X"));
  EXPECT_CODE(kSendFileOnClosedPort, port.SendFileRaw("/etc/hostname"));
}

// Catches every port number from 255 up taken as "the first printer":
// only 255 is; USB250 is port 256, USB255 port 261.
TEST(PrinterPort, OnlyPort255MeansTheFirstPrinter) {
  SimBus bus;
  sim::SimPrinter& first = bus.AddPrinter(test::PrinterOnPort(1));
  sim::SimPrinter& usb250 = bus.AddPrinter(test::PrinterOnPort(250));
  sim::SimPrinter& usb255 = bus.AddPrinter(test::PrinterOnPort(255));
  usb250.SetStatus(4);
  CPrinterPort port(bus.usb());
  struct Case {
    int port_number;
    sim::SimPrinter* printer;
  } cases[] = {{255, &first}, {256, &usb250}, {261, &usb255}, {7, &first}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port_number);
    const std::string before = c.printer->WireText();
    ASSERT_CODE(kPortOk, port.OpenPort(c.port_number));
    EXPECT_CODE(kPortOk, port.WriteLine("X"));
    port.ClosePort();
    EXPECT_EQ(c.printer->WireText(), before + "X\r\n");
  }
  EXPECT_EQ(port.QueryUsbStatus(256), 4);
  EXPECT_EQ(usb250.WireText() + usb255.WireText(), "X\r\nX\r\n");
}

TEST(PrinterPort, PrintFileHoldsOnlyWhatTheLastOpenWrote) {
  test::TempDir dir;
  SimBus bus;
  PortDevicePaths paths;
  paths.print_file = dir.File("PBuffi.txt");
  CPrinterPort port(bus.usb(), paths);
  ASSERT_CODE(kPortOk, port.OpenPort(0));
  EXPECT_CODE(kPortOk, port.WriteLine("FIRST"));
  EXPECT_CODE(kPortOk, port.WriteLine("SECOND"));
  port.ClosePort();
  EXPECT_EQ(test::ReadFileBytes(paths.print_file), "FIRST\r\nSECOND\r\n");
  ASSERT_CODE(kPortOk, port.OpenPort(0));
  EXPECT_CODE(kPortOk, port.WriteLine("THIRD"));
  port.ClosePort();
  EXPECT_EQ(test::ReadFileBytes(paths.print_file), "THIRD\r\n");
}

TEST(PrinterPort, SendsFilesInChunksOf1024) {
  test::TempDir dir;
  std::string content;
  for (int i = 0; i < 2048; ++i) content.push_back(static_cast<char>(i * 7));
  test::WriteFileBytes(dir.File("f.bin"), content);
  test::WriteFileBytes(dir.File("empty.bin"), "");
  Rig r;
  ASSERT_CODE(kPortOk, r.port.OpenPort(7));
  EXPECT_CODE(kPortOk, r.port.SendFileRaw(dir.File("f.bin")));
  EXPECT_CODE(kPortOk, r.port.SendFileRaw(dir.File("empty.bin")));
  EXPECT_CODE(kFileOpenFailed, r.port.SendFileRaw(dir.File("missing.bin")));
  EXPECT_CODE(kFileReadFailed,
              r.port.SendFileRaw(dir.path()));  // a folder opens but cannot be read
  r.port.ClosePort();
  EXPECT_EQ(r.printer.WireText(), content);
  EXPECT_EQ(r.printer.TransferSizes(), (std::vector<size_t>{1024, 1024}));
}

TEST(PrinterPort, GraphicHeaderOnlyForNamesThatFitAndNothingOfATooLargeOne) {
  test::TempDir dir;
  struct Case {
    std::string name;
    size_t size;
    int code;
    std::string header;
    std::vector<size_t> transfers;
  } cases[] = {
      {"ABCDEFGHIJKLMNOP", 1500, kPortOk, "GM\"ABCDEFGHIJKLMNOP\"1500\r\n", {26, 1024, 476}},  // 16
      {"ABCDEFGHIJKLMNOPQ", 1500, kPortOk, "", {1024, 476}},  // 17 characters: no header at all
      {"", 1500, kPortOk, "GM\"\"1500\r\n", {10, 1024, 476}},
      {"BIG", kOutputBufferSize, kGraphicTooLarge, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string picture(c.size, 'P');
    test::WriteFileBytes(dir.File("g.pcx"), picture);
    Rig r;
    ASSERT_CODE(kPortOk, r.port.OpenPort(7));
    EXPECT_CODE(c.code, r.port.SendGraphicFile(c.name, dir.File("g.pcx")));
    r.port.ClosePort();
    EXPECT_WIRE(r.printer, c.code == kPortOk ? c.header + picture : "");
    EXPECT_EQ(r.printer.TransferSizes(), c.transfers);
  }
}

// Catches progress that is not told after each chunk or with the wrong
// total, and a stop that sends on, cuts a chunk, or reads as success.
TEST(PrinterPort, FileSendsTellTheirProgressAndStopWhereTold) {
  test::TempDir dir;
  const std::string content(2500, 'F');
  test::WriteFileBytes(dir.File("f.bin"), content);
  using Send = std::function<int(CPrinterPort&, const SendProgress&)>;
  const Send raw = [&](CPrinterPort& port, const SendProgress& progress) {
    return port.SendFileRaw(dir.File("f.bin"), progress);
  };
  const Send graphic = [&](CPrinterPort& port, const SendProgress& progress) {
    return port.SendGraphicFile("G", dir.File("f.bin"), progress);
  };
  struct Case {
    const char* name;
    const Send& send;
    size_t stop_after;  // calls answered true before one answers false
    int code;
    std::vector<uint64_t> told;
    std::string wire;
  } cases[] = {
      {"raw", raw, 99, kPortOk, {1024, 2048, 2500}, content},
      {"raw stopped", raw, 1, kSendStopped, {1024, 2048}, content.substr(0, 2048)},
      {"graphic", graphic, 99, kPortOk, {1024, 2048, 2500}, "GM\"G\"2500\r\n" + content},
      {"graphic stopped",
       graphic,
       0,
       kSendStopped,
       {1024},
       "GM\"G\"2500\r\n" + content.substr(0, 1024)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    ASSERT_CODE(kPortOk, r.port.OpenPort(7));
    std::vector<uint64_t> told;
    EXPECT_CODE(c.code, c.send(r.port, [&](uint64_t sent, uint64_t total) {
      EXPECT_EQ(total, 2500u);
      told.push_back(sent);
      return told.size() <= c.stop_after;
    }));
    r.port.ClosePort();
    EXPECT_EQ(told, c.told);
    EXPECT_WIRE(r.printer, c.wire);
  }
}

// A sysfs file claims a page but holds a few bytes, like a graphic that
// shrank after it was measured: the printer would wait for the rest of the
// announced size, so the send must not report success.
TEST(PrinterPort, GraphicShorterThanItsAnnouncedSizeFails) {
  const char kShort[] = "/sys/kernel/uevent_seqnum";
  if (access(kShort, R_OK) != 0) GTEST_SKIP() << kShort << " is not readable here";
  Rig r;
  ASSERT_CODE(kPortOk, r.port.OpenPort(7));
  EXPECT_CODE(kFileReadFailed, r.port.SendGraphicFile("S", kShort));
  EXPECT_EQ(r.port.last_error(), EIO);
}

// A printer that takes no more bytes must not freeze the program: the write
// fails, the port closes, and it opens again once the printer is back.
void ExpectClosedThenReopens(Rig& r, int error, const std::function<void()>& recover) {
  EXPECT_EQ(r.port.last_error(), error);
  EXPECT_TRUE(r.port.IsPortClosed());
  r.port.ClosePort();  // closing again is harmless
  recover();
  ASSERT_CODE(kPortOk, r.port.OpenPort(7));
  EXPECT_CODE(kPortOk, r.port.WriteLine("AGAIN"));
  r.port.ClosePort();
}

TEST(PrinterPort, UnplugDuringWriteClosesThePortAndItOpensAgainLater) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("f.bin"), std::string(64 * 1024, 'x'));
  Rig r;
  ASSERT_CODE(kPortOk, r.port.OpenPort(7));
  r.printer.Unplug();
  EXPECT_CODE(kFileChunkWriteFailed, r.port.SendFileRaw(dir.File("f.bin")));
  ExpectClosedThenReopens(r, ENODEV, [&] { ASSERT_EQ(r.printer.Plug(), 0); });
  EXPECT_WIRE(r.printer, "AGAIN\r\n");
}

TEST(PrinterPort, StalledPrinterFailsTheWriteInsteadOfFreezing) {
  Rig r;
  r.port.set_stall_limit_ms(200);
  ASSERT_CODE(kPortOk, r.port.OpenPort(7));
  r.printer.SetStallWrites(true);
  EXPECT_CODE(kWriteLineFailed, r.port.WriteLine("NEVER"));
  ExpectClosedThenReopens(r, ETIMEDOUT, [&] { r.printer.SetStallWrites(false); });
}

TEST(PrinterPort, StatusWhileHoldingThePrinterUsesTheHeldDevice) {
  Rig r;
  r.printer.SetStatus(4);
  CPrinterPort other_program(r.bus.usb());
  EXPECT_EQ(r.port.QueryUsbStatus(7), 4);
  ASSERT_CODE(kPortOk, r.port.OpenPort(7));
  EXPECT_EQ(r.port.QueryUsbStatus(7), 4);
  // Someone else cannot open the printer it holds: busy, not gone.
  EXPECT_EQ(other_program.QueryUsbStatus(7), -1);
  EXPECT_EQ(other_program.last_error(), EBUSY);
  EXPECT_CODE(kNoSuchUsbPrinter, other_program.OpenPort(7));
  EXPECT_EQ(other_program.last_error(), EBUSY);
  r.port.ClosePort();
  EXPECT_EQ(r.port.QueryUsbStatus(8), -1);
}

}  // namespace
}  // namespace vidodez
