#include "core/platform/large_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace vidodez::platform {

void AdviseLargePages(void* data, std::size_t size) {
  // The kernel's transparent huge pages: 2 MiB on the machines we run on;
  // only whole ones inside the buffer are asked for.
  constexpr std::size_t kLargePage = std::size_t{2} << 20;
  const std::size_t skip =
      (kLargePage - reinterpret_cast<std::uintptr_t>(data) % kLargePage) % kLargePage;
  if (size <= skip) return;
  const std::size_t length = (size - skip) / kLargePage * kLargePage;
  // A hint: a system without them refuses it, and nothing changes.
  if (length > 0) (void)::madvise(static_cast<char*>(data) + skip, length, MADV_HUGEPAGE);
}

}  // namespace vidodez::platform
