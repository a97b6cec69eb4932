#pragma once
// The simulator program's command line.

#include <string>
#include <vector>

#include "sim/printer_model.h"

namespace vidodez::sim {

struct SimCommandLine {
  std::string bus_dir;    // empty: the default bus
  std::string gadget;     // serve the kernel's printer gadget instead of the bus
  std::string label_dir;  // where printed labels go as pictures; empty: nowhere
  PrinterOptions printer;
  bool help = false;
  bool version = false;
};

// 0, or 2 with `*error` set for a command line that cannot be run.
int ParseSimCommandLine(const std::vector<std::string>& args, SimCommandLine* line,
                        std::string* error);

extern const char kSimUsage[];

}  // namespace vidodez::sim
