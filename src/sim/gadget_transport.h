#pragma once
// Serves a printer model over the kernel's USB printer gadget
// (usb_f_printer, e.g. /dev/g_printer0), so that a real host-side driver
// such as usblp talks to the same model as the simulated bus does.

#include <poll.h>
#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "sim/printer_model.h"

namespace vidodez::sim {

// The system calls the transport makes, so that a test can play the gadget
// (short writes, unbinds, half-read buffers) without a kernel. Failures
// return -1 with errno set, as the calls themselves do.
struct GadgetSystem {
  std::function<int(const std::string& path)> open;  // read-write, non-blocking
  std::function<int(int fd)> close;
  std::function<ssize_t(int fd, void* data, size_t size)> read;
  std::function<ssize_t(int fd, const void* data, size_t size)> write;
  std::function<int(pollfd* fds, nfds_t count, int timeout_ms)> poll;
  std::function<int(int fd, uint8_t status)> set_status;
  // Identity of the node at `path` and of the one `fd` was opened from: an
  // unbind removes the node and the next bind makes a new one.
  std::function<int(const std::string& path, ino_t* node)> path_node;
  std::function<int(int fd, ino_t* node)> fd_node;
};

GadgetSystem RealGadgetSystem();

// Serves `model` on `device` until `stop` becomes true (noticed within about
// 20 ms), following the gadget through unbinds and rebinds of its USB
// controller. `model_mutex` is held around every call into the model, so
// other threads may change its status or read its wire meanwhile; a changed
// status reaches the host within the same 20 ms. `on_ready` runs once, when
// the device is open and carries the model's status.
// Returns 0 after `stop`; an errno when the device cannot be served at all:
// ENOENT or EBUSY when it is missing or held by another process at the
// start, ENOTTY when it is not a printer gadget, or the error of a failing
// poll.
[[nodiscard]] int RunGadgetTransport(PrinterModel& model, std::mutex& model_mutex,
                                     const std::string& device, const std::atomic<bool>& stop,
                                     const std::function<void()>& on_ready = {},
                                     const GadgetSystem& system = RealGadgetSystem());

}  // namespace vidodez::sim
