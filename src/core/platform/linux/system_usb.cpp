#include <unistd.h>

#include <cstdlib>

#include "core/platform/linux/usblp_backend.h"
#include "core/platform/sim/sim_bus_backend.h"
#include "core/platform/usb_printing.h"

namespace vidodez::platform {

std::string SystemSimBusDir() {
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
