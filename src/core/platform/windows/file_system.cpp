#include "core/platform/file_system.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <climits>

#include "core/platform/windows/wide_text.h"

namespace vidodez::platform {
namespace {

int Failed(int error) {
  errno = error;
  return -1;
}

DWORD Disposition(unsigned mode) {
  if ((mode & kOpenCreate) != 0) {
    if ((mode & kOpenExclusive) != 0) return CREATE_NEW;
    return (mode & kOpenTruncate) != 0 ? CREATE_ALWAYS : OPEN_ALWAYS;
  }
  return (mode & kOpenTruncate) != 0 ? TRUNCATE_EXISTING : OPEN_EXISTING;
}

// Kind, size and identity of an open handle. A pipe or a character device
// (a console, a port) is neither a file nor a folder.
int StatusOfHandle(HANDLE handle, FileStatus* status) {
  *status = FileStatus{};
  const DWORD type = GetFileType(handle);
  if (type != FILE_TYPE_DISK) {
    status->kind = FileKind::kOther;
    return 0;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) return Failed(win::LastErrno());
  const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  status->kind = folder ? FileKind::kFolder : FileKind::kRegular;
  status->size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  status->permissions = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
  status->device = info.dwVolumeSerialNumber;
  status->node = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  return 0;
}

HANDLE OpenHandle(const char* path, DWORD access, DWORD disposition) {
  // Backup semantics open folders too, so a folder is told from a file by
  // its status rather than by a refused open.
  return CreateFileW(win::Widen(path).c_str(), access,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

int Open(const char* path, unsigned mode, unsigned permissions) {
  DWORD access = GENERIC_READ;
  int flags = _O_BINARY | _O_NOINHERIT | _O_RDONLY;
  if ((mode & kOpenReadWrite) != 0) {
    access = GENERIC_READ | GENERIC_WRITE;
    flags = _O_BINARY | _O_NOINHERIT | _O_RDWR;
  } else if ((mode & kOpenWrite) != 0) {
    access = GENERIC_WRITE;
    flags = _O_BINARY | _O_NOINHERIT | _O_WRONLY;
  }
  if ((mode & kOpenAppend) != 0) flags |= _O_APPEND;
  HANDLE handle = OpenHandle(path, access, Disposition(mode));
  if (handle == INVALID_HANDLE_VALUE) return Failed(win::LastErrno());
  // A file made without the owner's write bit is made read-only.
  if ((mode & kOpenCreate) != 0 && (permissions & 0200) == 0)
    SetFileAttributesW(win::Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
  if (fd < 0) {
    CloseHandle(handle);
    return Failed(EMFILE);
  }
  return fd;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

int Status(int fd, FileStatus* status) {
  HANDLE handle = HandleOf(fd);
  if (handle == INVALID_HANDLE_VALUE) return Failed(EBADF);
  return StatusOfHandle(handle, status);
}

// Windows follows no links of ours: a path's status is its target's.
int PathStatus(const char* path, FileStatus* status) {
  HANDLE handle = OpenHandle(path, 0, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) return Failed(win::LastErrno());
  const int rc = StatusOfHandle(handle, status);
  CloseHandle(handle);
  return rc;
}

int64_t Read(int fd, void* buffer, size_t size) {
  return _read(fd, buffer, static_cast<unsigned>(size > INT_MAX ? INT_MAX : size));
}

int64_t Write(int fd, const void* data, size_t size) {
  return _write(fd, data, static_cast<unsigned>(size > INT_MAX ? INT_MAX : size));
}

int64_t Transfer(int fd, void* buffer, const void* data, size_t size, uint64_t offset) {
  HANDLE handle = HandleOf(fd);
  if (handle == INVALID_HANDLE_VALUE) return Failed(EBADF);
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xffffffffu);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD moved = 0;
  const DWORD want = static_cast<DWORD>(size > MAXDWORD ? MAXDWORD : size);
  const BOOL ok = buffer != nullptr ? ReadFile(handle, buffer, want, &moved, &at)
                                    : WriteFile(handle, data, want, &moved, &at);
  if (ok) return moved;
  if (GetLastError() == ERROR_HANDLE_EOF) return 0;
  return Failed(win::LastErrno());
}

int64_t ReadAt(int fd, void* buffer, size_t size, uint64_t offset) {
  return Transfer(fd, buffer, nullptr, size, offset);
}

int64_t WriteAt(int fd, const void* data, size_t size, uint64_t offset) {
  return Transfer(fd, nullptr, data, size, offset);
}

int ListFolder(const char* path, std::vector<FolderEntry>* entries) {
  entries->clear();
  const std::string folder = std::string(path) + "/";
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(win::Widen(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return Failed(win::LastErrno());
  do {
    FolderEntry entry{win::Narrow(found.cFileName), FileKind::kOther};
    if (entry.name == "." || entry.name == "..") continue;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      FileStatus status;
      if (PathStatus((folder + entry.name).c_str(), &status) == 0) entry.kind = status.kind;
    } else {
      const bool is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      entry.kind = is_folder ? FileKind::kFolder : FileKind::kRegular;
    }
    entries->push_back(std::move(entry));
  } while (FindNextFileW(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  return error == ERROR_NO_MORE_FILES ? 0 : Failed(win::LastErrno());
}

}  // namespace

const FileCalls& DefaultFileCalls() {
  static const FileCalls calls{Open, _close, Status, PathStatus, PathStatus,
                               Read, Write,  ReadAt, WriteAt,    ListFolder};
  return calls;
}

// Reads of a file never wait for a writer on Windows.
void SetBlocking(int /*fd*/) {}

std::FILE* OpenStream(int fd, const char* mode) { return _fdopen(fd, mode); }

int ReadLink(const std::string& /*path*/, std::string* /*target*/) { return EINVAL; }

// A replaced file keeps its security through ReplaceFileW.
int KeepOwnerAndPermissions(int /*fd*/, const FileStatus& /*old*/) { return 0; }

int SyncFile(int fd) { return _commit(fd) == 0 ? 0 : errno; }

int ReplaceWith(const std::string& from, const std::string& to) {
  const std::wstring source = win::Widen(from);
  const std::wstring target = win::Widen(to);
  // ReplaceFileW keeps the old file's attributes and security; a target that
  // is not there yet is moved into place.
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                   nullptr, nullptr)) {
    return 0;
  }
  if (MoveFileExW(source.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  return win::LastErrno();
}

// MOVEFILE_WRITE_THROUGH has put the name on the disk already.
void SyncFolder(const std::string& /*folder*/) {}

int RemoveFile(const std::string& path) {
  return DeleteFileW(win::Widen(path).c_str()) ? 0 : win::LastErrno();
}

// The runtime calls a handler on a thread of its own, where allocating is
// no danger.
void RemoveFileNow(const char* path) { (void)RemoveFile(path); }

bool PathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesW(win::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace vidodez::platform
