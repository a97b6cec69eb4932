#include "core/link/selector_state.h"

#include "core/link/port_names.h"

namespace vidodez {

std::string SelectedName(const std::vector<std::string>& names, int index) {
  if (index < 0 || static_cast<size_t>(index) >= names.size()) return {};
  return names[static_cast<size_t>(index)];
}

SelectorRefresh RefreshSelection(platform::UsbPrintingClass& usb, CPrinterComm& comm,
                                 SelectorState& state) {
  SelectorRefresh refresh;
  (void)EnumeratePrinters(usb, &refresh.names);
  state.entry_count = static_cast<int>(refresh.names.size());
  refresh.selected_name = SelectedName(refresh.names, state.remembered_index);
  // A long transfer holds the port: the status is asked again once it is
  // free, and the last one read stands meanwhile.
  if (comm.transfer_running()) {
    refresh.status = state.last_status_index;
    return refresh;
  }
  refresh.status = comm.GetPrinterStatus(refresh.selected_name);
  state.last_status_index = refresh.status;
  return refresh;
}

}  // namespace vidodez
