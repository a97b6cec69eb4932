#include "core/platform/usb_gadget.h"

#include <errno.h>
#include <fcntl.h>
#include <linux/usb/g_printer.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace vidodez::platform {
namespace {

template <typename Result>
Result ShutdownAsUnplug(Result result) {
  if (result < 0 && errno == ESHUTDOWN) errno = ENODEV;
  return result;
}

int Poll(GadgetPoll* fds, size_t count, int timeout_ms) {
  std::vector<pollfd> polled(count);
  for (size_t i = 0; i < count; ++i) {
    short events = 0;
    if ((fds[i].events & kGadgetReadable) != 0) events |= POLLIN;
    if ((fds[i].events & kGadgetWritable) != 0) events |= POLLOUT;
    polled[i] = {fds[i].fd, events, 0};
  }
  const int n = ShutdownAsUnplug(::poll(polled.data(), polled.size(), timeout_ms));
  for (size_t i = 0; i < count; ++i) {
    short found = 0;
    if ((polled[i].revents & POLLIN) != 0) found |= kGadgetReadable;
    if ((polled[i].revents & POLLOUT) != 0) found |= kGadgetWritable;
    if ((polled[i].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) found |= kGadgetBroken;
    fds[i].revents = found;
  }
  return n;
}

}  // namespace

GadgetSystem RealGadgetSystem() {
  GadgetSystem sys;
  sys.open = [](const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  };
  sys.close = [](int fd) { return ::close(fd); };
  sys.read = [](int fd, void* data, size_t size) -> int64_t {
    return ShutdownAsUnplug(::read(fd, data, size));
  };
  sys.write = [](int fd, const void* data, size_t size) -> int64_t {
    return ShutdownAsUnplug(::write(fd, data, size));
  };
  sys.poll = Poll;
  // The printer function takes the new status byte as the ioctl argument
  // itself, not through a pointer.
  sys.set_status = [](int fd, uint8_t status) {
    const int rc = ::ioctl(fd, GADGET_SET_PRINTER_STATUS, static_cast<unsigned long>(status));
    return ShutdownAsUnplug(rc) < 0 ? -1 : 0;
  };
  sys.path_node = [](const std::string& path, uint64_t* node) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    *node = st.st_ino;
    return 0;
  };
  sys.fd_node = [](int fd, uint64_t* node) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return -1;
    *node = st.st_ino;
    return 0;
  };
  return sys;
}

}  // namespace vidodez::platform
