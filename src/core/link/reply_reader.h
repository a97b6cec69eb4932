#pragma once
// usbRePort: reads one reply from a printer's bulk-in side. There is no end
// marker: the reply is exactly the first transfer within the window.

#include <string>

#include "core/platform/usb_printing.h"

namespace vidodez {

inline constexpr size_t kMaxReply = 1024;
inline constexpr int kReplyWindowMs = 2000;

class usbRePort {
 public:
  explicit usbRePort(platform::UsbPrintingClass& usb) : usb_(usb) {}
  virtual ~usbRePort() = default;

  // 0 when the read did not time out, 1 when it did. A printer that is
  // absent or will not open gives an empty reply at once, without waiting.
  int ReadReply(std::string* reply, int usb_port_number);

  int last_error() const { return last_error_; }
  const std::string& last_device() const { return last_device_; }

 private:
  platform::UsbPrintingClass& usb_;
  int last_error_ = 0;
  std::string last_device_;
};

}  // namespace vidodez
