#include "core/font/replacing_file.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>

namespace vidodez {

ReplacingFile::~ReplacingFile() { Abandon(); }

void ReplacingFile::Abandon() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temp_path_.c_str());
  fd_ = -1;
}

int ReplacingFile::Open(const std::string& path) {
  Abandon();
  static std::atomic<unsigned> counter{0};
  path_ = path;
  temp_path_ = path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(++counter);
  fd_ = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  return fd_ < 0 ? errno : 0;
}

int ReplacingFile::Write(std::string_view bytes) {
  if (fd_ < 0) return EBADF;
  while (!bytes.empty()) {
    ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int error = n < 0 ? errno : EIO;
      Abandon();
      return error;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

int ReplacingFile::Commit() {
  if (fd_ < 0) return EBADF;
  int error = ::fsync(fd_) == 0 ? 0 : errno;
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && ::rename(temp_path_.c_str(), path_.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp_path_.c_str());
  return error;
}

}  // namespace vidodez
