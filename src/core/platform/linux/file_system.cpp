#include "core/platform/file_system.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vidodez::platform {
namespace {

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  return S_ISLNK(mode) ? FileKind::kLink : FileKind::kOther;
}

void Fill(const struct stat& info, FileStatus* status) {
  status->kind = KindOf(info.st_mode);
  status->size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  status->permissions = info.st_mode & 07777;
  status->owner = info.st_uid;
  status->group = info.st_gid;
  status->device = info.st_dev;
  status->node = info.st_ino;
}

int Open(const char* path, unsigned mode, unsigned permissions) {
  int flags = O_CLOEXEC | O_NOCTTY;
  if ((mode & kOpenReadWrite) != 0) {
    flags |= O_RDWR;
  } else if ((mode & kOpenWrite) != 0) {
    flags |= O_WRONLY;
  } else {
    flags |= O_RDONLY;
  }
  if ((mode & kOpenCreate) != 0) flags |= O_CREAT;
  if ((mode & kOpenExclusive) != 0) flags |= O_EXCL;
  if ((mode & kOpenTruncate) != 0) flags |= O_TRUNC;
  if ((mode & kOpenAppend) != 0) flags |= O_APPEND;
  if ((mode & kOpenNoWait) != 0) flags |= O_NONBLOCK;
  return ::open(path, flags, static_cast<mode_t>(permissions));
}

int Status(int fd, FileStatus* status) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return -1;
  Fill(info, status);
  return 0;
}

int PathStatus(const char* path, FileStatus* status) {
  struct stat info {};
  if (::stat(path, &info) != 0) return -1;
  Fill(info, status);
  return 0;
}

int LinkStatus(const char* path, FileStatus* status) {
  struct stat info {};
  if (::lstat(path, &info) != 0) return -1;
  Fill(info, status);
  return 0;
}

std::int64_t Read(int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); }

std::int64_t ReadAt(int fd, void* buffer, std::size_t size, std::uint64_t offset) {
  return ::pread(fd, buffer, size, static_cast<off_t>(offset));
}

std::int64_t WriteAt(int fd, const void* data, std::size_t size, std::uint64_t offset) {
  return ::pwrite(fd, data, size, static_cast<off_t>(offset));
}

int ListFolder(const char* path, std::vector<FolderEntry>* entries) {
  entries->clear();
  DIR* dir = ::opendir(path);
  if (dir == nullptr) return -1;
  const std::string folder = std::string(path) + "/";
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) break;
    FolderEntry listed{entry->d_name, FileKind::kOther};
    if (listed.name == "." || listed.name == "..") continue;
    if (entry->d_type == DT_DIR) {
      listed.kind = FileKind::kFolder;
    } else if (entry->d_type == DT_REG) {
      listed.kind = FileKind::kRegular;
    } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      FileStatus status;
      if (PathStatus((folder + listed.name).c_str(), &status) == 0) listed.kind = status.kind;
    }
    entries->push_back(std::move(listed));
  }
  const int error = errno;
  ::closedir(dir);
  if (error == 0) return 0;
  errno = error;
  return -1;
}

// A write beyond the file-size limit raises SIGXFSZ, which ends the process
// unless it is blocked: blocked, the write fails with EFBIG and the program
// can say so and remove what it was writing. The signal is taken back before
// it is unblocked, so it never arrives later.
class FileSizeSignalBlock {
 public:
  FileSizeSignalBlock() {
    sigemptyset(&signal_);
    sigaddset(&signal_, SIGXFSZ);
    sigset_t pending;
    already_pending_ = ::sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
    blocked_ = ::pthread_sigmask(SIG_BLOCK, &signal_, &previous_) == 0;
  }
  ~FileSizeSignalBlock() {
    if (!blocked_) return;
    sigset_t pending;
    if (!already_pending_ && ::sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1) {
      const timespec now{0, 0};
      (void)::sigtimedwait(&signal_, nullptr, &now);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  FileSizeSignalBlock(const FileSizeSignalBlock&) = delete;
  FileSizeSignalBlock& operator=(const FileSizeSignalBlock&) = delete;

 private:
  sigset_t signal_{};
  sigset_t previous_{};
  bool already_pending_ = false;
  bool blocked_ = false;
};

std::int64_t Write(int fd, const void* data, std::size_t size) {
  const FileSizeSignalBlock block;
  return ::write(fd, data, size);
}

}  // namespace

const FileCalls& DefaultFileCalls() {
  static const FileCalls calls{Open, ::close, Status, PathStatus, LinkStatus,
                               Read, Write,   ReadAt, WriteAt,    ListFolder};
  return calls;
}

void SetBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

std::FILE* OpenStream(int fd, const char* mode) { return ::fdopen(fd, mode); }

int ReadLink(const std::string& path, std::string* target) {
  char link[4096];
  const ssize_t n = ::readlink(path.c_str(), link, sizeof link);
  if (n < 0) return errno;
  if (static_cast<std::size_t>(n) >= sizeof link) return ENAMETOOLONG;
  target->assign(link, static_cast<std::size_t>(n));
  return 0;
}

int KeepOwnerAndPermissions(int fd, const FileStatus& old) {
  if (old.owner != ::geteuid() || old.group != ::getegid())
    (void)::fchown(fd, old.owner, old.group);  // only where allowed
  return ::fchmod(fd, static_cast<mode_t>(old.permissions)) == 0 ? 0 : errno;
}

int SyncFile(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

int ReplaceWith(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  (void)::fsync(dir);
  ::close(dir);
}

int RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

void RemoveFileNow(const char* path) { ::unlink(path); }

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace vidodez::platform
