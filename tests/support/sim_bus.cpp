#include "support/sim_bus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace vidodez::test {

sim::SimPrinter& SimBus::AddPrinter(sim::PrinterOptions options) {
  printers_.push_back(std::make_unique<sim::SimPrinter>(dir_.path(), std::move(options)));
  int rc = printers_.back()->Start();
  EXPECT_EQ(rc, 0) << "simulated printer did not start: " << std::strerror(rc);
  return *printers_.back();
}

sim::PrinterOptions PrinterOnPort(int port_number) {
  sim::PrinterOptions options;
  options.port_number = port_number;
  return options;
}

std::string Escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c < 0x20 || c >= 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02x", c);
      out += hex;
    } else out += static_cast<char>(c);
  }
  return out;
}

}  // namespace vidodez::test
