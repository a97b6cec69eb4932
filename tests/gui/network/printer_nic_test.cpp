// The network page through its controls, against a simulated printer: what
// the window adds to the page model (controls reaching the model and coming
// back, the states the rules give them, the texts of both languages), the
// whole round of reading, sending and resetting, and the ping.
#include "gui/network/printer_nic_ui.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <system_error>

#include "core/network/icmp_pinger.h"
#include "gui/window/transfer_runner.h"
#include "gui/window/wait_window.h"
#include "gui_fixture.h"
#ifndef _WIN32
#include "support/net_namespace.h"
#endif
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

constexpr char kRead[] = "^G1\r\n\r\n";

// The printer is read quietly when the page is shown.
class NetworkPageUi : public test::PageTest<PrinterNicUI, kPageNetwork> {
 protected:
  NetworkPageUi() : PageTest("SetPrinterNic") {}
  void TypeAddress(const char* group, const QStringList& octets) {
    for (int i = 0; i < 4; ++i) {
      const QByteArray name = QByteArray(group) + (i == 0 ? "" : QByteArray::number(i));
      Type(name.constData(), octets[i]);
    }
  }
  QStringList Address(const char* group) {
    QStringList octets;
    for (int i = 0; i < 4; ++i)
      octets << Text((QByteArray(group) + (i == 0 ? "" : QByteArray::number(i))).constData());
    return octets;
  }
  // Clicks `button` and closes the countdown it opens once it shows its
  // first hint, giving that hint back ("" when none opened).
  QString ClickThroughCountdown(const char* button) {
    QString hint;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* wait = qobject_cast<CDateAccessWnd*>(widget);
        if (wait == nullptr || !wait->isVisible()) continue;
        hint = wait->HintText();
        if (hint.isEmpty()) continue;
        if (auto* close = FindControl<QAbstractButton>(wait, "LabelUI1")) test::UserClick(close);
      }
    });
    poll.start(20);
    Click(button);
    return hint;
  }
};

// Catches an edit's rule not applied as the operator types, the interlocks
// not reaching the controls, DHCP tickable in Server(AP) mode, and the
// UTF-8 choice not following a language switch.
TEST_F(NetworkPageUi, InputRulesAndInterlocksReachTheControls) {
  Printer();
  SetLanguage("eng");
  Type("NicIPAddressEdit2", "300");
  EXPECT_EQ(Text("NicIPAddressEdit2"), "255");
  Type("NicNetPortEdit", "123456");
  EXPECT_EQ(Text("NicNetPortEdit"), "1234");
  Choose("WirelessModeCombo", 0);
  EXPECT_EQ(Address("NicGateWayEdit"), (QStringList{"10", "10", "100", "254"}));
  EXPECT_EQ(Control<QComboBox>("ChannelCombo")->currentIndex(), 7);

  Click("WifiSettingOp");
  // A server takes no address by DHCP: greyed out, a click does not tick it.
  EXPECT_FALSE(Enabled("DhcpSettingOp"));
  Click("DhcpSettingOp");
  EXPECT_FALSE(Checked("DhcpSettingOp"));
  Choose("WirelessModeCombo", 1);
  EXPECT_TRUE(Enabled("DhcpSettingOp"));
  Click("DhcpSettingOp");
  ASSERT_TRUE(Checked("DhcpSettingOp"));
  for (const char* edit : {"NicIPAddressEdit", "NicIPAddressEdit3"}) EXPECT_FALSE(Enabled(edit));
  EXPECT_TRUE(Enabled("NicSubNetMaskEdit") && Enabled("NicNetPortEdit"));
  Click("CodingModeOp");  // any other option brings the address back
  EXPECT_TRUE(Enabled("NicIPAddressEdit"));
  Click("WifiSettingOp");
  EXPECT_FALSE(Checked("DhcpSettingOp") || Enabled("DhcpSettingOp"));

  Choose("SecurityModeCombo", 1);  // "Open"
  EXPECT_TRUE(Control<QWidget>("PasskeyEdit")->isHidden());
  EXPECT_TRUE(Control<QWidget>("PasskeyLabel")->isHidden());
  Choose("SecurityModeCombo", 2);
  EXPECT_FALSE(Control<QWidget>("PasskeyEdit")->isHidden());
  // UTF-8 (ticked above) follows a language switch.
  SetLanguage("eng");
  EXPECT_FALSE(Checked("CodingModeOp"));
  SetLanguage("chi");
  EXPECT_TRUE(Checked("CodingModeOp"));
}

// Catches a check's message in the wrong language or not moving the focus.
TEST_F(NetworkPageUi, RefusedWifiSendTellsWhyAndFocusesTheEdit) {
  auto& printer = Printer();
  rig_.frame().show();
  rig_.frame().activateWindow();
  ASSERT_TRUE(test::WaitForWindowActive(&rig_.frame()));
  SetLanguage("chi");
  Click("WifiSettingOp");
  Click("NicSettingBtn");
  EXPECT_EQ(Shown(), std::vector<std::string>{"网络名称不能为空"});
  EXPECT_EQ(QApplication::focusWidget(), Control<QWidget>("WifiNameEdit"));
  Type("WifiNameEdit", "Office");
  Type("PasskeyEdit", "short");
  rig_.dialogs.QueueBoxAnswer(kBoxOk);  // the UTF-8 question
  Click("NicSettingBtn");
  EXPECT_EQ(Shown().back(), "密码长度必须为8-32");
  EXPECT_EQ(QApplication::focusWidget(), Control<QWidget>("PasskeyEdit"));
  EXPECT_EQ(printer.WireText(), kRead);
}

// The operator's whole round: the wired addresses read, changed and read
// back, a Wi-Fi configuration sent and its addresses read back from the
// module, and the module reset. Catches
// controls that do not reach the model, a send without its countdown, a
// Wi-Fi read that asks "^G1", and a reset that says nothing.
TEST_F(NetworkPageUi, ReadsSendsAndResetsThePrinter) {
  test::TempDir state;
  sim::PrinterOptions options = test::PrinterOnPort(1);
  options.state_dir = state.path();
  auto& printer = Printer(options);
  SetLanguage("eng");
  Click("NicGetIPBtn");
  EXPECT_EQ(Address("NicIPAddressEdit"), (QStringList{"192", "168", "1", "100"}));

  TypeAddress("NicIPAddressEdit", {"10", "0", "0", "7"});
  Type("NicNetPortEdit", "6101");
  EXPECT_TRUE(ClickThroughCountdown("NicSettingBtn").contains(" 9 "));
  // Read back from the printer (the line's layout is the core's to check).
  TypeAddress("NicIPAddressEdit", {"1", "1", "1", "1"});
  Click("NicGetIPBtn");
  EXPECT_EQ(Address("NicIPAddressEdit"), (QStringList{"10", "0", "0", "7"}));
  EXPECT_EQ(Text("NicNetPortEdit"), "6101");

  Click("WifiSettingOp");
  Choose("WirelessModeCombo", 0);
  TypeAddress("NicIPAddressEdit", {"192", "168", "1", "20"});
  Type("WifiNameEdit", "Office");
  Type("PasskeyEdit", "pass1234");
  rig_.dialogs.QueueBoxAnswer(kBoxOk);  // the GBK question
  EXPECT_FALSE(ClickThroughCountdown("NicSettingBtn").isEmpty());
  EXPECT_EQ(test::ReadFileBytes(state.File("SIM0001.wifi")),
            "mode=0\nssid=Office\nchannel=07\nsecurity=2\npassword=pass1234\ndhcp=0\n"
            "address=192.168.001.020\nmask=255.255.255.000\ngateway=010.010.100.254\n");
  TypeAddress("NicIPAddressEdit", {"1", "1", "1", "1"});
  Click("NicGetIPBtn");
  EXPECT_EQ(Address("NicIPAddressEdit"), (QStringList{"192", "168", "001", "020"}));

  rig_.dialogs.QueueBoxAnswer(kBoxOk);
  EXPECT_TRUE(ClickThroughCountdown("RestoreFactoryBtn").isEmpty());
  EXPECT_EQ(Shown().back(), "Data has been send to printer successfully!！");
  EXPECT_TRUE(printer.WireText().ends_with("G0\r\n\r\n#HF>SF\r\n"));
  EXPECT_NE(test::ReadFileBytes(state.File("SIM0001.wifi")).find("ssid=MarliX-Printer\n"),
            std::string::npos);
}

// What the window showed when each line of a ping came.
struct PingLineSeen {
  QString line;
  bool ping_enabled, send_enabled, running;
  size_t boxes;  // message boxes shown before it
  int ticks;     // turns of a 10 ms timer before it
};

class PingUi : public NetworkPageUi {
 protected:
  // Clicks Ping with `octets` typed and gives back the lines as they came.
  std::vector<PingLineSeen> Ping(const QStringList& octets) {
    TypeAddress("NicIPAddressEdit", octets);
    std::vector<PingLineSeen> seen;
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(10);
    auto watch = QObject::connect(page(), &PrinterNicUI::pingLineShown, [&](const QString& line) {
      seen.push_back({line, Enabled("NicPingNetBtn") || Enabled("NicGetIPBtn"),
                      Enabled("NicSettingBtn"), rig_.frame().transfers().busy(),
                      rig_.dialogs.shown().size(), ticks});
    });
    Click("NicPingNetBtn");
    QObject::disconnect(watch);
    return seen;
  }
};

// Catches a ping that holds the interface thread (its lines would come all
// at once, after it), the send buttons left enabled meanwhile, and the
// closing message shown before the replies.
TEST_F(PingUi, LoopbackRepliesShowAsTheyComeWithTheSendsHeld) {
  IcmpPinger probe;
  if (!probe.usable())
    GTEST_SKIP() << "no ICMP socket for this user: "
                 << std::generic_category().message(probe.open_error());
  Printer();
  SetLanguage("eng");
  const std::vector<PingLineSeen> seen = Ping({"127", "000", "0", "1"});
  ASSERT_EQ(seen.size(), 2u);
  for (const PingLineSeen& s : seen) {
    EXPECT_TRUE(s.line.startsWith("Reply from 127.0.0.1: time=")) << s.line.toStdString();
    EXPECT_FALSE(s.ping_enabled || s.send_enabled);
    EXPECT_TRUE(s.running);
    EXPECT_EQ(s.boxes, 0u);
  }
  EXPECT_EQ(Shown(), std::vector<std::string>{"IP address is correct."});
  EXPECT_TRUE(Enabled("NicPingNetBtn") && Enabled("NicSettingBtn") && Enabled("RestoreFactoryBtn"));
  EXPECT_EQ(Control<QLabel>("NicPingReplyLabel")->text(), seen[0].line + "\n" + seen[1].line);
  // The address check comes first, the port included, and stops the ping.
  Type("NicNetPortEdit", "");
  EXPECT_TRUE(Ping({"127", "0", "0", "1"}).empty());
  EXPECT_EQ(Shown().back(), "Invalid Port entered!");
}

// A neighbour that never answers, on a link of the test's own namespace:
// the window goes on with its events while each request waits, and shows
// each time-out as it ends.
TEST_F(PingUi, SilentNeighbourKeepsTheWindowGoingWhileEachRequestWaits) {
#ifdef _WIN32
  GTEST_SKIP() << "a link of the test's own network namespace is Linux's";
#else
  test::NetNamespace ns(true, true);
  if (!ns.unavailable().empty()) GTEST_SKIP() << ns.unavailable();
  ASSERT_TRUE(ns.Ip({"link", "add", "v0", "type", "veth", "peer", "name", "v1"}) &&
              ns.Ip({"addr", "add", "10.99.0.1/24", "dev", "v0"}) &&
              ns.Ip({"link", "set", "v0", "up"}) && ns.Ip({"link", "set", "v1", "up"}));
  Printer();
  SetLanguage("eng");
  std::vector<PingLineSeen> seen;
  {
    test::NetNamespace::ThisThreadInside inside(ns);
    ASSERT_TRUE(inside.entered());
    seen = Ping({"10", "99", "0", "2"});
  }
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].line, "Request timed out.");
  EXPECT_EQ(seen[1].line, "Request timed out.");
  EXPECT_GT(seen[0].ticks, 0);
  EXPECT_GT(seen[1].ticks, seen[0].ticks);
  EXPECT_TRUE(seen[0].running && seen[1].running);
  EXPECT_EQ(Shown(), std::vector<std::string>{
                         "Please check the cable connection and network configuration."});
#endif
}

}  // namespace
}  // namespace vidodez::gui
