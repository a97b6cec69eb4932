#include "core/network/network_addresses.h"

#include <gtest/gtest.h>

#include <map>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_input.h"
#include "core/network/network_codes.h"
#include "core/network/wifi_command.h"

namespace vidodez {
namespace {

// A settings reply of `count` fields, the network fields given.
std::string Reply(int count, const std::string& ip, const std::string& port = "9100") {
  const std::map<int, std::string> network{
      {17, ip}, {18, "255.255.255.000"}, {19, "192.168.001.001"}, {20, port}};
  std::string fields;
  for (int i = 0; i < count; ++i) {
    if (i > 0) fields += '*';
    fields += network.contains(i) ? network.at(i) : std::to_string(i % 10);
  }
  return "S*" + fields + "*E\r\n";
}

TEST(NetworkInput, OctetsAndPortTakeDigitsUpToTheirMaximum) {
  struct Case {
    int (*rule)(std::string*);
    const char* typed;
    const char* kept;
    int result;
  } cases[] = {
      {ApplyOctetRule, "300", "255", kInputClamped},
      {ApplyOctetRule, "12a", "", kInputRefusedDigits},
      {ApplyOctetRule, "255", "255", kInputAccepted},
      {ApplyOctetRule, "007", "007", kInputAccepted},
      {ApplyOctetRule, "", "", kInputAccepted},
      {ApplyOctetRule, "-1", "", kInputRefusedDigits},
      {ApplyPortRule, "9999", "9999", kInputAccepted},
      {ApplyPortRule, "10000", "9999", kInputClamped},
      {ApplyPortRule, "91 0", "", kInputRefusedDigits},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::string text = c.typed;
    EXPECT_EQ(c.result, c.rule(&text));
    EXPECT_EQ(c.kept, text);
  }
}

TEST(NetworkInput, AddressCheckStopsAtTheFirstEmptyEdit) {
  // Each step empties one more group, earlier in the check's order.
  NetworkAddresses addresses = InitialAddresses();
  EXPECT_EQ(kNetworkOk, CheckAddresses(addresses));
  addresses.port.clear();
  EXPECT_EQ(kNetworkPortEmpty, CheckAddresses(addresses));
  addresses.gateway[3].clear();
  EXPECT_EQ(kNetworkGatewayEmpty, CheckAddresses(addresses));
  addresses.mask[0].clear();
  EXPECT_EQ(kNetworkMaskEmpty, CheckAddresses(addresses));
  addresses.address[2].clear();
  EXPECT_EQ(kNetworkAddressEmpty, CheckAddresses(addresses));
}

TEST(NetworkReply, FillsTheOctetEditsAsReported) {
  PrinterSettingsRecord record;
  int count = 0;
  ASSERT_EQ(kConfigOk, ParseSettingsReply(Reply(40, "192.168.001.020", "9101"), &record, &count));
  NetworkAddresses addresses = InitialAddresses();
  AddressesFromRecord(record, &addresses);
  EXPECT_EQ((OctetTexts{"192", "168", "001", "020"}), addresses.address);
  EXPECT_EQ((OctetTexts{"255", "255", "255", "000"}), addresses.mask);
  EXPECT_EQ((OctetTexts{"192", "168", "001", "001"}), addresses.gateway);
  EXPECT_EQ("9101", addresses.port);

  // A reply holding a value that is not four parts is no settings read; a
  // record holding one leaves its edits as they were.
  for (const char* odd : {"", "192.168.1", "1.2.3.4.5", "1.2.3.4567"}) {
    SCOPED_TRACE(odd);
    EXPECT_EQ(kSettingsReplyUnfit, ParseSettingsReply(Reply(39, odd, ""), &record, &count));
    record.IPAddress.Set(odd);
    record.Port.Set("");
    NetworkAddresses kept = InitialAddresses();
    AddressesFromRecord(record, &kept);
    EXPECT_EQ(InitialAddresses().address, kept.address);
    EXPECT_EQ("9100", kept.port);
  }
}

// The bytes of an accepted wired send are the network page's test.
TEST(NetworkReply, WiredSendRefusesWhatWouldBreakTheLine) {
  struct Refusal {
    std::string reply;
    void (*change)(NetworkAddresses*);
    int code;
  } refusals[] = {
      {"no settings here\r\n", [](NetworkAddresses*) {}, kSettingsReplyUnmarked},
      {Reply(39, "1.2.3.4"), [](NetworkAddresses* a) { a->address[1].clear(); },
       kNetworkOctetInvalid},
      {Reply(39, "1.2.3.4"), [](NetworkAddresses* a) { a->mask[1] = "2550"; },
       kNetworkOctetInvalid},
      {Reply(39, "1.2.3.4"), [](NetworkAddresses* a) { a->port = "91000"; }, kNetworkPortInvalid},
      {Reply(39, "1.2.3.4"), [](NetworkAddresses* a) { a->port = "9*1"; }, kNetworkPortInvalid},
      // An address holding a "*" shifts every field after it.
      {Reply(41, "1.2*3.4"), [](NetworkAddresses*) {}, kSettingsReplyUnfit},
  };
  for (const Refusal& r : refusals) {
    NetworkAddresses changed = InitialAddresses();
    r.change(&changed);
    std::string line = "untouched";
    EXPECT_EQ(r.code, BuildWiredSettingsCommand(r.reply, changed, false, &line));
    EXPECT_EQ("untouched", line);
  }
}

TEST(PingAddressText, ReadsEveryOctetAsDecimal) {
  struct Case {
    std::string text;
    int code;
    std::array<uint8_t, 4> address;
  } cases[] = {
      {"192.168.001.020", kNetworkOk, {192, 168, 1, 20}},
      {"010.000.000.008", kNetworkOk, {10, 0, 0, 8}},
      {"127.0.0.1", kNetworkOk, {127, 0, 0, 1}},
      {"255.255.255.255", kNetworkOk, {255, 255, 255, 255}},
      {"256.1.1.1", kPingAddressInvalid, {}},
      {"1.2.3", kPingAddressInvalid, {}},
      {"1.2.3.4.5", kPingAddressInvalid, {}},
      {"1..2.3", kPingAddressInvalid, {}},
      {"0x7f.0.0.1", kPingAddressInvalid, {}},
      {" 1.2.3.4", kPingAddressInvalid, {}},
      {"1.2.3.0004", kPingAddressInvalid, {}},
      {"", kPingAddressInvalid, {}},
      {std::string(66, '1'), kPingAddressInvalid, {}},
      {"::1", kPingAddressNotIpv4, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::array<uint8_t, 4> address{};
    EXPECT_EQ(c.code, ParseIpv4Address(c.text, &address)) << NetworkCodeName(c.code);
    EXPECT_EQ(c.address, address);
  }
}

}  // namespace
}  // namespace vidodez
