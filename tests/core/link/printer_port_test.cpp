#include "core/link/printer_port.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/link/port_codes.h"
#include "support/expect_code.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

using test::SimBus;

TEST(PrinterPort, WriteLineAppendsCrLf) {
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterPort port(bus.usb());
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  EXPECT_CODE(kPortOk, port.WriteLine("#HF>ST"));
  port.ClosePort();
  EXPECT_WIRE(printer, "#HF>ST\r\n");
  EXPECT_EQ(printer.TransferSizes(), std::vector<size_t>{8});
}

TEST(PrinterPort, SecondOpenIsRefusedAndFirstStaysUsable) {
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterPort port(bus.usb());
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  EXPECT_CODE(kPortAlreadyOpen, port.OpenPort(7));
  EXPECT_CODE(kPortAlreadyOpen, port.OpenPort(0));
  EXPECT_CODE(kPortOk, port.WriteLine("A"));
  port.ClosePort();
  EXPECT_WIRE(printer, "A\r\n");
}

TEST(PrinterPort, OpenFromAnotherThreadNeverWaitsForABusyPort) {
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterPort port(bus.usb());
  port.set_stall_limit_ms(5000);
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  // A paused printer keeps the writer inside the port for a while.
  printer.SetStallWrites(true);
  std::atomic<int> write_result{1};
  std::thread writer([&] { write_result = port.WriteLine("HELD"); });
  int refused = 0;
  for (int i = 0; i < 3; ++i) refused += port.OpenPort(7) == kPortAlreadyOpen;
  EXPECT_EQ(refused, 3);
  printer.SetStallWrites(false);
  writer.join();
  EXPECT_CODE(kPortOk, write_result.load());
  port.ClosePort();
  EXPECT_WIRE(printer, "HELD\r\n");
}

TEST(PrinterPort, RefusesWhatItCannotOpen) {
  SimBus bus;
  bus.AddPrinter(test::PrinterOnPort(2));  // USB02 is port 8, not 7
  CPrinterPort port(bus.usb());
  EXPECT_CODE(kNegativePortNumber, port.OpenPort(-3));
  EXPECT_CODE(kNoSuchUsbPrinter, port.OpenPort(7));
  EXPECT_TRUE(port.IsPortClosed());
  EXPECT_CODE(kPortOk, port.OpenPort(8));
}

TEST(PrinterPort, AnyUsbPortWithoutPrinterOpensIntoAClosedPort) {
  SimBus bus;
  CPrinterPort port(bus.usb());
  EXPECT_CODE(kPortOk, port.OpenPort(255));
  EXPECT_TRUE(port.IsPortClosed());
  EXPECT_CODE(kWriteLineOnClosedPort, port.WriteLine("X"));
  EXPECT_CODE(kSendFileOnClosedPort, port.SendFileRaw("/etc/hostname"));
}

TEST(PrinterPort, PrintFileHoldsOnlyWhatTheLastOpenWrote) {
  test::TempDir dir;
  SimBus bus;
  PortDevicePaths paths;
  paths.print_file = dir.File("PBuffi.txt");
  CPrinterPort port(bus.usb(), platform::DefaultSyscalls(), paths);
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
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  std::string content;
  for (int i = 0; i < 2048; ++i) content.push_back(static_cast<char>(i * 7));
  test::WriteFileBytes(dir.File("f.bin"), content);
  test::WriteFileBytes(dir.File("empty.bin"), "");

  CPrinterPort port(bus.usb());
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  EXPECT_CODE(kPortOk, port.SendFileRaw(dir.File("f.bin")));
  EXPECT_CODE(kPortOk, port.SendFileRaw(dir.File("empty.bin")));
  EXPECT_CODE(kFileOpenFailed, port.SendFileRaw(dir.File("missing.bin")));
  EXPECT_CODE(kFileReadFailed, port.SendFileRaw(dir.path()));  // a folder opens but cannot be read
  port.ClosePort();
  EXPECT_EQ(printer.WireText(), content);
  EXPECT_EQ(printer.TransferSizes(), (std::vector<size_t>{1024, 1024}));
}

TEST(PrinterPort, GraphicHeaderOnlyForNamesThatFit) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("g.pcx"), std::string(1500, 'P'));
  struct Case {
    std::string name;
    std::string header;
  } cases[] = {
      {"ABCDEFGHIJKLMNOP", "GM\"ABCDEFGHIJKLMNOP\"1500\r\n"},  // 16 characters
      {"ABCDEFGHIJKLMNOPQ", ""},                              // 17: no header at all
      {"", "GM\"\"1500\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimBus bus;
    auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
    CPrinterPort port(bus.usb());
    ASSERT_CODE(kPortOk, port.OpenPort(7));
    EXPECT_CODE(kPortOk, port.SendGraphicFile(c.name, dir.File("g.pcx")));
    port.ClosePort();
    EXPECT_WIRE(printer, c.header + std::string(1500, 'P'));
    std::vector<size_t> sizes;
    if (!c.header.empty()) sizes.push_back(c.header.size());
    sizes.insert(sizes.end(), {1024, 476});
    EXPECT_EQ(printer.TransferSizes(), sizes);
  }
}

TEST(PrinterPort, GraphicTooLargeForTheBufferSendsNothing) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("big.pcx"), std::string(kOutputBufferSize, 'P'));
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterPort port(bus.usb());
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  EXPECT_CODE(kGraphicTooLarge, port.SendGraphicFile("BIG", dir.File("big.pcx")));
  port.ClosePort();
  EXPECT_TRUE(printer.Wire().empty());
}

TEST(PrinterPort, UnplugDuringWriteClosesThePortAndItOpensAgainLater) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("f.bin"), std::string(64 * 1024, 'x'));
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterPort port(bus.usb());
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  printer.Unplug();
  EXPECT_CODE(kFileChunkWriteFailed, port.SendFileRaw(dir.File("f.bin")));
  EXPECT_EQ(port.last_error(), ENODEV);
  EXPECT_TRUE(port.IsPortClosed());
  port.ClosePort();  // closing again is harmless
  ASSERT_EQ(printer.Plug(), 0);
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  EXPECT_CODE(kPortOk, port.WriteLine("AGAIN"));
  port.ClosePort();
  EXPECT_WIRE(printer, "AGAIN\r\n");
}

TEST(PrinterPort, StalledPrinterFailsTheWriteInsteadOfFreezing) {
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterPort port(bus.usb());
  port.set_stall_limit_ms(200);
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  printer.SetStallWrites(true);
  EXPECT_CODE(kWriteLineFailed, port.WriteLine("NEVER"));
  EXPECT_EQ(port.last_error(), ETIMEDOUT);
  EXPECT_TRUE(port.IsPortClosed());
  printer.SetStallWrites(false);
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  EXPECT_CODE(kPortOk, port.WriteLine("OK"));
}

TEST(PrinterPort, StatusWhileHoldingThePrinterUsesTheHeldDevice) {
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  printer.SetStatus(4);
  CPrinterPort port(bus.usb());
  CPrinterPort other_program(bus.usb());
  EXPECT_EQ(port.QueryUsbStatus(7), 4);
  ASSERT_CODE(kPortOk, port.OpenPort(7));
  EXPECT_EQ(port.QueryUsbStatus(7), 4);
  // Someone else cannot open the printer it holds: busy, not gone.
  EXPECT_EQ(other_program.QueryUsbStatus(7), -1);
  EXPECT_EQ(other_program.last_error(), EBUSY);
  EXPECT_CODE(kNoSuchUsbPrinter, other_program.OpenPort(7));
  EXPECT_EQ(other_program.last_error(), EBUSY);
  port.ClosePort();
  EXPECT_EQ(port.QueryUsbStatus(8), -1);
}

}  // namespace
}  // namespace vidodez
