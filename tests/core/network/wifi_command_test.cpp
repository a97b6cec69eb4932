#include "core/network/wifi_command.h"

#include <gtest/gtest.h>

#include "core/network/network_codes.h"

namespace vidodez {
namespace {

// Mode STA, "Office", channel position 6 on a 41-field printer, WPA2, DHCP off.
WifiSettings Office() {
  WifiSettings settings;
  settings.mode = kWirelessModeClient;
  settings.ssid = "Office";
  settings.channel_code = ChannelCode(6, 41);
  settings.security_code = 3;
  settings.password = "pass1234";
  settings.dhcp = 0;
  settings.address = {"192", "168", "1", "20"};
  settings.mask = {"255", "255", "255", "0"};
  settings.gateway = {"192", "168", "1", "1"};
  return settings;
}

TEST(WifiCommand, ChannelListsAndCodesFollowTheFieldCount) {
  struct Case {
    int field_count, position;
    const char* entry;
    int code;
  } cases[] = {
      {41, 6, "Channel 6", 6},     {40, 6, "Channel 6", 5},     {39, 6, "Channel 5", 5},
      {41, 1, "Channel 1", 1},     {40, 1, "Channel 1", 0},     {39, 1, "Channel 0", 0},
      {41, 0, "Auto Channel", 99}, {40, 0, "Auto Channel", 99}, {39, 0, "Auto Channel", 99},
      {-1, 0, "Auto Channel", 99}, {41, 13, "Channel 13", 13},  {40, 13, "Channel 13", 12},
      {39, 12, "Channel 11", 11},  {39, 13, nullptr, -1},       {41, -1, nullptr, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.field_count) + " fields, position " + std::to_string(c.position));
    std::vector<std::string> list = ChannelList(c.field_count);
    EXPECT_EQ(list.size(), ChannelList(c.field_count, "chi").size());
    EXPECT_EQ(c.field_count >= 40 ? 14u : 13u, list.size());
    if (c.entry != nullptr) {
      EXPECT_EQ(c.entry, list.at(static_cast<size_t>(c.position)));
    }
    EXPECT_EQ(c.code, ChannelCode(c.position, c.field_count));
  }
}

TEST(WifiCommand, SecurityListsPreselectAnEntryThatExists) {
  struct Case {
    int mode, field_count;
    size_t entries;
    int preselected;
    const char* entry;
  } cases[] = {
      {kWirelessModeServer, 41, 3, 2, "WPA2-PSK/AES"},
      {kWirelessModeClient, 39, 7, 6, "WPA2-PSK/AES"},
      {kWirelessModeClient, -2, 7, 6, "WPA2-PSK/AES"},
      {kWirelessModeClient, 40, 5, 4, "WPA3-PSK/AES"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + "/" + std::to_string(c.field_count));
    auto list = SecurityList(c.mode, c.field_count);
    ASSERT_EQ(c.entries, list.size());
    EXPECT_EQ(c.preselected, SecurityPreselection(c.mode, c.field_count));
    EXPECT_EQ(c.entry, list[static_cast<size_t>(c.preselected)]);
    EXPECT_EQ("Open", list[kOpenSecurityPosition]);
    EXPECT_EQ("开放", SecurityList(c.mode, c.field_count, "chi")[kOpenSecurityPosition]);
  }
  EXPECT_EQ(7, DefaultChannelPosition(kWirelessModeServer));
  EXPECT_EQ(0, DefaultChannelPosition(kWirelessModeClient));
}

TEST(WifiCommand, RefusesWhatWouldBreakTheLayout) {
  struct Case {
    const char* what;
    void (*change)(WifiSettings*);
    int code;
  } cases[] = {
      {"mode 2", [](WifiSettings* s) { s->mode = 2; }, kWifiModeInvalid},
      {"empty SSID", [](WifiSettings* s) { s->ssid.clear(); }, kWifiSsidEmpty},
      {"33-byte SSID", [](WifiSettings* s) { s->ssid.assign(33, 'a'); }, kWifiSsidTooLong},
      {"33-byte password", [](WifiSettings* s) { s->password.assign(33, 'a'); },
       kWifiPasswordTooLong},
      {"line break in SSID", [](WifiSettings* s) { s->ssid = "Off\r\nice"; }, kWifiTextUnsendable},
      {"no channel", [](WifiSettings* s) { s->channel_code = ChannelCode(13, 39); },
       kWifiChannelInvalid},
      {"channel 14", [](WifiSettings* s) { s->channel_code = 14; }, kWifiChannelInvalid},
      {"no security", [](WifiSettings* s) { s->security_code = -1; }, kWifiSecurityInvalid},
      {"AP security 3", [](WifiSettings* s) { s->mode = kWirelessModeServer; },
       kWifiSecurityInvalid},
      {"DHCP 2", [](WifiSettings* s) { s->dhcp = 2; }, kWifiDhcpInvalid},
      {"four-digit octet", [](WifiSettings* s) { s->address[3] = "0020"; }, kNetworkOctetInvalid},
      {"octet 256", [](WifiSettings* s) { s->mask[0] = "256"; }, kNetworkOctetInvalid},
      {"octet 12a", [](WifiSettings* s) { s->gateway[1] = "12a"; }, kNetworkOctetInvalid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WifiSettings settings = Office();
    c.change(&settings);
    std::string command = "untouched";
    EXPECT_EQ(c.code, BuildWifiCommand(settings, &command)) << NetworkCodeName(c.code);
    EXPECT_EQ("untouched", command);
  }
}

// The printer's side reads back what the page sends; a build of what it
// read gives the same bytes again.
TEST(WifiCommand, ParsedBackByItsFixedWidths) {
  WifiSettings open = Office();
  open.mode = kWirelessModeServer;
  open.security_code = kOpenSecurityPosition;
  open.channel_code = kAutoChannelCode;
  open.ssid = "\xce\xde\xcf\xdf A^G1~*";  // GBK, a blank inside, command characters
  open.address = {"10", "", "100", "2"};
  for (const WifiSettings& sent : {Office(), open}) {
    SCOPED_TRACE(sent.ssid);
    std::string command;
    ASSERT_EQ(kNetworkOk, BuildWifiCommand(sent, &command));
    WifiSettings read;
    ASSERT_EQ(kNetworkOk, ParseWifiLine(command.substr(2, kWifiLineSize), &read));
    EXPECT_EQ(sent.mode, read.mode);
    EXPECT_EQ(sent.ssid, read.ssid);
    EXPECT_EQ(sent.channel_code, read.channel_code);
    EXPECT_EQ(sent.security_code, read.security_code);
    EXPECT_EQ(sent.security_code == kOpenSecurityPosition ? "" : sent.password, read.password);
    EXPECT_EQ(sent.dhcp, read.dhcp);
    std::string again;
    ASSERT_EQ(kNetworkOk, BuildWifiCommand(read, &again));
    EXPECT_EQ(command, again);
  }
  WifiSettings read;
  std::string command;
  ASSERT_EQ(kNetworkOk, BuildWifiCommand(open, &command));
  ASSERT_EQ(kNetworkOk, ParseWifiLine(command.substr(2, kWifiLineSize), &read));
  EXPECT_EQ((OctetTexts{"010", "000", "100", "002"}), read.address);
}

TEST(WifiCommand, MalformedLineIsRefusedWholeAndLeavesTheSettings) {
  std::string good;
  ASSERT_EQ(kNetworkOk, BuildWifiCommand(Office(), &good));
  const std::string line = good.substr(2, kWifiLineSize);
  auto with = [&](size_t at, const std::string& bytes) {
    return line.substr(0, at) + bytes + line.substr(at + bytes.size());
  };
  struct Case {
    std::string line;
    int code;
  } cases[] = {
      {line.substr(0, kWifiLineSize - 1), kWifiLineMalformed},
      {line + "0", kWifiLineMalformed},
      {with(0, "#UM>WX"), kWifiLineMalformed},
      {with(6, "7"), kWifiModeInvalid},
      {with(6, "x"), kWifiLineMalformed},
      {with(7, std::string(32, ' ')), kWifiSsidEmpty},
      {with(39, "1a"), kWifiLineMalformed},
      {with(39, "42"), kWifiChannelInvalid},
      {with(41, "9"), kWifiSecurityInvalid},
      {with(74, "2"), kWifiDhcpInvalid},
      {with(78, ","), kWifiLineMalformed},
      {with(75, "300"), kNetworkOctetInvalid},
      {with(100, " 55"), kWifiLineMalformed},
      {with(42, std::string(31, ' ') + "\t"), kWifiTextUnsendable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    WifiSettings kept;
    kept.ssid = "kept";
    EXPECT_EQ(c.code, ParseWifiLine(c.line, &kept)) << NetworkCodeName(c.code);
    EXPECT_EQ("kept", kept.ssid);
  }
}

TEST(WifiCommand, SsidLengthCountsTheBytesSent) {
  const std::string eleven = "无线网络打印机配置测试";  // 11 Chinese characters
  std::string gbk, utf8;
  ASSERT_EQ(kNetworkOk, EncodeSsid(eleven, false, &gbk));
  ASSERT_EQ(kNetworkOk, EncodeSsid(eleven, true, &utf8));
  EXPECT_EQ(22u, gbk.size());
  EXPECT_EQ(eleven, utf8);
  WifiSettings settings = Office();
  std::string command;
  settings.ssid = gbk;
  ASSERT_EQ(kNetworkOk, BuildWifiCommand(settings, &command));
  EXPECT_EQ(std::string(10, ' ') + gbk, command.substr(9, 32));
  settings.ssid = utf8;
  EXPECT_EQ(kWifiSsidTooLong, BuildWifiCommand(settings, &command));

  std::string bytes;
  EXPECT_EQ(kWifiTextNotGbk, EncodeSsid("Caf\xF0\x9F\x98\x80", true, &bytes));
  ASSERT_EQ(kNetworkOk, EncodeWifiPassword("密码密码", &bytes));
  EXPECT_EQ(8u, bytes.size());
}

TEST(WifiCommand, PasswordRuleFollowsModeAndSecurity) {
  struct Case {
    int mode, security;
    size_t length;
    int code;
  } cases[] = {{kWirelessModeClient, 0, 7, kWifiPasswordLength},
               {kWirelessModeClient, 0, 8, kNetworkOk},
               {kWirelessModeClient, 6, 32, kNetworkOk},
               {kWirelessModeClient, 4, 33, kWifiPasswordLength},
               {kWirelessModeClient, 2, 10, kNetworkOk},
               {kWirelessModeClient, 2, 12, kWifiWepPasswordLength},
               {kWirelessModeClient, 1, 0, kNetworkOk},
               {kWirelessModeServer, 2, 10, kNetworkOk},
               {kWirelessModeServer, 2, 7, kWifiPasswordLength},
               {kWirelessModeServer, 1, 3, kNetworkOk}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + "/" + std::to_string(c.security) + "/" +
                 std::to_string(c.length));
    EXPECT_EQ(c.code, CheckWifiPassword(c.mode, c.security, std::string(c.length, 'k')));
  }
}

}  // namespace
}  // namespace vidodez
