#include "core/platform/usb_printing.h"

#include <errno.h>
#include <unistd.h>

#include <cstdlib>

#include "core/platform/linux/usblp_backend.h"
#include "core/platform/sim/sim_bus_backend.h"

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

std::string DefaultSimBusDir() {
  if (const char* bus = std::getenv("VIDODEZ_SIM_BUS"); bus != nullptr && *bus != '\0') return bus;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0')
    return std::string(runtime) + "/vidodez-sim";
  return "/tmp/vidodez-sim-" + std::to_string(getuid());
}

std::unique_ptr<UsbPrintingClass> MakeSystemUsbPrintingClass() {
  std::vector<std::unique_ptr<UsbPrintingClass>> backends;
  backends.push_back(std::make_unique<UsblpBackend>(UsblpPaths{}, DefaultSyscalls()));
  backends.push_back(std::make_unique<SimBusBackend>(DefaultSimBusDir()));
  return std::make_unique<CombinedUsbPrintingClass>(std::move(backends));
}

}  // namespace vidodez::platform
