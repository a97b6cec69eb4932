#include "core/link/port_names.h"

#include <gtest/gtest.h>

#include "core/link/selector_state.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

const char kGuid[] = "#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

TEST(AcceptedInterface, OnlyTheMakersPairsAnywhereInThePath) {
  struct Case {
    std::string path;
    bool accepted;
  } cases[] = {
      {std::string("\\\\?\\usb#vid_0471&pid_0168#SIM0001") + kGuid, true},
      {std::string("\\\\?\\USB#VID_03EB&PID_6119#A1") + kGuid, true},
      {std::string("\\\\?\\usb#vid_03eb&pid_6120#A1") + kGuid, false},
      {std::string("\\\\?\\usb#vid_03eb&pid_6120#SIM0003") + kGuid, true},  // "003" in the serial
      {std::string("\\\\?\\usb#vid_2a63&pid_0001#X") + kGuid, true},
      {std::string("\\\\?\\usb#vid_04b8&pid_0202#X") + kGuid, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(IsAcceptedInterface(c.path), c.accepted);
  }
}

TEST(DisplayName, RoundTripsToThePortNumber) {
  struct Case {
    int usb_port;
    std::string name;
    int port_number;
  } cases[] = {
      {1, "USB01 [D]\n", 7},
      {3, "USB03 [D]\n", 9},
      {300, "USB300 [D]\n", 306},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DisplayName(c.usb_port, "D"), c.name);
    EXPECT_EQ(PortNumberFromName(c.name), c.port_number);
  }
  EXPECT_EQ(PortNumberFromName("uSb02 [x]\n"), 8);
  EXPECT_EQ(PortNumberFromName("COM1"), -1);
  EXPECT_EQ(PortNumberFromName("us"), -1);
}

TEST(ModelText, RemovesTheFirstMakerPrefixFoundAndEveryBracket) {
  EXPECT_EQ(ModelText("USB01 [MarliXPrinters VT-4100]\n"), " VT-4100\n");
  EXPECT_EQ(ModelText("USB01 [QUORINPrinters Q1]\n"), " Q1\n");
  EXPECT_EQ(ModelText("USB01 [Label Printer]\n"), "[Label Printer\n");
  // Only the first prefix that occurs goes, wherever it occurs.
  EXPECT_EQ(ModelText("USB01 [MARLIXPrinters A [MARLIXPrinters B]\n"), " A  B\n");
  EXPECT_EQ(ModelText("USB01 no bracket\n"), "");
}

TEST(EnumeratePrinters, ListsOnlyAcceptedPrintersWithShortDescriptions) {
  test::SimBus bus;
  bus.AddPrinter(test::PrinterOnPort(1));
  sim::PrinterOptions foreign = test::PrinterOnPort(2);
  foreign.vid = 0x04b8;
  foreign.pid = 0x0202;
  foreign.serial = "FOREIGN";
  bus.AddPrinter(foreign);
  sim::PrinterOptions long_name = test::PrinterOnPort(4);
  long_name.description = std::string(50, 'L');
  bus.AddPrinter(long_name);
  sim::PrinterOptions just_fits = test::PrinterOnPort(5);
  just_fits.description = std::string(49, 'F');
  bus.AddPrinter(just_fits);

  std::vector<std::string> names;
  ASSERT_EQ(EnumeratePrinters(bus.usb(), &names), 0);
  EXPECT_EQ(names, (std::vector<std::string>{"USB01 [MarliXPrinters VT-4100]\n",
                                             "USB05 [" + std::string(49, 'F') + "]\n"}));
}

TEST(SelectorState, RemembersThePositionNotThePrinter) {
  test::SimBus bus;
  auto& first = bus.AddPrinter(test::PrinterOnPort(1));
  bus.AddPrinter(test::PrinterOnPort(2));
  auto& third = bus.AddPrinter(test::PrinterOnPort(3));
  third.SetStatus(1);
  CPrinterComm comm(bus.usb());
  SelectorState state;
  state.remembered_index = 1;
  EXPECT_EQ(RefreshSelection(bus.usb(), comm, state).selected_name.substr(0, 5), "USB02");
  EXPECT_EQ(state.last_status_index, 0);
  first.Unplug();
  SelectorRefresh refresh = RefreshSelection(bus.usb(), comm, state);
  EXPECT_EQ(refresh.selected_name.substr(0, 5), "USB03");
  EXPECT_EQ(refresh.status, 1);
  EXPECT_EQ(state.last_status_index, 1);
  EXPECT_EQ(state.entry_count, 2);
  state.remembered_index = 5;
  EXPECT_EQ(RefreshSelection(bus.usb(), comm, state).selected_name, "");
  EXPECT_EQ(state.last_status_index, -1);
}

}  // namespace
}  // namespace vidodez
