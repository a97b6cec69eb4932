#pragma once
// Large buffers (a decoded photograph is tens of megabytes) are faulted in
// page by page as they are first written, and at 4 KiB a page that costs
// more than filling them. Where the system has larger pages, a buffer can
// ask for them before it is touched.

#include <cstddef>

namespace vidodez::platform {

// A hint for the whole large pages inside [data, data + size), given before
// the memory is first written; nothing happens where the system has none.
void AdviseLargePages(void* data, std::size_t size);

}  // namespace vidodez::platform
