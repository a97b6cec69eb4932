#include "core/platform/port_devices.h"

#include <errno.h>
#include <fcntl.h>

#include "core/platform/linux/serial_port.h"
#include "core/platform/linux/usblp_backend.h"

namespace vidodez::platform {

int OpenPortDevice(PortKind kind, const std::string& path, std::unique_ptr<PortDevice>* device) {
  int flags = O_RDWR | O_NONBLOCK;
  if (kind == PortKind::kPrintFile) flags = O_RDWR | O_CREAT | O_TRUNC | O_APPEND;
  if (kind == PortKind::kSerial) flags |= O_NOCTTY;
  const Syscalls sys = DefaultSyscalls();
  const int fd = sys.open(path.c_str(), flags);
  if (fd < 0) return errno;
  *device = std::make_unique<FdDevice>(sys, fd);
  return 0;
}

std::array<std::string, 3> ParallelPortNames() { return {"/dev/lp0", "/dev/lp1", "/dev/lp2"}; }

std::array<std::string, 3> SerialPortNames() { return {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2"}; }

int FdDevice::ConfigureSerial(int baud, bool handshake) {
  return platform::ConfigureSerial(fd_, baud, handshake);
}

int FdDevice::ReadSerialSettings(int* baud, bool* handshake) {
  return platform::ReadSerialSettings(fd_, baud, handshake);
}

}  // namespace vidodez::platform
