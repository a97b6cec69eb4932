#pragma once
// The printer selector's state, shared by the five pages that carry one: the
// remembered position (an index, not a name: when printers come or go, the
// same position is selected again) and the last status the refresh read,
// which the settings page consults before it sends.

#include <string>
#include <vector>

#include "core/link/printer_comm.h"

namespace vidodez {

struct SelectorState {
  int remembered_index = 0;
  int entry_count = 0;
  int last_status_index = -1;
};

struct SelectorRefresh {
  std::vector<std::string> names;
  std::string selected_name;  // empty: no printer at the remembered index
  int status = -1;            // status index, or -1 / -2
};

// The text of entry `index`, or empty for -1 or an index past the end.
std::string SelectedName(const std::vector<std::string>& names, int index);

// One refresh: list the printers, take the remembered entry, read its
// status and keep it as the last status index. While a transfer holds the
// port the status is not read, and the last one is given again.
SelectorRefresh RefreshSelection(platform::UsbPrintingClass& usb, CPrinterComm& comm,
                                 SelectorState& state);

}  // namespace vidodez
