#pragma once
// What this process holds, for tests that check nothing leaks across many
// operations: open descriptors and resident memory.

#include <cstdint>

namespace vidodez::test {

// Under AddressSanitizer freed memory waits in a quarantine, so resident
// size grows with every allocation and says nothing about leaks.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kFreedMemoryIsHeld = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kFreedMemoryIsHeld = true;
#else
inline constexpr bool kFreedMemoryIsHeld = false;
#endif
#else
inline constexpr bool kFreedMemoryIsHeld = false;
#endif

// Entries of /proc/self/fd, without the one the count itself opens.
int OpenDescriptorCount();
// The count once it is `expected`, else the last count after two seconds:
// an in-process printer's thread closes its end of a connection a moment
// after the link closed its own.
int DescriptorCountSettlingAt(int expected);
// VmRSS of /proc/self/status in KiB; -1 when it cannot be read.
int64_t ResidentKiB();
// Starts the peak of resident memory afresh from what is resident now;
// false where the system does not allow it.
bool ResetPeakResident();
// VmHWM of /proc/self/status in KiB: the peak since the start or the last
// reset; -1 when it cannot be read.
int64_t PeakResidentKiB();

}  // namespace vidodez::test
