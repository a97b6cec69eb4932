#include "core/platform/usb_gadget.h"

#include <cerrno>

namespace vidodez::platform {

// The kernel's printer gadget is Linux's: there is none to open here.
GadgetSystem RealGadgetSystem() {
  GadgetSystem sys;
  sys.open = [](const std::string&) {
    errno = ENOTSUP;
    return -1;
  };
  sys.close = [](int) { return 0; };
  sys.read = [](int, void*, size_t) -> int64_t {
    errno = ENOTSUP;
    return -1;
  };
  sys.write = [](int, const void*, size_t) -> int64_t {
    errno = ENOTSUP;
    return -1;
  };
  sys.poll = [](GadgetPoll*, size_t, int) {
    errno = ENOTSUP;
    return -1;
  };
  sys.set_status = [](int, uint8_t) {
    errno = ENOTSUP;
    return -1;
  };
  sys.path_node = [](const std::string&, uint64_t*) {
    errno = ENOTSUP;
    return -1;
  };
  sys.fd_node = [](int, uint64_t*) {
    errno = ENOTSUP;
    return -1;
  };
  return sys;
}

}  // namespace vidodez::platform
