// The wired and Wi-Fi settings as the simulated printer takes and reports
// them.

#include <gtest/gtest.h>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "model_io.h"
#include "sim/printer_model.h"
#include "support/temp_dir.h"

namespace vidodez::sim {
namespace {

// The one reply to `query`, or "" when the printer gave none.
std::string Ask(PrinterModel& model, const std::string& query) {
  Send(model, query + "\r\n");
  std::vector<uint8_t> transfer;
  if (!model.TakeTransfer(Clock::now(), &transfer)) return "";
  return std::string(transfer.begin(), transfer.end());
}

PrinterSettingsRecord Parsed(const std::string& reply) {
  PrinterSettingsRecord record;
  int count = 0;
  EXPECT_EQ(kConfigOk, ParseSettingsReply(reply, &record, &count));
  return record;
}

// The page's command for STA, "Office" and two GBK bytes, channel code 05,
// security 3, DHCP off, 192.168.1.20, 255.255.255.0, 192.168.1.1, with the
// link's line end.
const std::string kWifiCommand = "\r\n#UM>WL1" + std::string(23, ' ') + "Office \xb0\xec" + "053" +
                                 std::string(24, ' ') +
                                 "pass12340192.168.001.020255.255.255.000192.168.001.001"
                                 "\r\n#HF>ST\r\n\r\n";

TEST(SimNetwork, WifiLineTakesEffectAtItsApplyLineAndG0ReportsItsAddresses) {
  test::TempDir state;
  PrinterOptions options;
  options.state_dir = state.path();
  PrinterModel model(options);
  const std::string g1 = Ask(model, "^G1");
  // The line alone is pending; "#HF>ST" applies it.
  const size_t apply = kWifiCommand.find("#HF>ST");
  Send(model, kWifiCommand.substr(0, apply));
  EXPECT_TRUE(model.wifi().pending().has_value());
  EXPECT_EQ(WifiModule::FactorySettings().ssid, model.wifi().settings().ssid);
  Send(model, kWifiCommand.substr(apply));
  EXPECT_EQ("Office \xb0\xec", model.wifi().settings().ssid);
  EXPECT_FALSE(model.wifi().pending().has_value());

  const std::string g0 = Ask(model, "G0");
  PrinterSettingsRecord wifi = Parsed(g0);
  EXPECT_EQ("192.168.001.020", wifi.IPAddress.view());
  EXPECT_EQ("255.255.255.000", wifi.SubnetMask.view());
  EXPECT_EQ("192.168.001.001", wifi.Gateway.view());
  // Every other field is the settings reply's.
  EXPECT_EQ(g1.substr(0, g1.find("*192.168.1.100*")), g0.substr(0, g0.find("*192.168.001.020*")));
  EXPECT_EQ(g1.substr(g1.find("*9100*")), g0.substr(g0.find("*9100*")));
  EXPECT_EQ(g1, Ask(model, "^G1"));

  EXPECT_EQ("Office \xb0\xec", PrinterModel(options).wifi().settings().ssid);
}

TEST(SimNetwork, MalformedWifiLineChangesNothingAndFactoryResetRestores) {
  PrinterModel model(PrinterOptions{});
  Send(model, kWifiCommand);
  std::string line = kWifiCommand;
  line[2 + 41] = '9';  // a security code no list has
  line[2 + 7] = 'X';   // a name the settings must not take
  Send(model, line);
  std::string cut = kWifiCommand;
  cut.erase(30, 1);
  Send(model, cut);
  EXPECT_EQ("Office \xb0\xec", model.wifi().settings().ssid);
  EXPECT_EQ(3, model.wifi().settings().security_code);
  EXPECT_FALSE(model.wifi().pending().has_value());
  Send(model, "#HF>SF\r\n");
  EXPECT_EQ(WifiModule::FactorySettings().ssid, model.wifi().settings().ssid);
  EXPECT_EQ("010.010.100.254", Parsed(Ask(model, "G0")).IPAddress.view());
}

TEST(SimNetwork, OlderPrintersDoNotKnowG0) {
  PrinterOptions options;
  options.fields = 39;
  PrinterModel model(options);
  EXPECT_EQ("", Ask(model, "G0"));
}

// A state file the Wi-Fi line could not have made is not taken.
TEST(SimNetwork, UnfitWifiStateStartsFromTheFactorySettings) {
  const std::string good =
      "mode=0\nssid=Lab\nchannel=99\nsecurity=1\npassword=\ndhcp=1\n"
      "address=010.000.000.002\nmask=255.000.000.000\ngateway=010.000.000.001\n";
  struct Case {
    std::string text;
    const char* ssid;
  } cases[] = {
      {good, "Lab"},
      {good + "mode=1\n", "MarliX-Printer"},
      {good.substr(good.find('\n') + 1), "MarliX-Printer"},
      {"mode=0\nssid=Lab\nchannel=99\nsecurity=1\npassword=\ndhcp=1\n"
       "address=010.000.000.256\nmask=255.000.000.000\ngateway=010.000.000.001\n",
       "MarliX-Printer"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    test::TempDir state;
    test::WriteFileBytes(state.File("SIM0001.wifi"), c.text);
    PrinterOptions options;
    options.state_dir = state.path();
    EXPECT_EQ(c.ssid, PrinterModel(options).wifi().settings().ssid);
  }
}

}  // namespace
}  // namespace vidodez::sim
