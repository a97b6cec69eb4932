#pragma once
// Printers of the Windows USB printing class (usbprint.sys): listed through
// SetupAPI with their port numbers and descriptions from the registry,
// written through their device path, replies read from its bulk-in pipe
// "PIPE00", the status byte through IOCTL_USBPRINT_GET_LPT_STATUS.

#include "core/platform/usb_printing.h"
#include "core/platform/windows/usbprint_calls.h"

namespace vidodez::platform::win {

// "Port Description" is read into a buffer of 50 bytes: a longer one gives
// the interface no description.
inline constexpr size_t kPortDescriptionCapacity = 50;

class UsbPrintBackend final : public UsbPrintingClass {
 public:
  explicit UsbPrintBackend(const UsbPrintCalls& calls);

  // In the system's order; an entry that cannot be read is skipped.
  int Enumerate(std::vector<UsbPrinterInterface>* interfaces) override;
  int Open(const UsbPrinterInterface& interface, std::unique_ptr<UsbDevice>* device) override;

 private:
  const UsbPrintCalls& calls_;
};

// The errno of a failed open of a printer: another program holding it
// (access denied, sharing violation) is EBUSY, as usblp says; a printer gone
// since it was listed is ENODEV.
int OpenErrno(uint32_t windows_error);

}  // namespace vidodez::platform::win
