#pragma once
// The kernel's USB printer gadget (usb_f_printer, e.g. /dev/g_printer0), the
// device through which the simulator can play a printer to a real host-side
// driver. Its calls are passed in, so that a test can play the gadget (short
// writes, unbinds, half-read buffers) without a kernel. Failures return -1
// with errno set, as the calls themselves do; the gadget's ESHUTDOWN (not
// configured by the host, or the host went away) arrives as the ENODEV that
// says the same. Only Linux has the gadget: elsewhere the open fails with
// ENOTSUP.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vidodez::platform {

// One descriptor of a wait, as poll takes it.
struct GadgetPoll {
  int fd = -1;
  short events = 0;
  short revents = 0;
};

inline constexpr short kGadgetReadable = 0x1;
inline constexpr short kGadgetWritable = 0x2;
// In `revents` only: an error, a hang-up or a descriptor that is not open.
inline constexpr short kGadgetBroken = 0x4;

struct GadgetSystem {
  std::function<int(const std::string& path)> open;  // read-write, non-blocking
  std::function<int(int fd)> close;
  std::function<int64_t(int fd, void* data, size_t size)> read;
  std::function<int64_t(int fd, const void* data, size_t size)> write;
  // Without descriptors it only sleeps.
  std::function<int(GadgetPoll* fds, size_t count, int timeout_ms)> poll;
  std::function<int(int fd, uint8_t status)> set_status;
  // Identity of the node at `path` and of the one `fd` was opened from: an
  // unbind removes the node and the next bind makes a new one.
  std::function<int(const std::string& path, uint64_t* node)> path_node;
  std::function<int(int fd, uint64_t* node)> fd_node;
};

GadgetSystem RealGadgetSystem();

}  // namespace vidodez::platform
