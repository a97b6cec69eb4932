#pragma once
// Serves a printer model over the kernel's USB printer gadget
// (usb_f_printer, e.g. /dev/g_printer0), so that a real host-side driver
// such as usblp talks to the same model as the simulated bus does.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "core/platform/usb_gadget.h"
#include "sim/printer_model.h"

namespace vidodez::sim {

using platform::GadgetSystem;

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
                                     const GadgetSystem& system = platform::RealGadgetSystem());

}  // namespace vidodez::sim
