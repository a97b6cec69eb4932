#pragma once
// Display names of USB printers and the rules that turn them back into port
// numbers, shared by every page and the command line.

#include <string>
#include <vector>

#include "core/platform/usb_printing.h"

namespace vidodez {

// Only printers whose device path, lower-cased, holds both strings of one of
// the maker's vendor/product pairs are the tool's printers.
bool IsAcceptedInterface(const std::string& device_path);

// "USB01 [description]\n"
std::string DisplayName(int usb_port_number, const std::string& description);

// True when the name's first three characters are "usb" in any case.
bool IsUsbName(const std::string& display_name);

// Port number of a display name: characters 4 to 6 read as a number, plus 6.
// -1 for a name that is not a USB name.
int PortNumberFromName(const std::string& display_name);

// The printer's model as the selector shows it: from the first "[" on, the
// maker's prefix removed, no "]".
std::string ModelText(const std::string& display_name);

// Display names of every accepted interface that has a port number and a
// description of at most 49 bytes, in the system's order; with
// `usb_port_numbers`, the USB port number of each beside it.
int EnumeratePrinters(platform::UsbPrintingClass& usb, std::vector<std::string>* names,
                      std::vector<int>* usb_port_numbers = nullptr);

// The model text without the blank before it and the line feed after it.
std::string ModelName(const std::string& display_name);

}  // namespace vidodez
