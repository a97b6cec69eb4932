#include "core/link/reply_reader.h"

#include <errno.h>

#include <array>

#include "core/link/printer_port.h"

namespace vidodez {

int usbRePort::ReadReply(std::string* reply, int usb_port_number) {
  reply->clear();
  last_error_ = 0;
  last_device_.clear();
  platform::UsbPrinterInterface interface;
  if (!FindUsbInterface(usb_, usb_port_number, &interface)) {
    last_error_ = ENODEV;
    return 0;
  }
  last_device_ = interface.node;
  std::unique_ptr<platform::UsbDevice> device;
  if (int error = usb_.Open(interface, &device); error != 0) {
    last_error_ = error;
    return 0;
  }
  std::array<uint8_t, kMaxReply> buffer;
  size_t got = 0;
  int error = device->Read(buffer.data(), buffer.size(), kReplyWindowMs, &got);
  if (error == ETIMEDOUT) return 1;
  if (error != 0) {
    last_error_ = error;
    return 0;
  }
  reply->assign(reinterpret_cast<const char*>(buffer.data()), got);
  return 0;
}

}  // namespace vidodez
