#include "core/platform/linux/syscalls.h"

#include <fcntl.h>
#include <linux/lp.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vidodez::platform {
namespace {

int OpenFile(const char* path, int flags) { return ::open(path, flags | O_CLOEXEC, 0644); }

int GetLpStatus(int fd, int* status) { return ::ioctl(fd, LPGETSTATUS, status); }

}  // namespace

Syscalls DefaultSyscalls() {
  return Syscalls{OpenFile, ::close, ::read, ::write, ::poll, GetLpStatus};
}

}  // namespace vidodez::platform
