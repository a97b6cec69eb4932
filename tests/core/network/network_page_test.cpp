// The network page's rules and operations, against a simulated printer:
// the codes, the messages shown in their order and the bytes on the wire.

#include "core/network/network_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/config/config_codes.h"
#include "core/config/settings_lists.h"
#include "core/config/settings_page.h"
#include "core/config/settings_page_texts.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/network/network_codes.h"
#include "core/network/network_texts.h"
#include "support/expect_code.h"
#include "support/scripted_operator.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

constexpr char kRead[] = "^G1\r\n\r\n";
// The read before a wired send: asked twice, so a late answer cannot pass
// for it.
constexpr char kSendRead[] = "^G1\r\n\r\n^G1\r\n\r\n";
// The simulated printer's settings line around its network fields.
constexpr char kLineHead[] = "#PS>S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*";
constexpr char kLineTail[] =
    "*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*0100*0*12*12";

int Index(NetworkText text) { return static_cast<int>(text); }
constexpr char kElevenChinese[] = "一二三四五六七八九十百";  // 22 bytes in GBK, 33 in UTF-8

// A page on a simulated printer of `fields` fields, as its first refresh
// leaves it: the settings read quietly, the lists updated.
struct Bench {
  explicit Bench(int fields = 41, const std::string& state_dir = {}) {
    sim::PrinterOptions options;
    options.fields = fields;
    options.status = 0;
    options.state_dir = state_dir;
    printer = &bus.AddPrinter(options);
    page.printer = DisplayName(options.port_number, "MarliXPrinters VT-4100");
    EXPECT_CODE(kNetworkOk, page.AutoReadOnStatus(comm, op, 0));
  }
  // The wire after the quiet read.
  std::string Sent() const {
    std::string wire = printer->WireText();
    return wire.substr(std::min(wire.size(), std::strlen(kRead)));
  }
  // The messages shown as "table:index", questions marked by a leading "?".
  static std::string ShownBy(const test::ScriptedOperator& op) {
    std::string shown;
    for (const auto& m : op.shown())
      shown += std::string(shown.empty() ? "" : ",") + (m.question ? "?" : "") + m.table + ":" +
               std::to_string(m.index);
    return shown;
  }
  std::string Shown() const { return ShownBy(op); }

  test::SimBus bus;
  sim::SimPrinter* printer = nullptr;
  CPrinterComm comm{bus.usb()};
  test::ScriptedOperator op;
  NetworkPage page;
};

std::string Net(NetworkText text) {
  return std::string(kNetworkTable) + ":" + std::to_string(Index(text));
}
std::string Ask(NetworkText text) { return "?" + Net(text); }
std::string Addresses(const NetworkAddresses& a) {
  return JoinAddress(a.address) + "/" + JoinAddress(a.mask) + "/" + JoinAddress(a.gateway) + ":" +
         a.port;
}

TEST(NetworkPageRules, ModeChangeResetsListsChannelAndAddresses) {
  NetworkPage page;
  EXPECT_EQ(page.addresses.address, InitialAddresses().address);
  EXPECT_EQ(std::tie(page.mode, page.channel, page.security), std::tuple(1, 0, 6));
  page.field_count = 41;
  page.addresses.port = "6000";
  page.channel = 3;
  page.ChooseSecurity(kOpenSecurityPosition);
  EXPECT_FALSE(page.password_shown);

  struct Step {
    int mode, field_count, channel, security;
    const char* addresses;
  } steps[] = {{kWirelessModeServer, 41, 7, 2, "10.10.100.2/255.255.255.0/10.10.100.254:9100"},
               // The port is left as typed; the five-entry list has no position 6.
               {kWirelessModeClient, 41, 0, 4, "199.9.9.168/255.255.255.0/199.9.9.1:6000"},
               {kWirelessModeClient, 39, 0, 6, "199.9.9.168/255.255.255.0/199.9.9.1:6000"}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.mode * 100 + s.field_count);
    page.field_count = s.field_count;
    page.ChooseMode(s.mode);
    EXPECT_EQ(page.channel, s.channel);
    EXPECT_EQ(page.security, s.security);
    EXPECT_TRUE(page.password_shown);
    EXPECT_EQ(Addresses(page.addresses), s.addresses);
    page.addresses.port = "6000";
  }
}

// A Wi-Fi module serving its own network takes no address by DHCP: in
// Server(AP) mode the option is greyed out and cleared, however the page
// got there, and offered again in Client(STA) mode. A printer without the
// field (39) never offers it, and an option greyed out does not stay chosen.
TEST(NetworkPageRules, DhcpIsForAClientOnly) {
  NetworkPage page;
  page.field_count = 41;
  EXPECT_TRUE(page.dhcp_enabled);
  page.SetDhcpOption(true);
  EXPECT_FALSE(page.address_edits_enabled);
  page.OtherOptionChanged();  // CodingModeOp toggled
  EXPECT_TRUE(page.address_edits_enabled);
  page.SetWifiOption(true);
  page.SetDhcpOption(true);
  ASSERT_TRUE(page.dhcp_enabled);
  page.ChooseMode(kWirelessModeServer);
  EXPECT_FALSE(page.dhcp || page.dhcp_enabled);
  EXPECT_TRUE(page.address_edits_enabled);
  page.UpdateLists();  // at the next refresh or switch to the page
  EXPECT_FALSE(page.dhcp_enabled);
  page.SetWifiOption(false);
  page.SetWifiOption(true);
  EXPECT_FALSE(page.dhcp_enabled);
  page.ChooseMode(kWirelessModeClient);
  EXPECT_TRUE(page.dhcp_enabled);
  EXPECT_FALSE(DhcpAllowedInMode(kWirelessModeServer));
  page.SetDhcpOption(true);
  page.SetWifiOption(false);
  EXPECT_FALSE(page.dhcp || page.dhcp_enabled);
  EXPECT_TRUE(page.address_edits_enabled);
  page.SetWifiOption(true);
  EXPECT_TRUE(page.dhcp_enabled);

  page.SetWifiOption(false);
  page.field_count = 39;
  page.SetWifiOption(true);
  EXPECT_FALSE(page.dhcp_enabled);
  page.field_count = 41;
  page.UpdateLists();
  ASSERT_TRUE(page.dhcp_enabled);
  page.SetDhcpOption(true);
  page.field_count = 39;
  page.UpdateLists();
  EXPECT_FALSE(page.dhcp || page.dhcp_enabled);
  EXPECT_TRUE(page.address_edits_enabled);
}

TEST(NetworkPageRules, RefillKeepsOnlyPositionsTheListHas) {
  NetworkPage page;
  page.field_count = 41;
  page.channel = 13;  // "Channel 13": the 13-entry list has no such position
  page.ChooseSecurity(kOpenSecurityPosition);
  page.field_count = 39;
  page.RefillLists();
  EXPECT_EQ(page.channel, kNoSelection);
  EXPECT_EQ(page.security, 6);
  EXPECT_TRUE(page.password_shown);
  page.channel = 12;
  page.field_count = 41;
  page.RefillLists();
  EXPECT_EQ(std::tie(page.channel, page.security), std::tuple(12, 4));
  // A read still pending leaves the lists alone.
  page.field_count = kSettingsReadPending;
  page.ChooseSecurity(3);
  page.UpdateLists();
  EXPECT_EQ(page.security, 3);
  page.FollowLanguage("chi");
  EXPECT_TRUE(page.utf8);
  page.FollowLanguage("eng");
  EXPECT_FALSE(page.utf8);
}

// One field count for the program: the settings page's quiet read already
// told it, so the network page does not ask the printer again, and its
// lists follow a later read by another page. "Upgrade complete" reads again
// at once; a failed read is not retried and tells no one.
TEST(NetworkPageRead, FieldCountIsThePrograms) {
  test::SimBus bus;
  sim::PrinterOptions options;
  options.fields = 41;
  options.status = 0;
  sim::SimPrinter& printer = bus.AddPrinter(options);
  CPrinterComm comm(bus.usb());
  test::ScriptedOperator op;
  SettingsPage settings;
  settings.printer = DisplayName(options.port_number, "MarliXPrinters VT-4100");
  NetworkPage network;
  network.printer = settings.printer;
  EXPECT_CODE(kConfigOk, settings.AutoReadOnStatus(comm, op, 0));
  EXPECT_CODE(kNetworkOk, network.AutoReadOnStatus(comm, op, 0));
  EXPECT_EQ(printer.WireText(), kRead);
  EXPECT_EQ(network.field_count, 41);
  EXPECT_EQ(network.ChannelEntries().size(), 14u);
  EXPECT_EQ(network.SecurityEntries().size(), 5u);
  EXPECT_EQ(network.security, 4);
  EXPECT_TRUE(network.dhcp_enabled);
  printer.SetReplyMode(sim::ReplyMode::kNone);
  EXPECT_CODE(kQueryNoReply, network.AutoReadOnStatus(comm, op, 18));
  EXPECT_CODE(kNetworkOk, network.AutoReadOnStatus(comm, op, 0));
  EXPECT_EQ(network.field_count, kSettingsNotKnown);
  EXPECT_FALSE(network.dhcp_enabled);

  // The settings page reads an older printer of 39 fields.
  sim::PrinterOptions older_options;
  older_options.port_number = 2;
  older_options.fields = 39;
  older_options.status = 0;
  sim::SimPrinter& older = bus.AddPrinter(older_options);
  settings.printer = DisplayName(2, "MarliXPrinters VT-4100");
  EXPECT_CODE(kConfigOk, settings.ReadSettingsFromPrinter(comm, op, true));
  EXPECT_CODE(kNetworkOk, network.AutoReadOnStatus(comm, op, 0));
  EXPECT_EQ(printer.WireText(), std::string(kRead) + kRead);
  EXPECT_EQ(older.WireText(), kRead);
  EXPECT_EQ(network.field_count, 39);
  EXPECT_EQ(network.ChannelEntries().size(), 13u);
  EXPECT_FALSE(network.dhcp_enabled);
  EXPECT_TRUE(op.shown().empty());
}

// "Get IP Address" puts the printer's texts into the edits as reported;
// a reply without settings is a failed read that changes nothing.
TEST(NetworkPageRead, GetAddressesFillsTheEditsOrTellsWhyNot) {
  Bench bench(41);
  NetworkPage& page = bench.page;
  page.ChooseMode(kWirelessModeServer);
  page.addresses.address = {"192", "168", "1", "20"};
  page.wifi = true;
  page.network_name = "Office";
  page.password = "pass1234";
  bench.op.AnswerConfirm(true);
  ASSERT_CODE(kNetworkOk, page.SendToPrinter(bench.comm, bench.op));
  page.addresses = InitialAddresses();
  EXPECT_CODE(kNetworkOk, page.GetAddresses(bench.comm, bench.op));  // "G0": the Wi-Fi module's
  EXPECT_EQ(page.addresses.address, (OctetTexts{"192", "168", "001", "020"}));
  EXPECT_EQ(page.addresses.gateway, (OctetTexts{"010", "010", "100", "254"}));
  page.wifi = false;
  EXPECT_CODE(kNetworkOk, page.GetAddresses(bench.comm, bench.op));
  EXPECT_EQ(page.addresses.address, (OctetTexts{"192", "168", "1", "100"}));
  EXPECT_EQ(page.addresses.port, "9100");
  EXPECT_TRUE(bench.Sent().ends_with("\r\n#HF>ST\r\n\r\nG0\r\n\r\n^G1\r\n\r\n")) << bench.Sent();

  bench.printer->SetReplyMode(sim::ReplyMode::kSplit);  // the first part holds no "*E"
  page.addresses = InitialAddresses();
  EXPECT_CODE(kSettingsReplyUnmarked, page.GetAddresses(bench.comm, bench.op));
  EXPECT_EQ(page.addresses.address, InitialAddresses().address);
  EXPECT_EQ(page.field_count, 41);
  EXPECT_EQ(bench.op.shown().back().table, std::string(kSettingsTable));
  EXPECT_EQ(bench.op.shown().back().index, static_cast<int>(SettingsText::kReplyHoldsNoSettings));
}

TEST(NetworkPageWired, ReadsFirstAndWritesTheAddressesWithDhcpWhereCarried) {
  struct Case {
    int fields;
    bool dhcp;
    const char* dhcp_value;
  } cases[] = {{39, true, ""}, {40, true, "*1"}, {41, false, "*0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    Bench bench(c.fields);
    NetworkPage& page = bench.page;
    page.addresses = {
        {"10", "0", "0", "7"}, {"255", "255", "0", "0"}, {"10", "0", "0", "1"}, "6101"};
    page.dhcp = c.dhcp;
    EXPECT_CODE(kNetworkOk, page.SendToPrinter(bench.comm, bench.op));
    EXPECT_EQ(test::Escaped(bench.Sent()), test::Escaped(std::string(kSendRead) + kLineHead +
                                                         "10.0.0.7*255.255.0.0*10.0.0.1*6101" +
                                                         kLineTail + c.dhcp_value + "*E\r\n"));
    EXPECT_EQ(bench.op.countdowns(), std::vector<int>{kApplySettingsSeconds});
    page.addresses = InitialAddresses();
    EXPECT_CODE(kNetworkOk, page.GetAddresses(bench.comm, bench.op));
    EXPECT_EQ(page.addresses.address, (OctetTexts{"10", "0", "0", "7"}));
    EXPECT_EQ(page.addresses.port, "6101");
    EXPECT_TRUE(bench.op.shown().empty());
  }
}

// The read comes before the check; a check or a read that fails writes
// nothing and counts nothing down.
TEST(NetworkPageWired, RefusalsWriteNothing) {
  struct Case {
    const char* what;
    void (*change)(Bench&);
    int code;
    std::string shown;
    const char* sent;
  } cases[] = {{"empty port", [](Bench& b) { b.page.addresses.port.clear(); }, kNetworkPortEmpty,
                Net(NetworkText::kInvalidPort), kSendRead},
               {"empty mask octet", [](Bench& b) { b.page.addresses.mask[2].clear(); },
                kNetworkMaskEmpty, Net(NetworkText::kInvalidMask), kSendRead},
               {"no reply", [](Bench& b) { b.printer->SetReplyMode(sim::ReplyMode::kNone); },
                kQueryNoReply, std::string(kQueryResultTable) + ":2", kRead},
               {"no printer", [](Bench& b) { b.page.printer.clear(); }, kNoUsablePrinter,
                std::string(kQueryResultTable) + ":0", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bench bench(41);
    c.change(bench);
    EXPECT_CODE(c.code, bench.page.SendToPrinter(bench.comm, bench.op));
    EXPECT_EQ(bench.Shown(), c.shown);
    EXPECT_EQ(test::Escaped(bench.Sent()), test::Escaped(c.sent));
    EXPECT_TRUE(bench.op.countdowns().empty());
  }
}

// The page's channel position becomes the printers' code: "Channel 6" at
// position 6 goes out as 06 on 41 fields, as 05 on 40; the 39-field list
// shows "Channel 5" there and sends 05.
TEST(NetworkPageWifi, ChannelPositionSendsTheCodeOfTheFieldCount) {
  struct Case {
    int fields;
    const char* entry;
    const char* code;
  } cases[] = {{39, "Channel 5", "05"}, {40, "Channel 6", "05"}, {41, "Channel 6", "06"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    Bench bench(c.fields);
    NetworkPage& page = bench.page;
    page.wifi = true;
    page.network_name = "Office";
    page.channel = 6;
    page.ChooseSecurity(3);
    page.password = "pass1234";
    page.addresses = {
        {"192", "168", "1", "20"}, {"255", "255", "255", "0"}, {"192", "168", "1", "1"}, "9100"};
    EXPECT_EQ(page.ChannelEntries()[6], c.entry);
    bench.op.AnswerConfirm(true);
    EXPECT_CODE(kNetworkOk, page.SendToPrinter(bench.comm, bench.op));
    EXPECT_EQ(test::Escaped(bench.Sent()),
              test::Escaped("\r\n#UM>WL1" + std::string(26, ' ') + "Office" + c.code + "3" +
                            std::string(24, ' ') + "pass1234" +
                            "0192.168.001.020255.255.255.000192.168.001.001\r\n#HF>ST\r\n\r\n"));
    EXPECT_EQ(bench.Shown(), Ask(NetworkText::kConfirmGbk));
    EXPECT_EQ(bench.op.countdowns(), std::vector<int>{kApplySettingsSeconds});
  }
}

// AP mode runs no address check: an empty octet goes out as 000. An open
// network sends 32 blanks whatever was typed.
TEST(NetworkPageWifi, ApModeSendsEmptyOctetsAsZerosAndOpenSendsNoPassword) {
  Bench bench(41);
  NetworkPage& page = bench.page;
  page.wifi = true;
  page.ChooseMode(kWirelessModeServer);
  page.ChooseSecurity(kOpenSecurityPosition);
  page.password = "typed but hidden";
  page.network_name = "Lab";
  page.addresses.address[3].clear();
  page.addresses.port.clear();
  bench.op.AnswerConfirm(true);
  EXPECT_CODE(kNetworkOk, page.SendToPrinter(bench.comm, bench.op));
  EXPECT_EQ(test::Escaped(bench.Sent()),
            test::Escaped("\r\n#UM>WL0" + std::string(29, ' ') + "Lab071" + std::string(32, ' ') +
                          "0010.010.100.000255.255.255.000010.010.100.254\r\n#HF>ST\r\n\r\n"));
}

// Each check stops the send with its message, in the page's order, and
// nothing reaches the printer; the message is in the link's language.
TEST(NetworkPageWifi, ChecksRunInOrderWithTheirMessages) {
  struct Case {
    const char* what;
    void (*change)(NetworkPage&);
    int answer;  // to the encoding question: -1 none asked, 0 Cancel, 1 OK
    int code;
    std::string shown;
    NetworkFocus focus;
  } cases[] = {
      {"no printer", [](NetworkPage& p) { p.printer.clear(), p.network_name.clear(); }, -1,
       kNoUsablePrinter, Net(NetworkText::kCheckPort), NetworkFocus::kNone},
      {"empty name before all else",
       [](NetworkPage& p) { p.network_name.clear(), p.password.clear(), p.addresses.port.clear(); },
       -1, kWifiSsidEmpty, Net(NetworkText::kNetworkNameEmpty), NetworkFocus::kNetworkName},
      {"GBK refused", [](NetworkPage&) {}, 0, kNetworkCancelled, Ask(NetworkText::kConfirmGbk),
       NetworkFocus::kNone},
      {"UTF-8 asked instead", [](NetworkPage& p) { p.utf8 = true; }, 0, kNetworkCancelled,
       Ask(NetworkText::kConfirmUtf8), NetworkFocus::kNone},
      {"33 UTF-8 bytes", [](NetworkPage& p) { p.utf8 = true, p.network_name = kElevenChinese; }, 1,
       kWifiSsidTooLong,
       Ask(NetworkText::kConfirmUtf8) + "," + Net(NetworkText::kNetworkNameTooLong),
       NetworkFocus::kNetworkName},
      {"password before addresses",
       [](NetworkPage& p) { p.password = "short", p.addresses.address[0].clear(); }, 1,
       kWifiPasswordLength, Ask(NetworkText::kConfirmGbk) + "," + Net(NetworkText::kPasswordLength),
       NetworkFocus::kPassword},
      // Three Chinese characters are 6 bytes in GBK, though 9 in UTF-8.
      {"password counted in GBK", [](NetworkPage& p) { p.password = "密码八"; }, 1,
       kWifiPasswordLength, Ask(NetworkText::kConfirmGbk) + "," + Net(NetworkText::kPasswordLength),
       NetworkFocus::kPassword},
      {"WEP needs ten", [](NetworkPage& p) { p.ChooseSecurity(kWepSecurityPosition); }, 1,
       kWifiWepPasswordLength,
       Ask(NetworkText::kConfirmGbk) + "," + Net(NetworkText::kWepPasswordLength),
       NetworkFocus::kPassword},
      {"address then port",
       [](NetworkPage& p) { p.addresses.address[0].clear(), p.addresses.port.clear(); }, 1,
       kNetworkAddressEmpty, Ask(NetworkText::kConfirmGbk) + "," + Net(NetworkText::kInvalidIp),
       NetworkFocus::kNone},
      {"port", [](NetworkPage& p) { p.addresses.port.clear(); }, 1, kNetworkPortEmpty,
       Ask(NetworkText::kConfirmGbk) + "," + Net(NetworkText::kInvalidPort), NetworkFocus::kNone},
      {"no channel left after a refill", [](NetworkPage& p) { p.channel = kNoSelection; }, 1,
       kWifiChannelInvalid,
       Ask(NetworkText::kConfirmGbk) + "," + Net(NetworkText::kChannelNotSelected),
       NetworkFocus::kNone},
      {"a line break in the name", [](NetworkPage& p) { p.network_name = "Lab\r\n~JR"; }, 1,
       kWifiTextUnsendable, Ask(NetworkText::kConfirmGbk) + "," + Net(NetworkText::kTextUnsendable),
       NetworkFocus::kNone}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bench bench(41);
    NetworkPage& page = bench.page;
    page.wifi = true;
    page.network_name = "Office";
    page.password = "pass1234";
    c.change(page);
    if (c.answer >= 0) bench.op.AnswerConfirm(c.answer == 1);
    EXPECT_CODE(c.code, page.SendToPrinter(bench.comm, bench.op));
    EXPECT_EQ(bench.Shown(), c.shown);
    EXPECT_EQ(page.focus, c.focus);
    EXPECT_EQ(bench.Sent(), "");
    EXPECT_TRUE(bench.op.countdowns().empty());
  }
  Bench bench(41);
  bench.comm.set_language("chi");
  bench.page.wifi = true;
  EXPECT_CODE(kWifiSsidEmpty, bench.page.SendToPrinter(bench.comm, bench.op));
  EXPECT_EQ(bench.op.shown().back().text, "网络名称不能为空");
  // Without the conversion the same name is 22 bytes and goes out.
  bench.page.network_name = kElevenChinese;
  bench.page.password = "密码八个";
  bench.op.AnswerConfirm(true);
  EXPECT_CODE(kNetworkOk, bench.page.SendToPrinter(bench.comm, bench.op));
  EXPECT_EQ(bench.page.last_sent.ssid.size(), 22u);
  EXPECT_EQ(bench.page.last_sent.password, "\xc3\xdc\xc2\xeb\xb0\xcb\xb8\xf6");
}

// The whole configuration reaches the simulated printer's state, and the
// reset brings the factory settings back without a countdown.
TEST(NetworkPageWifi, ConfigurationReachesThePrinterAndResetRestoresIt) {
  test::TempDir state;
  Bench bench(41, state.path());
  NetworkPage& page = bench.page;
  page.wifi = true;
  page.network_name = "Office";
  page.password = "pass1234";
  page.channel = 11;
  page.ChooseSecurity(3);
  page.SetWifiOption(true);
  page.SetDhcpOption(true);
  bench.op.AnswerConfirm(true);
  ASSERT_CODE(kNetworkOk, page.SendToPrinter(bench.comm, bench.op));
  EXPECT_EQ(test::ReadFileBytes(state.File("SIM0001.wifi")),
            "mode=1\nssid=Office\nchannel=11\nsecurity=3\npassword=pass1234\ndhcp=1\n"
            "address=199.009.009.168\nmask=255.255.255.000\ngateway=199.009.009.001\n");

  bench.op.AnswerConfirm(false);
  EXPECT_CODE(kNetworkCancelled, page.RestoreWifiFactorySettings(bench.comm, bench.op));
  bench.op.AnswerConfirm(true);
  EXPECT_CODE(kNetworkOk, page.RestoreWifiFactorySettings(bench.comm, bench.op));
  EXPECT_TRUE(bench.Sent().ends_with("#HF>ST\r\n\r\n#HF>SF\r\n")) << test::Escaped(bench.Sent());
  EXPECT_TRUE(bench.Shown().ends_with("," + Ask(NetworkText::kConfirmWifiReset) + "," +
                                      Ask(NetworkText::kConfirmWifiReset) + "," +
                                      Net(NetworkText::kDataSent)))
      << bench.Shown();
  EXPECT_EQ(bench.op.countdowns().size(), 1u);
  EXPECT_NE(test::ReadFileBytes(state.File("SIM0001.wifi")).find("ssid=MarliX-Printer\n"),
            std::string::npos);
}

// With no printer to open the reset ends after its question without a word;
// a printer that cannot be opened is still told.
TEST(NetworkPageWifi, ResetWithoutPrinterStaysSilent) {
  Bench bench;
  struct Case {
    const char* what;
    std::string printer;
    int code;
    std::string shown;
  } cases[] = {
      {"no printer", "", kNoUsablePrinter, Ask(NetworkText::kConfirmWifiReset)},
      {"a COM port", "COM1", kPrinterNotUsb, Ask(NetworkText::kConfirmWifiReset)},
      {"unplugged", DisplayName(5, "MarliXPrinters VT-4100"), kPortOpenFailed,
       Ask(NetworkText::kConfirmWifiReset) + "," + Net(NetworkText::kOpenPortFailed)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScriptedOperator op;
    bench.page.printer = c.printer;
    op.AnswerConfirm(true);
    int code = bench.page.RestoreWifiFactorySettings(bench.comm, op);
    EXPECT_NE(kNetworkOk, code);
    if (c.code != kPortOpenFailed) {
      EXPECT_CODE(c.code, code);
    }
    EXPECT_EQ(c.shown, Bench::ShownBy(op));
  }
  EXPECT_EQ("", bench.Sent());
}

// The ping checks every edit, the port included, before it sends, and
// reads the octets as decimal numbers: "009" is no octal number.
TEST(NetworkPagePing, ChecksTheAddressesThenPingsTheOctetsAsTyped) {
  NetworkPage page;
  test::ScriptedOperator op;
  page.addresses.port.clear();
  EXPECT_CODE(kNetworkPortEmpty, page.Ping(op, "chi"));
  ASSERT_EQ(op.shown().size(), 1u);
  EXPECT_EQ(op.shown()[0].text, "请输入有效网络端口！");

  IcmpPinger probe;
  if (!probe.usable())
    GTEST_SKIP() << "no ICMP socket for this user: " << std::strerror(probe.open_error());
  page.addresses = InitialAddresses();
  page.addresses.address = {"127", "000", "000", "009"};
  std::vector<std::string> lines;
  auto observe = [&lines](const PingRequest& request) {
    lines.push_back(PingRequestLine("127.0.0.9", request, "eng").substr(0, 22));
  };
  EXPECT_CODE(kNetworkOk, page.Ping(op, "eng", observe));
  EXPECT_EQ(lines, (std::vector<std::string>(kPagePingCount, "Reply from 127.0.0.9: ")));
  EXPECT_EQ(op.shown().back().index, Index(NetworkText::kPingAnswered));
}

}  // namespace
}  // namespace vidodez
