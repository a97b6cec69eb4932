#pragma once
// What the kernel tells about a usblp printer in sysfs, turned into the
// printer interface the rest of the program expects.

#include <optional>
#include <string>
#include <vector>

#include "core/platform/usb_printing.h"

namespace vidodez::platform {

// The IEEE 1284 device id: sysfs gives it bare, the LPIOC_GET_DEVICE_ID
// ioctl with a two-byte big-endian length in front. Returns the bare id.
std::string StripDeviceIdLength(const std::string& raw);

// The value of one key ("MDL", "MODEL", ...) of a device id; keys compare
// without case, as printers spell them either way.
std::optional<std::string> DeviceIdField(const std::string& device_id, const std::string& key);

// The interfaces under `sysfs_root`/class/usbmisc (lp* entries), each with
// its node under `dev_root`/usb. Sorted by lp number, the kernel's order.
std::vector<UsbPrinterInterface> ReadUsblpInterfaces(const std::string& sysfs_root,
                                                     const std::string& dev_root);

}  // namespace vidodez::platform
