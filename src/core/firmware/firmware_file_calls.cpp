#include "core/firmware/firmware_file_calls.h"

#include <fcntl.h>
#include <unistd.h>

namespace vidodez {

const FirmwareFileCalls& DefaultFirmwareFileCalls() {
  static const FirmwareFileCalls calls{
      [](const char* path, int flags) { return ::open(path, flags); },
      ::close,
      ::fstat,
      ::stat,
      ::pread,
      ::pwrite,
      ::opendir,
  };
  return calls;
}

}  // namespace vidodez
