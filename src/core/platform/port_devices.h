#pragma once
// The ports that are no USB printer: the print file, the parallel ports and
// the serial ports. Each opens as a UsbDevice (the port's writes, and its
// status where it has one); a serial port also takes its line settings.

#include <array>
#include <memory>
#include <string>

#include "core/platform/usb_printing.h"

namespace vidodez::platform {

enum class PortKind { kPrintFile, kParallel, kSerial };

class PortDevice : public UsbDevice {
 public:
  // 8 data bits, no parity, one stop bit at `baud`, with or without hardware
  // handshake. 0 or an errno (ENOTTY for a port that is no serial line).
  virtual int ConfigureSerial(int baud, bool handshake) = 0;
  // The rate and handshake now set, for checks.
  virtual int ReadSerialSettings(int* baud, bool* handshake) = 0;
};

// Opens the port of `kind` at `path` without waiting for it; the print file
// is created empty and every write appends. 0 or an errno.
int OpenPortDevice(PortKind kind, const std::string& path, std::unique_ptr<PortDevice>* device);

// The system's names of the first three parallel and serial ports.
std::array<std::string, 3> ParallelPortNames();
std::array<std::string, 3> SerialPortNames();

}  // namespace vidodez::platform
