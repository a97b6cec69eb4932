#include "core/platform/linux/fd_io.h"

#include <errno.h>

#include <chrono>

namespace vidodez::platform {
namespace {

using Clock = std::chrono::steady_clock;

int MillisLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// 0 when `events` arrived, ETIMEDOUT when the deadline passed, else an errno.
int WaitFor(const Syscalls& sys, int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd pfd{fd, events, 0};
    int ready = sys.poll(&pfd, 1, MillisLeft(deadline));
    if (ready < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (ready == 0) {
      if (Clock::now() >= deadline) return ETIMEDOUT;
      continue;
    }
    if (pfd.revents & events) return 0;
    if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)) return ENODEV;
  }
}

}  // namespace

int WriteAll(const Syscalls& sys, int fd, const uint8_t* data, size_t size, int stall_ms,
             size_t* written) {
  *written = 0;
  auto deadline = Clock::now() + std::chrono::milliseconds(stall_ms);
  while (*written < size) {
    ssize_t n = sys.write(fd, data + *written, size - *written);
    if (n > 0) {
      *written += static_cast<size_t>(n);
      deadline = Clock::now() + std::chrono::milliseconds(stall_ms);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return errno;
    // Nothing accepted (EAGAIN, or a zero-byte write): wait for room.
    if (int rc = WaitFor(sys, fd, POLLOUT, deadline); rc != 0) return rc;
  }
  return 0;
}

int ReadOnce(const Syscalls& sys, int fd, uint8_t* buffer, size_t capacity, int timeout_ms,
             size_t* got) {
  *got = 0;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (int rc = WaitFor(sys, fd, POLLIN, deadline); rc != 0) return rc;
    ssize_t n = sys.read(fd, buffer, capacity);
    if (n >= 0) {
      *got = static_cast<size_t>(n);
      return 0;
    }
    if (errno == EINTR || errno == EAGAIN) continue;
    return errno;
  }
}

int WaitWritable(const Syscalls& sys, int fd, int stall_ms) {
  return WaitFor(sys, fd, POLLOUT, Clock::now() + std::chrono::milliseconds(stall_ms));
}

}  // namespace vidodez::platform
