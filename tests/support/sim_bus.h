#pragma once
// A private simulated USB bus for one test, with printers running in-process.

#include <memory>
#include <string>
#include <vector>

#include "core/platform/sim/sim_bus_backend.h"
#include "sim/sim_printer.h"
#include "support/temp_dir.h"

namespace vidodez::test {

class SimBus {
 public:
  SimBus() : usb_(dir_.path()) {}

  // Starts a printer on this bus; fails the test when it cannot.
  sim::SimPrinter& AddPrinter(sim::PrinterOptions options = {});

  platform::SimBusBackend& usb() { return usb_; }
  std::string File(const std::string& name) const { return dir_.File(name); }

 private:
  TempDir dir_;
  platform::SimBusBackend usb_;
  std::vector<std::unique_ptr<sim::SimPrinter>> printers_;
};

sim::PrinterOptions PrinterOnPort(int port_number);

// Bytes with CR, LF and other control bytes spelled out, for failure messages.
std::string Escaped(const std::string& bytes);

}  // namespace vidodez::test

// The exact bytes a simulated printer received.
#define EXPECT_WIRE(printer, expected) \
  EXPECT_EQ(::vidodez::test::Escaped((printer).WireText()), ::vidodez::test::Escaped(expected))
