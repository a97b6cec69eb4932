#include "core/shell/file_replacement.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <charconv>
#include <cstring>
#include <ctime>
#include <utility>

#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

// Links are followed this deep, as the kernel does.
constexpr int kMaxLinkHops = 40;

std::atomic<unsigned> temp_counter{0};

std::string Hex(unsigned long value) {
  char digits[20];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  return std::string(digits, end);
}

// "dir/" of a path, "" for a bare name.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a chain of symbolic links ends at (which need not exist yet):
// renaming over the link itself would turn it into a plain file.
bool FollowLinks(std::string path, std::string* target) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      *target = std::move(path);
      return true;
    }
    char link[4096];
    const ssize_t n = ::readlink(path.c_str(), link, sizeof link);
    if (n < 0 || std::size_t(n) >= sizeof link) return false;
    const std::string next(link, std::size_t(n));
    path = next.front() == '/' ? next : FolderOf(path).append(next);
  }
  errno = ELOOP;
  return false;
}

// A write beyond the file-size limit raises SIGXFSZ, which ends the process
// unless it is blocked: blocked, the write fails with EFBIG and the program
// can say so and remove its temporary file. The signal is taken back before
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

// The temporary files being written, for RemoveUnfinishedReplacements: a
// signal handler may read a slot whose state says so, and nothing else.
struct UnfinishedSlot {
  std::atomic<int> state{0};  // kFree, kTaken (being filled) or kListed
  char path[4096];
};
constexpr int kFree = 0;
constexpr int kTaken = 1;
constexpr int kListed = 2;
std::array<UnfinishedSlot, 8> unfinished;

// The slot listing `path`, or -1 when all are taken (the file is then only
// removed by its own replacement).
int ListUnfinished(const std::string& path) {
  if (path.size() >= sizeof(UnfinishedSlot::path)) return -1;
  for (size_t i = 0; i < unfinished.size(); ++i) {
    int expected = kFree;
    if (!unfinished[i].state.compare_exchange_strong(expected, kTaken)) continue;
    std::memcpy(unfinished[i].path, path.c_str(), path.size() + 1);
    unfinished[i].state.store(kListed);
    return static_cast<int>(i);
  }
  return -1;
}

void UnlistUnfinished(int slot) {
  if (slot >= 0) unfinished[static_cast<size_t>(slot)].state.store(kFree);
}

}  // namespace

void RemoveUnfinishedReplacements() {
  for (UnfinishedSlot& slot : unfinished) {
    if (slot.state.load() == kListed) ::unlink(slot.path);
  }
}

FileReplacement::~FileReplacement() { Drop(); }

void FileReplacement::Drop() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temp_path_.c_str());
  fd_ = -1;
  UnlistUnfinished(slot_);
  slot_ = -1;
}

int FileReplacement::Fail(int code) {
  error_ = errno;
  Drop();
  return code;
}

int FileReplacement::Begin(const std::string& path) {
  Drop();
  error_ = 0;
  if (path.empty()) {
    errno = ENOENT;
    return Fail(kOutputCreateFailed);
  }
  if (!FollowLinks(path, &target_)) return Fail(kOutputCreateFailed);
  struct stat old {};
  const bool replacing = ::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  // A short name of our own beside the target: on the same file system, so
  // the rename is atomic, and short, so any valid target name has room.
  const std::string folder = FolderOf(target_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path_ =
        folder + ".vdz" + Hex(unsigned(::getpid())) + "-" + Hex(temp_counter.fetch_add(1)) + ".tmp";
    // Listed before it exists, so a signal right after the open finds it;
    // the name holds our process id, so no other program's file is listed.
    slot_ = ListUnfinished(temp_path_);
    // A new file gets the mode the umask gives; a replaced one keeps its own,
    // and is never readable by others meanwhile.
    fd_ = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                 replacing ? 0600 : 0666);
    if (fd_ >= 0) break;
    const int open_error = errno;
    UnlistUnfinished(std::exchange(slot_, -1));
    errno = open_error;
    if (errno != EEXIST) break;
  }
  if (fd_ < 0) return Fail(kOutputCreateFailed);
  if (replacing) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
      (void)::fchown(fd_, old.st_uid, old.st_gid);  // only where allowed
    if (::fchmod(fd_, old.st_mode & 07777) != 0) return Fail(kOutputCreateFailed);
  }
  return kShellOk;
}

int FileReplacement::Write(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0) {
    errno = EBADF;
    return Fail(kOutputWriteFailed);
  }
  const FileSizeSignalBlock block;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return Fail(kOutputWriteFailed);
    }
    done += std::size_t(n);
  }
  return kShellOk;
}

int FileReplacement::Write(std::string_view bytes) {
  return Write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

int FileReplacement::Commit() {
  if (fd_ < 0) {
    errno = EBADF;
    return Fail(kOutputWriteFailed);
  }
  // A full disk may show only now, when the data reaches it.
  if (::fsync(fd_) != 0) return Fail(kOutputWriteFailed);
  const int fd = fd_;
  fd_ = -1;
  // Listed until renamed or removed: a signal meanwhile unlinks a name that
  // is either the temporary file or no longer there.
  const int slot = std::exchange(slot_, -1);
  const int code = RenameIntoPlace(fd);
  UnlistUnfinished(slot);
  return code;
}

int FileReplacement::RenameIntoPlace(int fd) {
  if (::close(fd) != 0) {
    error_ = errno;
    ::unlink(temp_path_.c_str());
    return kOutputWriteFailed;
  }
  // Only a file is replaced: never a folder, FIFO or device of that name.
  struct stat now {};
  if (::lstat(target_.c_str(), &now) == 0 && !S_ISREG(now.st_mode)) {
    ::unlink(temp_path_.c_str());
    errno = S_ISDIR(now.st_mode) ? EISDIR : EINVAL;
    error_ = errno;
    return kOutputWriteFailed;
  }
  if (::rename(temp_path_.c_str(), target_.c_str()) != 0) {
    error_ = errno;
    ::unlink(temp_path_.c_str());
    return kOutputWriteFailed;
  }
  // The new name reaches the disk too (best effort: some file systems
  // cannot sync a folder).
  const std::string folder = FolderOf(target_);
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return kShellOk;
}

int ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes, int* error) {
  FileReplacement file;
  int code = file.Begin(path);
  if (code == kShellOk) code = file.Write(bytes);
  if (code == kShellOk) code = file.Commit();
  if (code != kShellOk && error != nullptr) *error = file.error();
  return code;
}

}  // namespace vidodez
