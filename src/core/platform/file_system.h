#pragma once
// The file and folder calls the core makes. Paths are UTF-8 (Windows takes
// them as UTF-16, so every name the operator gives may hold Chinese);
// descriptors are the C library's. The calls of the table return -1 and
// leave the cause in errno, as the system calls they stand for. A table is
// passed in where a test must make a read fail half-way or a folder
// unreadable whoever runs it (root reads and writes through any permission
// bits).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vidodez::platform {

enum class FileKind { kRegular, kFolder, kLink, kOther };

struct FileStatus {
  FileKind kind = FileKind::kOther;
  std::uint64_t size = 0;
  // The permission bits (07777) and the owner, where the system has them.
  unsigned permissions = 0;
  unsigned owner = 0;
  unsigned group = 0;
  // Two names of one file give the same pair.
  std::uint64_t device = 0;
  std::uint64_t node = 0;
};

struct FolderEntry {
  std::string name;
  // What the entry is, a link counting as what it points to (kOther when
  // that cannot be told).
  FileKind kind = FileKind::kOther;
};

// What an open asks for; one of the first three, with any of the others.
enum OpenMode : unsigned {
  kOpenRead = 1U << 0,
  kOpenWrite = 1U << 1,
  kOpenReadWrite = 1U << 2,
  kOpenCreate = 1U << 3,  // a new file gets `permissions` (less the umask)
  kOpenExclusive = 1U << 4,
  kOpenTruncate = 1U << 5,
  kOpenAppend = 1U << 6,
  // A FIFO or device opens without waiting for its other end; the caller
  // tells from its status what it got.
  kOpenNoWait = 1U << 7,
};

struct FileCalls {
  int (*open)(const char* path, unsigned mode, unsigned permissions);
  int (*close)(int fd);
  int (*status)(int fd, FileStatus* status);
  // Follows symbolic links.
  int (*path_status)(const char* path, FileStatus* status);
  // Tells a symbolic link as kLink.
  int (*link_status)(const char* path, FileStatus* status);
  std::int64_t (*read)(int fd, void* buffer, std::size_t size);
  // A write past the process's file-size limit fails with EFBIG instead of
  // ending the program.
  std::int64_t (*write)(int fd, const void* data, std::size_t size);
  std::int64_t (*read_at)(int fd, void* buffer, std::size_t size, std::uint64_t offset);
  std::int64_t (*write_at)(int fd, const void* data, std::size_t size, std::uint64_t offset);
  // The entries but "." and "..", in the system's order.
  int (*list_folder)(const char* path, std::vector<FolderEntry>* entries);
};

const FileCalls& DefaultFileCalls();

// Writes every byte, through interruptions: 0 or an errno (ENOSPC for a
// write that took nothing, EFBIG past the file-size limit).
[[nodiscard]] int WriteAll(int fd, const std::uint8_t* data, std::size_t size);

// Reads until `size` bytes are in or the file ends; `*got` says how many.
// 0 or the errno of a failed read.
[[nodiscard]] int ReadFully(int fd, void* buffer, std::size_t size, std::size_t* got);

// Makes reads and writes of `fd` wait again after a kOpenNoWait open (reads
// of a regular file never wait for a writer).
void SetBlocking(int fd);

// A C stream over `fd`, which it then owns; null (errno set) on failure.
std::FILE* OpenStream(int fd, const char* mode);

// 0 or an errno; EINVAL when `path` is no symbolic link (Windows follows
// none).
[[nodiscard]] int ReadLink(const std::string& path, std::string* target);

// Gives `fd` the owner (where allowed) and the permissions of `old`: a
// replaced file keeps them. 0 or an errno.
[[nodiscard]] int KeepOwnerAndPermissions(int fd, const FileStatus& old);

// Pushes the file's data to the disk: 0 or an errno.
[[nodiscard]] int SyncFile(int fd);

// Puts `from` in the place of `to` in one step: whoever opens `to` finds the
// old file or the new one, never neither. 0 or an errno.
[[nodiscard]] int ReplaceWith(const std::string& from, const std::string& to);

// Best effort: the folder's entries (a name just replaced) reach the disk.
void SyncFolder(const std::string& folder);

// 0 or an errno.
int RemoveFile(const std::string& path);
// The same without a result, safe in a signal handler.
void RemoveFileNow(const char* path);

// Whether anything stands at `path`, a link followed.
bool PathExists(const std::string& path);

}  // namespace vidodez::platform
