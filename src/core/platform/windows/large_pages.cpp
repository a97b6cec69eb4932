#include "core/platform/large_pages.h"

namespace vidodez::platform {

// Windows gives large pages only to a process holding the lock-memory
// privilege, and only through VirtualAlloc at allocation time; there is no
// hint for memory already allocated, so buffers keep their ordinary pages.
void AdviseLargePages(void* /*data*/, std::size_t /*size*/) {}

}  // namespace vidodez::platform
