#include "core/platform/windows/windows_errors.h"

#include <cerrno>

namespace vidodez::platform::win {
namespace {

struct Mapping {
  uint32_t windows_error;
  int error;
};

constexpr Mapping kMappings[] = {
    {kErrorSuccess, 0},
    {kErrorFileNotFound, ENOENT},
    {kErrorPathNotFound, ENOENT},
    {kErrorAccessDenied, EACCES},
    {kErrorInvalidHandle, EBADF},
    {kErrorNotEnoughMemory, ENOMEM},
    {kErrorNotReady, ENODEV},
    {kErrorGenFailure, ENODEV},
    {kErrorSharingViolation, EBUSY},
    {kErrorHandleEof, 0},
    {kErrorFileExists, EEXIST},
    {kErrorInvalidParameter, EINVAL},
    {kErrorBrokenPipe, ENODEV},
    {kErrorDiskFull, ENOSPC},
    {kErrorSemTimeout, ETIMEDOUT},
    {kErrorDirNotEmpty, ENOTEMPTY},
    {kErrorAlreadyExists, EEXIST},
    {kErrorPipeBusy, EBUSY},
    {kErrorNoData, ENODEV},
    {kErrorPipeNotConnected, ENODEV},
    {kWaitTimeout, ETIMEDOUT},
    {kErrorOperationAborted, ETIMEDOUT},
    {kErrorDeviceNotConnected, ENODEV},
    {kErrorNotFound, ENOENT},
    {kErrorTimeout, ETIMEDOUT},
};

}  // namespace

int ErrnoOf(uint32_t windows_error) {
  for (const Mapping& mapping : kMappings)
    if (mapping.windows_error == windows_error) return mapping.error;
  return EIO;
}

}  // namespace vidodez::platform::win
