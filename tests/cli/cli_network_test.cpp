// The network commands and the ping of vidodez-cli against a
// vidodez-printer-sim process, run by a user without root: the printer's
// addresses read, wired and Wi-Fi settings sent and reported back, the
// Wi-Fi configuration found in the printer's state, the module reset, and
// 127.0.0.1 pinged.

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <system_error>

#include <nlohmann/json.hpp>

#include "cli_fixture.h"
#include "core/network/icmp_pinger.h"
#include "support/net_namespace.h"

namespace vidodez::test {
namespace {

constexpr char kNobody[] = "65534";

class CliNetwork : public CliTest {
 protected:
  // As root, the commands run as "nobody" inside a network namespace of the
  // test's own whose ICMP datagram sockets every group may open, on a bus
  // "nobody" may reach; otherwise as the user running the test, who has no
  // root either. Empty when neither can be had, with the reason in `why`.
  bool PrepareUnprivileged(std::string* why) {
    if (geteuid() != 0) return true;
    namespace_ = std::make_unique<NetNamespace>(true, true);
    *why = namespace_->unavailable();
    if (!why->empty()) return false;
    if (access("/usr/bin/setpriv", X_OK) != 0) {
      *why = "setpriv is not installed";
      return false;
    }
    chmod(bus_.path().c_str(), 0755);
    return true;
  }
  // The simulator's socket, once it is up, open to the unprivileged user.
  void OpenSocket() {
    if (namespace_) chmod(bus_.File("SIM0001.sock").c_str(), 0666);
  }
  RunResult Unprivileged(std::vector<std::string> args) {
    if (!namespace_) return Cli(std::move(args));
    args.insert(args.begin(), {"/usr/bin/setpriv", std::string("--reuid=") + kNobody,
                               std::string("--regid=") + kNobody, "--clear-groups", "--",
                               BinDir() + "/vidodez-cli"});
    RunResult result;
    const std::vector<std::string> env{"VIDODEZ_SIM_BUS=" + bus_.path(),
                                       "VIDODEZ_APPDATA=" + appdata_.path(), "LC_ALL=C"};
    if (!namespace_->RunInside([&] { result = test::Run(args, env); })) result.err = "namespace";
    return result;
  }

  std::unique_ptr<NetNamespace> namespace_;
};

// Sends wait out the printer's real nine seconds; one of each kind.
TEST_F(CliNetwork, ConfiguresThePrinterAndPingsAsAUserWithoutRoot) {
  std::string why;
  if (!PrepareUnprivileged(&why)) GTEST_SKIP() << why;
  TempDir state;
  ASSERT_TRUE(StartSim({"--state-dir", state.path()}));
  OpenSocket();

  RunResult get = Unprivileged({"net", "get"});
  ASSERT_EQ(get.exit_code, 0) << get.err;
  EXPECT_EQ(get.out,
            "Interface=wired\nIPAddress=192.168.1.100\nSubnetMask=255.255.255.0\n"
            "Gateway=192.168.1.1\nPort=9100\nDhcpFlag=1\n");

  RunResult wired = Unprivileged({"net", "set-wired", "--ip", "10.0.0.7", "--mask", "255.255.0.0",
                                  "--gateway", "10.0.0.1", "--port", "6101"});
  ASSERT_EQ(wired.exit_code, 0) << wired.err;
  EXPECT_EQ(wired.err, "\r9 \r8 \r7 \r6 \r5 \r4 \r3 \r2 \r1 \r0 \n");
  RunResult wired_json = Unprivileged({"net", "get", "--json"});
  ASSERT_EQ(wired_json.exit_code, 0) << wired_json.err;
  EXPECT_EQ(nlohmann::json::parse(wired_json.out),
            nlohmann::json::parse(R"({"interface": "wired", "fieldCount": 41,
              "IPAddress": "10.0.0.7", "SubnetMask": "255.255.0.0", "Gateway": "10.0.0.1",
              "Port": "6101", "DhcpFlag": "0"})"));

  RunResult wifi =
      Unprivileged({"net", "set-wifi", "--mode", "sta", "--ssid", "Office", "--channel", "6",
                    "--security", "3", "--password", "pass1234", "--dhcp", "--ip", "192.168.1.20",
                    "--gateway", "192.168.1.1", "--yes"});
  ASSERT_EQ(wifi.exit_code, 0) << wifi.err;
  RunResult wifi_get = Unprivileged({"net", "get", "--wifi"});
  ASSERT_EQ(wifi_get.exit_code, 0) << wifi_get.err;
  EXPECT_EQ(wifi_get.out,
            "Interface=wifi\nIPAddress=192.168.001.020\nSubnetMask=255.255.255.000\n"
            "Gateway=192.168.001.001\nPort=6101\n");
  EXPECT_EQ(ReadFileBytes(state.File("SIM0001.wifi")),
            "mode=1\nssid=Office\nchannel=06\nsecurity=3\npassword=pass1234\ndhcp=1\n"
            "address=192.168.001.020\nmask=255.255.255.000\ngateway=192.168.001.001\n");

  RunResult reset = Unprivileged({"net", "wifi-reset", "--yes"});
  ASSERT_EQ(reset.exit_code, 0) << reset.err;
  EXPECT_EQ(reset.err, "Data has been send to printer successfully!！\n");
  EXPECT_NE(ReadFileBytes(state.File("SIM0001.wifi")).find("ssid=MarliX-Printer\n"),
            std::string::npos);

  IcmpPinger probe;  // the test's own user, when it is the one that runs the commands
  if (!namespace_ && !probe.usable()) {
    GTEST_SKIP() << "this user may open no ICMP socket: "
                 << std::generic_category().message(probe.open_error());
  }
  RunResult ping = Unprivileged({"ping", "127.0.0.1"});
  ASSERT_EQ(ping.exit_code, 0) << ping.err;
  EXPECT_TRUE(ping.out.starts_with("Reply from 127.0.0.1: time=")) << ping.out;
  EXPECT_TRUE(ping.out.ends_with(" ms\nSent = 2, Received = 2\n")) << ping.out;
  // Decimal octets: "009" is no octal number.
  RunResult json = Unprivileged({"ping", "127.000.000.009", "--count", "3", "--json"});
  ASSERT_EQ(json.exit_code, 0) << json.err;
  nlohmann::json document = nlohmann::json::parse(json.out);
  EXPECT_EQ(document["address"], "127.0.0.9");
  EXPECT_EQ(document["sent"], 3);
  EXPECT_EQ(document["received"], 3);
  ASSERT_EQ(document["requests"].size(), 3u);
  EXPECT_EQ(document["requests"][2]["bytes"], 32);
  EXPECT_EQ(document["requests"][1]["sequence"].get<int>() + 1,
            document["requests"][2]["sequence"].get<int>());
}

// Arguments the page's edits could not hold, and choices the printer's
// lists do not have, are usage errors; what the printer cannot carry is
// refused; nothing of it is sent.
TEST_F(CliNetwork, RefusesBeforeSendingWhatThePageWouldNotSend) {
  ASSERT_TRUE(StartSim({"--fields", "39"}));
  const std::vector<std::string> wired{"net",           "set-wired", "--mask",
                                       "255.255.255.0", "--gateway", "1.1.1.1"};
  const std::vector<std::string> wifi{"net",    "set-wifi",      "--mode",    "sta",    "--ssid",
                                      "Lab",    "--password",    "pass1234",  "--ip",   "1.1.1.2",
                                      "--mask", "255.255.255.0", "--gateway", "1.1.1.1"};
  const std::vector<std::string> ap{"net", "set-wifi",   "--mode", "ap",   "--channel",
                                    "1",   "--security", "2",      "--yes"};
  auto with = [](std::vector<std::string> base, std::vector<std::string> more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
  };
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* said;
  } cases[] = {
      {with(wired, {"--ip", "300.1.1.1", "--port", "9100"}), 2, "300.1.1.1"},
      {with(wired, {"--ip", "12a.1.1.1", "--port", "9100"}), 2, "12a.1.1.1"},
      {with(wired, {"--ip", "1.1.1.1", "--port", "91000"}), 2, "The port is a number"},
      {with(wired, {"--ip", "1.1.1.1", "--port", "9100", "--dhcp"}), 1, "no DHCP value"},
      {with(wifi, {"--channel", "12", "--security", "3", "--yes"}), 2, "no such entry: 12"},
      {with(wifi, {"--channel", "11", "--security", "7", "--yes"}), 2, "no such position: 7"},
      {with(wifi, {"--channel", "auto", "--security", "2", "--yes"}), 1,
       "alphanumeric characters of 10 characters"},
      {with(wifi, {"--channel", "0", "--security", "0"}), 1,
       "set as GBK data format. (not confirmed"},
      {{"net", "set-wifi", "--mode", "ap", "--ssid", "Lab", "--channel", "1", "--security", "0",
        "--dhcp"},
       2,
       "Client(STA) mode only"},
      // A line break in the name would end the printer's line early.
      {{"net", "set-wifi", "--mode", "ap", "--ssid", "Lab\n~JR", "--channel", "1", "--security",
        "1", "--yes"},
       1,
       "control characters"},
      // The right-aligned fields pad with blanks: the printer kept " lead"
      // as "lead", dropped a name of blanks, and stored a 7-character password.
      {with(ap, {"--ssid", " lead", "--password", "12345678"}), 1, "must not begin with a blank"},
      {with(ap, {"--ssid", "   ", "--password", "12345678"}), 1, "must not begin with a blank"},
      {with(ap, {"--ssid", "Lab", "--password", "  1234567"}), 1, "must not begin with a blank"},
      // The page's placeholder addresses must not become the printer's.
      {{"net", "set-wifi", "--mode", "sta", "--ssid", "Lab", "--channel", "1", "--security", "1",
        "--yes"},
       2,
       "needs --ip, --mask and --gateway, or --dhcp"},
      // An empty value was skipped and the page's defaults sent.
      {{"net", "set-wired", "--ip", "", "--mask", "", "--gateway", "", "--port", ""},
       2,
       "an empty value is not allowed"},
      {{"status", "-p", ""}, 2, "an empty value is not allowed"},
      {{"ping", "1.2.3"}, 2, "Invalid IP entered!"},
      {{"ping", "::1"}, 2, "Only IPv4 addresses can be pinged."},
      {{"ping", "127.0.0.1", "--count", "0"}, 2, "--count"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    RunResult result = Cli(c.args);
    EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
    EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
  }
  EXPECT_EQ(Wire().find('#'), std::string::npos) << Escaped(Wire());
  EXPECT_EQ(Wire().find("G0"), std::string::npos);
  // --wifi on a printer without the module's own addresses reads "^G1".
  RunResult get = Cli({"net", "get", "--wifi", "--json"});
  ASSERT_EQ(get.exit_code, 0) << get.err;
  EXPECT_EQ(nlohmann::json::parse(get.out)["interface"], "wired");
}

TEST_F(CliNetwork, PingWithNoRouteFailsWithEveryRequestTold) {
  NetNamespace down(false, true);
  if (!down.unavailable().empty()) GTEST_SKIP() << down.unavailable();
  RunResult result;
  ASSERT_TRUE(down.RunInside([&] { result = Cli({"ping", "127.0.0.1"}); }));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out,
            "The request could not be sent.\nThe request could not be sent.\n"
            "Sent = 2, Received = 0\n");
}

}  // namespace
}  // namespace vidodez::test
