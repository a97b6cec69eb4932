#include "core/shell/file_replacement.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>

#include "core/platform/file_system.h"
#include "core/platform/process.h"
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
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    platform::FileStatus info;
    if (calls.link_status(path.c_str(), &info) != 0 || info.kind != platform::FileKind::kLink) {
      *target = std::move(path);
      return true;
    }
    std::string next;
    if (const int error = platform::ReadLink(path, &next); error != 0) {
      errno = error;
      return false;
    }
    path = next.front() == '/' ? next : FolderOf(path).append(next);
  }
  errno = ELOOP;
  return false;
}

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
    if (slot.state.load() == kListed) platform::RemoveFileNow(slot.path);
  }
}

FileReplacement::~FileReplacement() { Drop(); }

void FileReplacement::Drop() {
  if (fd_ < 0) return;
  platform::DefaultFileCalls().close(fd_);
  (void)platform::RemoveFile(temp_path_);
  fd_ = -1;
  UnlistUnfinished(std::exchange(slot_, -1));
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
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  platform::FileStatus old;
  const bool replacing =
      calls.path_status(target_.c_str(), &old) == 0 && old.kind == platform::FileKind::kRegular;
  // A short name of our own beside the target: on the same file system, so
  // the rename is atomic, and short, so any valid target name has room.
  const std::string folder = FolderOf(target_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path_ = folder + ".vdz" + Hex(static_cast<unsigned long>(platform::ProcessId())) + "-" +
                 Hex(temp_counter.fetch_add(1)) + ".tmp";
    // Listed before it exists, so a signal right after the open finds it;
    // the name holds our process id, so no other program's file is listed.
    slot_ = ListUnfinished(temp_path_);
    // A new file gets the mode the umask gives; a replaced one keeps its own,
    // and is never readable by others meanwhile.
    fd_ = calls.open(temp_path_.c_str(),
                     platform::kOpenWrite | platform::kOpenCreate | platform::kOpenExclusive,
                     replacing ? 0600 : 0666);
    if (fd_ >= 0) break;
    const int open_error = errno;
    UnlistUnfinished(std::exchange(slot_, -1));
    errno = open_error;
    if (errno != EEXIST) break;
  }
  if (fd_ < 0) return Fail(kOutputCreateFailed);
  if (replacing) {
    if (const int error = platform::KeepOwnerAndPermissions(fd_, old); error != 0) {
      errno = error;
      return Fail(kOutputCreateFailed);
    }
  }
  return kShellOk;
}

int FileReplacement::Write(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0) {
    errno = EBADF;
    return Fail(kOutputWriteFailed);
  }
  if (const int error = platform::WriteAll(fd_, bytes.data(), bytes.size()); error != 0) {
    errno = error;
    return Fail(kOutputWriteFailed);
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
  if (const int error = platform::SyncFile(fd_); error != 0) {
    errno = error;
    return Fail(kOutputWriteFailed);
  }
  const int fd = fd_;
  fd_ = -1;
  // Listed until renamed or removed: a signal meanwhile removes a name that
  // is either the temporary file or no longer there.
  const int slot = std::exchange(slot_, -1);
  const int code = RenameIntoPlace(fd);
  UnlistUnfinished(slot);
  return code;
}

int FileReplacement::RenameIntoPlace(int fd) {
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  if (calls.close(fd) != 0) {
    error_ = errno;
    (void)platform::RemoveFile(temp_path_);
    return kOutputWriteFailed;
  }
  // Only a file is replaced: never a folder, FIFO or device of that name.
  platform::FileStatus now;
  if (calls.link_status(target_.c_str(), &now) == 0 && now.kind != platform::FileKind::kRegular) {
    (void)platform::RemoveFile(temp_path_);
    error_ = now.kind == platform::FileKind::kFolder ? EISDIR : EINVAL;
    errno = error_;
    return kOutputWriteFailed;
  }
  if (const int error = platform::ReplaceWith(temp_path_, target_); error != 0) {
    error_ = error;
    (void)platform::RemoveFile(temp_path_);
    return kOutputWriteFailed;
  }
  // The new name reaches the disk too (best effort: some file systems
  // cannot sync a folder).
  platform::SyncFolder(FolderOf(target_));
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
