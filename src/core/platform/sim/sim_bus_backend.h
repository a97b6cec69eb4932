#pragma once
// Printers of the simulated USB bus: the simulators registered in one folder.

#include <string>

#include "core/platform/usb_printing.h"

namespace vidodez::platform {

class SimBusBackend final : public UsbPrintingClass {
 public:
  explicit SimBusBackend(std::string bus_dir);

  // Live registrations, ordered by port number, then by file name.
  int Enumerate(std::vector<UsbPrinterInterface>* interfaces) override;
  int Open(const UsbPrinterInterface& interface, std::unique_ptr<UsbDevice>* device) override;

 private:
  std::string bus_dir_;
};

}  // namespace vidodez::platform
