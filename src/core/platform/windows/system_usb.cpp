#include <windows.h>

#include "core/platform/sim/sim_bus_backend.h"
#include "core/platform/usb_printing.h"
#include "core/platform/windows/usbprint_backend.h"
#include "core/platform/windows/wide_text.h"

namespace vidodez::platform {

std::string SystemSimBusDir() {
  std::wstring temp(MAX_PATH + 1, L'\0');
  const DWORD length = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
  temp.resize(length);
  std::string folder = win::Narrow(temp);
  for (char& c : folder)
    if (c == '\\') c = '/';
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + "vidodez-sim";
}

std::unique_ptr<UsbPrintingClass> MakeSystemUsbPrintingClass() {
  std::vector<std::unique_ptr<UsbPrintingClass>> backends;
  backends.push_back(std::make_unique<win::UsbPrintBackend>(win::SystemUsbPrintCalls()));
  backends.push_back(std::make_unique<SimBusBackend>(DefaultSimBusDir()));
  return std::make_unique<CombinedUsbPrintingClass>(std::move(backends));
}

}  // namespace vidodez::platform
