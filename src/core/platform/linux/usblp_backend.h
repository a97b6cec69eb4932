#pragma once
// Printers of the kernel's usblp driver: listed from sysfs, reached through
// /dev/usb/lpN, status through LPGETSTATUS.

#include <string>

#include "core/platform/linux/syscalls.h"
#include "core/platform/port_devices.h"
#include "core/platform/usb_printing.h"

namespace vidodez::platform {

struct UsblpPaths {
  std::string sysfs_root = "/sys";
  std::string dev_root = "/dev";
};

class UsblpBackend final : public UsbPrintingClass {
 public:
  UsblpBackend(UsblpPaths paths, const Syscalls& syscalls);

  int Enumerate(std::vector<UsbPrinterInterface>* interfaces) override;
  int Open(const UsbPrinterInterface& interface, std::unique_ptr<UsbDevice>* device) override;

 private:
  UsblpPaths paths_;
  Syscalls sys_;
};

// A device node or file opened non-blocking: usblp's blocking calls never
// time out. Also serves the print file and the parallel and serial ports.
class FdDevice final : public PortDevice {
 public:
  FdDevice(const Syscalls& sys, int fd);
  ~FdDevice() override;

  int Write(const uint8_t* data, size_t size, int stall_ms, size_t* written) override;
  int Flush(int stall_ms) override;
  int Read(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) override;
  int GetStatus(uint8_t* status) override;
  int ConfigureSerial(int baud, bool handshake) override;
  int ReadSerialSettings(int* baud, bool* handshake) override;

 private:
  // `error`, or ENODEV when it came from a printer that is gone.
  int UnplugAsCause(int error);

  Syscalls sys_;
  int fd_;
};

}  // namespace vidodez::platform
