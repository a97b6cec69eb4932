// The serial set-up against a pseudo-terminal pair standing in for COM1.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include "core/link/port_codes.h"
#include "core/link/printer_port.h"
#include "core/platform/linux/serial_port.h"
#include "support/expect_code.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

class SerialPort : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    paths_.serial[0] = ptsname(master_);
  }
  void TearDown() override { close(master_); }

  // What the line is set to now, read through a descriptor of our own.
  void ExpectLine(int baud, bool handshake) {
    int fd = open(paths_.serial[0].c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    int applied = 0;
    bool applied_handshake = false;
    ASSERT_EQ(platform::ReadSerialSettings(fd, &applied, &applied_handshake), 0);
    close(fd);
    EXPECT_EQ(applied, baud);
    EXPECT_EQ(applied_handshake, handshake);
  }

  int master_ = -1;
  PortDevicePaths paths_;
  test::SimBus bus_;
};

TEST_F(SerialPort, OpensAt9600WithoutHandshakeAndWrites) {
  CPrinterPort port(bus_.usb(), paths_);
  ASSERT_CODE(kPortOk, port.OpenPort(4));
  ExpectLine(9600, false);
  EXPECT_CODE(kPortOk, port.WriteLine("HI"));
  char got[8] = {};
  ASSERT_EQ(read(master_, got, sizeof(got)), 4);
  EXPECT_EQ(std::string(got, 4), "HI\r\n");
}

TEST_F(SerialPort, BaudRatesAreTakenFromTheTableAndClamped) {
  CPrinterPort port(bus_.usb(), paths_);
  ASSERT_CODE(kPortOk, port.OpenPort(4));
  EXPECT_CODE(kBaudRateNotInTable, port.SetBaudRate(115200, false));
  ExpectLine(9600, false);
  EXPECT_CODE(kPortOk, port.SetBaudRate(2400, false));
  ExpectLine(9600, false);
  EXPECT_CODE(kPortOk, port.SetBaudRate(14400, false));  // no Bxxx constant exists for it
  ExpectLine(14400, false);
  EXPECT_CODE(kPortOk, port.SetBaudRate(128000, true));
  ExpectLine(56000, true);
}

TEST_F(SerialPort, MissingDevicesAndNonSerialPortsAreRefused) {
  paths_.serial[1] = "/nonexistent/ttyS1";
  paths_.parallel[0] = "/nonexistent/lp0";
  CPrinterPort port(bus_.usb(), paths_);
  EXPECT_CODE(kPortOpenFailed, port.OpenPort(5));
  EXPECT_CODE(kPortOpenFailed, port.OpenPort(1));
  // A plain file is no terminal: the serial set-up fails and the port closes.
  test::TempDir dir;
  test::WriteFileBytes(dir.File("tty"), "");
  paths_.serial[2] = dir.File("tty");
  CPrinterPort file_port(bus_.usb(), paths_);
  EXPECT_CODE(kSerialGetStateFailed, file_port.OpenPort(6));
  EXPECT_TRUE(file_port.IsPortClosed());
  EXPECT_CODE(kSetBaudRateFailed, file_port.SetBaudRate(9600, false));
}

}  // namespace
}  // namespace vidodez
