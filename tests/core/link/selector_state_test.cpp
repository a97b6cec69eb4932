#include "core/link/selector_state.h"

#include <gtest/gtest.h>

#include "support/counting_usb.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

// Catches a refresh that asks the printer's status through the port a
// transfer holds, that forgets the status it last read meanwhile, and one
// that does not ask again once the port is free.
TEST(SelectorRefresh, LeavesThePortAloneWhileATransferHoldsIt) {
  test::SimBus bus;
  sim::SimPrinter& printer = bus.AddPrinter(test::PrinterOnPort(1));
  printer.SetStatus(4);  // PRINTING
  test::CountingUsb usb(bus.usb());
  CPrinterComm comm(usb);
  SelectorState state;
  EXPECT_EQ(RefreshSelection(usb, comm, state).status, 2);

  ASSERT_EQ(comm.OpenLink(0, 7, 9600), 0);
  comm.set_transfer_running(true);
  printer.SetStatus(0);
  const int asked = usb.status_requests;
  const SelectorRefresh held = RefreshSelection(usb, comm, state);
  EXPECT_EQ(usb.status_requests, asked);
  EXPECT_EQ(held.status, 2);
  EXPECT_EQ(state.last_status_index, 2);
  EXPECT_FALSE(held.selected_name.empty());

  comm.set_transfer_running(false);
  EXPECT_EQ(RefreshSelection(usb, comm, state).status, 0);
  EXPECT_GT(usb.status_requests, asked);
  comm.CloseLink();
}

}  // namespace
}  // namespace vidodez
