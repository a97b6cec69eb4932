#pragma once
// The system calls the Linux backend makes, passed in at construction so
// tests can produce EINTR, short writes, EBUSY, EACCES and ENODEV without a
// printer.

#include <poll.h>
#include <sys/types.h>

namespace vidodez::platform {

struct Syscalls {
  int (*open)(const char* path, int flags);
  int (*close)(int fd);
  ssize_t (*read)(int fd, void* buffer, size_t size);
  ssize_t (*write)(int fd, const void* data, size_t size);
  int (*poll)(struct pollfd* fds, nfds_t count, int timeout_ms);
  // LPGETSTATUS: the printer's status as the driver returns it (sign-extended).
  int (*get_lp_status)(int fd, int* status);
};

Syscalls DefaultSyscalls();

}  // namespace vidodez::platform
