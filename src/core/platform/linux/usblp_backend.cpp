#include "core/platform/linux/usblp_backend.h"

#include <errno.h>
#include <fcntl.h>

#include "core/platform/linux/fd_io.h"
#include "core/platform/linux/usblp_sysfs.h"

namespace vidodez::platform {

UsblpBackend::UsblpBackend(UsblpPaths paths, const Syscalls& syscalls)
    : paths_(std::move(paths)), sys_(syscalls) {}

int UsblpBackend::Enumerate(std::vector<UsbPrinterInterface>* interfaces) {
  *interfaces = ReadUsblpInterfaces(paths_.sysfs_root, paths_.dev_root);
  return 0;
}

int UsblpBackend::Open(const UsbPrinterInterface& interface, std::unique_ptr<UsbDevice>* device) {
  int fd = sys_.open(interface.node.c_str(), O_RDWR | O_NONBLOCK);
  if (fd < 0) return errno;
  *device = std::make_unique<FdDevice>(sys_, fd);
  return 0;
}

FdDevice::FdDevice(const Syscalls& sys, int fd) : sys_(sys), fd_(fd) {}

FdDevice::~FdDevice() { sys_.close(fd_); }

int FdDevice::Write(const uint8_t* data, size_t size, int stall_ms, size_t* written) {
  return UnplugAsCause(WriteAll(sys_, fd_, data, size, stall_ms, written));
}

int FdDevice::Flush(int stall_ms) {
  // usblp reports POLLOUT once its last transfer completed; it would cancel
  // one still in flight when the device is closed.
  return UnplugAsCause(WaitWritable(sys_, fd_, stall_ms));
}

int FdDevice::UnplugAsCause(int error) {
  // usblp fails the write whose transfer an unplug cancelled with a bare
  // EIO, before it has heard of the unplug itself; only later calls say
  // ENODEV. A printer that is still there answers the status request.
  if (error == 0 || error == ENODEV || error == ENOSPC || error == ETIMEDOUT) return error;
  int ignored = 0;
  if (sys_.get_lp_status(fd_, &ignored) == 0) return error;
  // A file or a terminal has no status to give; a printer port that cannot
  // give it has lost its printer.
  return errno == ENOTTY || errno == EINVAL ? error : ENODEV;
}

int FdDevice::Read(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) {
  return ReadOnce(sys_, fd_, buffer, capacity, timeout_ms, got);
}

int FdDevice::GetStatus(uint8_t* status) {
  int value = 0;
  if (sys_.get_lp_status(fd_, &value) < 0) return errno;
  // The driver sign-extends the byte: 0xff arrives as -1.
  *status = static_cast<uint8_t>(value & 0xff);
  return 0;
}

}  // namespace vidodez::platform
