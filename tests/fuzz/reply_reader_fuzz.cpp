// The reply path with whatever a printer might send back: the first byte
// picks how the device behaves, the rest is the transfer.

#include <errno.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/link/printer_comm.h"
#include "core/platform/linux/usblp_sysfs.h"

namespace {

using vidodez::platform::UsbDevice;
using vidodez::platform::UsbPrinterInterface;

class FuzzDevice final : public UsbDevice {
 public:
  FuzzDevice(const uint8_t* data, size_t size, uint8_t mode)
      : data_(data), size_(size), mode_(mode) {}
  int Write(const uint8_t*, size_t size, int, size_t* written) override {
    *written = (mode_ & 1) ? size / 2 : size;
    return (mode_ & 1) ? EIO : 0;
  }
  int Flush(int) override { return (mode_ & 16) ? ETIMEDOUT : 0; }
  int Read(uint8_t* buffer, size_t capacity, int, size_t* got) override {
    if (mode_ & 2) return ETIMEDOUT;
    *got = size_ < capacity ? size_ : capacity;
    if (*got > 0) std::memcpy(buffer, data_, *got);
    return (mode_ & 4) ? ENODEV : 0;
  }
  int GetStatus(uint8_t* status) override {
    *status = size_ > 0 ? data_[0] : 0;
    return 0;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  uint8_t mode_;
};

class FuzzUsb final : public vidodez::platform::UsbPrintingClass {
 public:
  void SetInput(const uint8_t* data, size_t size, uint8_t mode) {
    data_ = data;
    size_ = size;
    mode_ = mode;
  }
  int Enumerate(std::vector<UsbPrinterInterface>* interfaces) override {
    UsbPrinterInterface interface;
    interface.device_path = "\\\\?\\usb#vid_0471&pid_0168#FUZZ#{x}";
    interface.port_number = 1;
    interface.has_description = true;
    interface.description =
        std::string(reinterpret_cast<const char*>(data_), size_ < 60 ? size_ : 60);
    interfaces->assign(1, interface);
    return 0;
  }
  int Open(const UsbPrinterInterface&, std::unique_ptr<UsbDevice>* device) override {
    if (mode_ & 8) return EBUSY;
    *device = std::make_unique<FuzzDevice>(data_, size_, mode_);
    return 0;
  }

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  uint8_t mode_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // One link for every input, as the program keeps one: a new one per input
  // spent most of the run clearing its megabyte of output buffer.
  static FuzzUsb usb;
  static vidodez::CPrinterComm comm(usb);
  usb.SetInput(data + 1, size - 1, data[0]);
  int rc = comm.QueryPrinter(7, "^G1");
  if (rc == 0 && (comm.GetReply().empty() || comm.GetReply().size() > 1024)) __builtin_trap();
  (void)comm.GetPrinterStatus("USB01 [x]\n");
  std::string text(reinterpret_cast<const char*>(data), size);
  (void)vidodez::platform::DeviceIdField(vidodez::platform::StripDeviceIdLength(text), "MDL");
  return 0;
}
