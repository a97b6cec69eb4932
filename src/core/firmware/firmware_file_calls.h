#pragma once
// The file-system calls of the firmware folder, passed in so that tests can
// make a folder unreadable, a read fail half-way or a write fail, whoever
// runs them (root reads and writes through any permission bits).

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace vidodez {

struct FirmwareFileCalls {
  int (*open)(const char* path, int flags);
  int (*close)(int fd);
  int (*fstat)(int fd, struct stat* info);
  int (*stat)(const char* path, struct stat* info);
  ssize_t (*pread)(int fd, void* buffer, size_t size, off_t offset);
  ssize_t (*pwrite)(int fd, const void* data, size_t size, off_t offset);
  // The listing itself goes through readdir and closedir.
  DIR* (*opendir)(const char* path);
};

const FirmwareFileCalls& DefaultFirmwareFileCalls();

}  // namespace vidodez
