#pragma once
// The printer's configuration label, printed by "U": what it is, how it is
// set, where it is on the network and what it holds.

#include <string>
#include <vector>

#include "core/network/wifi_command.h"
#include "sim/label_job.h"
#include "sim/stored_objects.h"

namespace vidodez::sim {

struct PrinterReport {
  std::string description;  // "MarliXPrinters VT-4100"
  std::string model;
  std::string serial;
  std::vector<std::string> settings;  // the settings reply's fields
  WifiSettings wifi;
  const StoredObjects* stored = nullptr;
  long labels_printed = 0;
};

// In resident fonts: the model, firmware version and ID, every settings
// field by its name with its value, the wired and Wi-Fi addresses and the
// stored forms, fonts and graphics.
LabelJob SelfTestLabel(const PrinterReport& report, int dpi, int label_width);

}  // namespace vidodez::sim
