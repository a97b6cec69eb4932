#include "core/platform/windows/usbprint_backend.h"

#include <algorithm>
#include <cerrno>

#include "core/platform/windows/windows_errors.h"

namespace vidodez::platform::win {
namespace {

// Replies come from the interface's bulk-in pipe, a name below its path.
constexpr char kBulkInPipe[] = "\\PIPE00";
// SetupAPI numbers its entries from 0 and says when they end; a list that
// never said so is not read for ever.
constexpr uint32_t kMaxInterfaces = 1024;

class UsbPrintDevice final : public UsbDevice {
 public:
  UsbPrintDevice(const UsbPrintCalls& calls, Handle device, std::string path)
      : calls_(calls), device_(device), path_(std::move(path)) {}
  ~UsbPrintDevice() override {
    if (pipe_ != nullptr) calls_.close(pipe_);
    calls_.close(device_);
  }
  UsbPrintDevice(const UsbPrintDevice&) = delete;
  UsbPrintDevice& operator=(const UsbPrintDevice&) = delete;

  // Accepted bytes restart the clock, so a slow printer taking a large file
  // is never cut off; a pause of `stall_ms` without progress fails.
  int Write(const uint8_t* data, size_t size, int stall_ms, size_t* written) override {
    *written = 0;
    while (*written < size) {
      size_t took = 0;
      const bool ok = calls_.write(device_, data + *written, size - *written, stall_ms, &took);
      took = std::min(took, size - *written);
      *written += took;
      if (ok && took == 0) return EIO;  // a transfer that took nothing and said nothing
      if (ok) continue;
      const uint32_t error = calls_.last_error();
      if (error == kWaitTimeout && took > 0) continue;
      return ErrnoOf(error);
    }
    return 0;
  }

  // Every write has completed when it returns: nothing is left on its way.
  int Flush(int /*stall_ms*/) override { return 0; }

  int Read(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) override {
    *got = 0;
    // Opened once for the device's life: the drain before a query and the
    // reply's read then take transfers from the same pipe.
    if (pipe_ == nullptr) {
      pipe_ = calls_.open(path_ + kBulkInPipe, true);
      if (pipe_ == nullptr) return OpenErrno(calls_.last_error());
    }
    if (calls_.read(pipe_, buffer, capacity, timeout_ms, got)) return 0;
    *got = std::min(*got, capacity);
    const uint32_t error = calls_.last_error();
    // A transfer of no bytes reads as the end of the pipe.
    return error == kErrorHandleEof ? 0 : ErrnoOf(error);
  }

  int GetStatus(uint8_t* status) override {
    return calls_.get_status(device_, status) ? 0 : ErrnoOf(calls_.last_error());
  }

 private:
  const UsbPrintCalls& calls_;
  Handle device_;
  Handle pipe_ = nullptr;
  std::string path_;
};

}  // namespace

int OpenErrno(uint32_t windows_error) {
  switch (windows_error) {
    case kErrorAccessDenied:
    case kErrorSharingViolation:
      return EBUSY;
    case kErrorFileNotFound:
    case kErrorPathNotFound:
      return ENODEV;
    default:
      return ErrnoOf(windows_error);
  }
}

UsbPrintBackend::UsbPrintBackend(const UsbPrintCalls& calls) : calls_(calls) {}

int UsbPrintBackend::Enumerate(std::vector<UsbPrinterInterface>* interfaces) {
  interfaces->clear();
  Handle list = calls_.open_interface_list();
  if (list == nullptr) return ErrnoOf(calls_.last_error());
  for (uint32_t index = 0; index < kMaxInterfaces; ++index) {
    UsbPrinterInterface interface;
    if (!calls_.interface_path(list, index, &interface.device_path)) {
      if (calls_.last_error() == kErrorNoMoreItems) break;
      continue;
    }
    interface.node = interface.device_path;
    // The USB port number is the value's low two bytes (byte 0 + 256 x byte 1).
    if (uint32_t number = 0; calls_.port_number(list, index, &number))
      interface.port_number = static_cast<int>(number & 0xffff);
    interface.has_description =
        calls_.port_description(list, index, kPortDescriptionCapacity, &interface.description);
    if (!interface.has_description) interface.description.clear();
    interfaces->push_back(std::move(interface));
  }
  calls_.close_interface_list(list);
  return 0;
}

int UsbPrintBackend::Open(const UsbPrinterInterface& interface,
                          std::unique_ptr<UsbDevice>* device) {
  Handle opened = calls_.open(interface.node, false);
  if (opened == nullptr) return OpenErrno(calls_.last_error());
  *device = std::make_unique<UsbPrintDevice>(calls_, opened, interface.node);
  return 0;
}

}  // namespace vidodez::platform::win
