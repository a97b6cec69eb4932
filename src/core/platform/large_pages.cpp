#include "core/platform/large_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace vidodez::platform {

void AdviseLargePages(void* data, std::size_t size) {
  // The kernel's transparent huge pages: 2 MiB on the machines we run on;
  // only whole ones inside the buffer are asked for.
  constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t end = (start + size) & ~(kLargePage - 1);
  // A hint: a system without them refuses it, and nothing changes.
  if (end > first) (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace vidodez::platform
