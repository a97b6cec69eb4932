#include "core/platform/file_system.h"

#include <cerrno>

namespace vidodez::platform {

int WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  const FileCalls& calls = DefaultFileCalls();
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t n = calls.write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int ReadFully(int fd, void* buffer, std::size_t size, std::size_t* got) {
  const FileCalls& calls = DefaultFileCalls();
  *got = 0;
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  while (*got < size) {
    const std::int64_t n = calls.read(fd, bytes + *got, size - *got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;
    *got += static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace vidodez::platform
