#pragma once
// Bounded reads and writes on a non-blocking descriptor: nothing here waits
// longer than its caller allows.

#include <cstddef>
#include <cstdint>

#include "core/platform/linux/syscalls.h"

namespace vidodez::platform {

// Writes all bytes. Accepted bytes restart the clock, so a slow device taking
// a large file is never cut off; ETIMEDOUT after `stall_ms` without progress.
int WriteAll(const Syscalls& sys, int fd, const uint8_t* data, size_t size, int stall_ms,
             size_t* written);

// Waits up to `timeout_ms` for the descriptor to be readable, then reads once.
int ReadOnce(const Syscalls& sys, int fd, uint8_t* buffer, size_t capacity, int timeout_ms,
             size_t* got);

// Waits until the driver has handed every queued byte to the device, or
// ETIMEDOUT after `stall_ms`: closing earlier would drop the last transfer.
int WaitWritable(const Syscalls& sys, int fd, int stall_ms);

}  // namespace vidodez::platform
