#include "core/platform/usb_printing.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace vidodez::platform {

CombinedUsbPrintingClass::CombinedUsbPrintingClass(
    std::vector<std::unique_ptr<UsbPrintingClass>> backends)
    : backends_(std::move(backends)) {}

int CombinedUsbPrintingClass::Enumerate(std::vector<UsbPrinterInterface>* interfaces) {
  interfaces->clear();
  for (size_t i = 0; i < backends_.size(); ++i) {
    std::vector<UsbPrinterInterface> found;
    // A backend that cannot list (no sysfs, no bus folder) hides only its own printers.
    if (backends_[i]->Enumerate(&found) != 0) continue;
    for (auto& interface : found) {
      interface.backend = static_cast<int>(i);
      interfaces->push_back(std::move(interface));
    }
  }
  return 0;
}

int CombinedUsbPrintingClass::Open(const UsbPrinterInterface& interface,
                                   std::unique_ptr<UsbDevice>* device) {
  if (interface.backend < 0 || static_cast<size_t>(interface.backend) >= backends_.size())
    return ENODEV;
  return backends_[static_cast<size_t>(interface.backend)]->Open(interface, device);
}

std::string WindowsStyleDevicePath(const std::string& vid_hex, const std::string& pid_hex,
                                   const std::string& serial) {
  std::string ids = "vid_" + vid_hex + "&pid_" + pid_hex;
  std::transform(ids.begin(), ids.end(), ids.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return "\\\\?\\usb#" + ids + "#" + serial + "#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
}

std::string DefaultSimBusDir() {
  if (const char* bus = std::getenv("VIDODEZ_SIM_BUS"); bus != nullptr && *bus != '\0') return bus;
  return SystemSimBusDir();
}

}  // namespace vidodez::platform
