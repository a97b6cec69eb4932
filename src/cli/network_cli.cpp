#include "cli/network_cli.h"

#include <array>
#include <charconv>
#include <memory>

#include "cli/cli_json.h"
#include "cli/cli_operator.h"
#include "cli/cli_texts.h"
#include "core/config/settings_input.h"
#include "core/link/port_codes.h"
#include "core/network/network_codes.h"
#include "core/network/network_page.h"
#include "core/network/network_texts.h"
#include "core/platform/text_encoding.h"
#include "core/shell/texts.h"

namespace vidodez::cli {
namespace {

enum class NetText {
  kAddressUsage,
  kPortUsage,
  kChannelUsage,
  kSecurityUsage,
  kDhcpNotCarried,
  kDhcpStationOnly,
  kStationAddresses,
  kCount
};

constexpr std::array<Text, static_cast<size_t>(NetText::kCount)> kNetTexts{{
    {"An address is four numbers from 0 to 255 (A.B.C.D): ",
     "地址须为四个 0 到 255 之间的数字（A.B.C.D）："},
    {"The port is a number of up to four digits: ", "端口须为最多四位的数字："},
    {"This printer's channel list has no such entry: ", "此打印机的信道列表中没有此项："},
    {"This printer's security list for the mode has no such position: ",
     "此打印机在该模式下的安全类型列表中没有此位置："},
    {"This printer's settings carry no DHCP value.", "此打印机的设置中没有 DHCP 值。"},
    {"DHCP is for the Client(STA) mode only.", "DHCP 仅适用于客户端(STA)模式。"},
    {"The Client(STA) mode needs --ip, --mask and --gateway, or --dhcp.",
     "客户端(STA)模式需要 --ip、--mask 和 --gateway，或 --dhcp。"},
}};

std::string Say(NetText text, std::string_view language) {
  return Pick(kNetTexts[static_cast<size_t>(text)], language);
}

struct NetArgs {
  bool wifi = false;
  bool dhcp = false;
  bool utf8 = false;
  bool yes = false;
  std::string ip, mask, gateway, port;
  std::string mode;
  std::string ssid;
  std::string channel;
  int security = 0;
  std::string password;  // none: an open network
  std::string address;
  int count = kPagePingCount;
};

// Usage refused with its reason: kExitUsage.
int Usage(NetText text, std::string_view language, const std::string& what) {
  Fail(Say(text, language) + what);
  return kExitUsage;
}

// "A.B.C.D" into the octet edits, each as the page's input rule takes it:
// an octet over 255 or not digits is refused rather than changed. An empty
// octet is left to the page's checks.
bool ParseOctets(const std::string& text, OctetTexts* octets) {
  if (!SplitAddress(text, octets)) return false;
  for (const std::string& octet : *octets) {
    std::string ruled = octet;
    if (ApplyOctetRule(&ruled) != kInputAccepted || ruled != octet) return false;
  }
  return true;
}

bool ParsePort(const std::string& text) {
  std::string ruled = text;
  return text.size() <= kPortWidth && ApplyPortRule(&ruled) == kInputAccepted && ruled == text;
}

// The given addresses over the page's; kExitUsage for one that is not an
// address.
int TakeAddresses(const NetArgs& args, std::string_view language, NetworkAddresses* addresses) {
  const std::pair<const std::string&, OctetTexts*> given[] = {{args.ip, &addresses->address},
                                                              {args.mask, &addresses->mask},
                                                              {args.gateway, &addresses->gateway}};
  for (const auto& [text, octets] : given) {
    if (!text.empty() && !ParseOctets(text, octets))
      return Usage(NetText::kAddressUsage, language, text);
  }
  if (!args.port.empty()) {
    if (!ParsePort(args.port)) return Usage(NetText::kPortUsage, language, args.port);
    addresses->port = args.port;
  }
  return kExitOk;
}

// The exit status of a page operation; an open that failed without words of
// its own says why.
int NetworkOutcome(CliEnv& env, int rc, const CliOperator& op) {
  if (rc == kNetworkOk) return kExitOk;
  if (op.told() == 0 && !op.refused()) {
    Fail(LinkFailure(env, Say(CliText::kOpenFailed, env.language).c_str()));
  }
  return kExitFailed;
}

// The page on the chosen printer with its settings read, as the page has
// them after its quiet read: the lists, the channel codes, DHCP and "G0"
// depend on the field count.
int PreparePage(CliEnv& env, CliOperator& op, NetworkPage* page) {
  if (int rc = ResolvePrinter(env, &page->printer); rc != kExitOk) return rc;
  int rc = page->ReadNetworkSettings(*env.comm, op, true, kReadSettingsCommand);
  if (rc != kNetworkOk) return NetworkOutcome(env, rc, op);
  page->UpdateLists();
  return kExitOk;
}

int Get(CliEnv& env, const NetArgs& args) {
  NetworkPage page;
  CliOperator op(false, env.language);
  if (int rc = PreparePage(env, op, &page); rc != kExitOk) return rc;
  page.wifi = args.wifi;
  const bool wifi = page.AddressCommand() == kReadWifiAddressesCommand;
  if (int rc = page.GetAddresses(*env.comm, op); rc != kNetworkOk)
    return NetworkOutcome(env, rc, op);
  const PrinterSettingsRecord& r = page.record;
  std::vector<std::pair<const char*, std::string>> values{{"IPAddress", r.IPAddress.str()},
                                                          {"SubnetMask", r.SubnetMask.str()},
                                                          {"Gateway", r.Gateway.str()},
                                                          {"Port", r.Port.str()}};
  if (!wifi && HasDhcpField(page.field_count)) values.emplace_back("DhcpFlag", r.DhcpFlag.str());
  const char* interface = wifi ? "wifi" : "wired";
  if (env.json) {
    nlohmann::ordered_json document{{"interface", interface}, {"fieldCount", page.field_count}};
    for (const auto& [name, value] : values) document[name] = JsonText(value);
    return WriteJson(env, document);
  }
  std::string out = std::string("Interface=") + interface + "\n";
  for (const auto& [name, value] : values)
    out += std::string(name) + "=" + platform::GbkForDisplay(value) + "\n";
  return WriteOut(env, out);
}

int SetWired(CliEnv& env, const NetArgs& args) {
  NetworkPage page;
  if (int rc = TakeAddresses(args, env.language, &page.addresses); rc != kExitOk) return rc;
  CliOperator op(args.yes, env.language);
  if (int rc = PreparePage(env, op, &page); rc != kExitOk) return rc;
  if (args.dhcp && !HasDhcpField(page.field_count)) {
    Fail(Say(NetText::kDhcpNotCarried, env.language));
    return kExitFailed;
  }
  page.dhcp = args.dhcp;
  return NetworkOutcome(env, page.SendToPrinter(*env.comm, op), op);
}

// The list position of "--channel": 0 for "auto", else the entry "Channel N".
int ChannelPosition(const NetworkPage& page, const std::string& channel) {
  if (channel == "auto") return 0;
  const std::vector<std::string> entries = page.ChannelEntries();
  for (size_t i = 1; i < entries.size(); ++i) {
    if (entries[i] == "Channel " + channel) return static_cast<int>(i);
  }
  return kNoSelection;
}

int SetWifi(CliEnv& env, const NetArgs& args) {
  NetworkPage page;
  const int mode = args.mode == "ap" ? kWirelessModeServer : kWirelessModeClient;
  if (args.dhcp && !DhcpAllowedInMode(mode)) {
    Fail(Say(NetText::kDhcpStationOnly, env.language));
    return kExitUsage;
  }
  // Without them the page's placeholder addresses would become the printer's.
  if (mode == kWirelessModeClient && !args.dhcp &&
      (args.ip.empty() || args.mask.empty() || args.gateway.empty())) {
    Fail(Say(NetText::kStationAddresses, env.language));
    return kExitUsage;
  }
  // Checked before the printer is asked; the mode's defaults come later.
  NetworkAddresses typed = InitialAddresses();
  if (int rc = TakeAddresses(args, env.language, &typed); rc != kExitOk) return rc;
  CliOperator op(args.yes, env.language);
  if (int rc = PreparePage(env, op, &page); rc != kExitOk) return rc;
  page.SetWifiOption(true);
  page.ChooseMode(mode);
  page.channel = ChannelPosition(page, args.channel);
  if (page.channel == kNoSelection)
    return Usage(NetText::kChannelUsage, env.language, args.channel);
  if (args.security < 0 || args.security >= static_cast<int>(page.SecurityEntries().size())) {
    return Usage(NetText::kSecurityUsage, env.language, std::to_string(args.security));
  }
  page.ChooseSecurity(args.security);
  if (args.dhcp) {
    if (!page.dhcp_enabled) {
      Fail(Say(NetText::kDhcpNotCarried, env.language));
      return kExitFailed;
    }
    page.SetDhcpOption(true);
  }
  if (int rc = TakeAddresses(args, env.language, &page.addresses); rc != kExitOk) return rc;
  page.network_name = args.ssid;
  page.password = args.password;
  page.utf8 = args.utf8;
  return NetworkOutcome(env, page.SendToPrinter(*env.comm, op), op);
}

int WifiReset(CliEnv& env, const NetArgs& args) {
  NetworkPage page;
  if (int rc = ResolvePrinter(env, &page.printer); rc != kExitOk) return rc;
  CliOperator op(args.yes, env.language);
  return NetworkOutcome(env, page.RestoreWifiFactorySettings(*env.comm, op), op);
}

int Ping(CliEnv& env, const NetArgs& args) {
  std::array<uint8_t, 4> ip{};
  if (const int rc = ParseIpv4Address(args.address, &ip); rc != kNetworkOk) {
    Fail(NetworkMessage(NetworkTextOfCode(rc), env.language).text + " " + args.address);
    return kExitUsage;
  }
  const std::string address = FormatIpv4Address(ip);
  int received = 0;
  int written = kExitOk;
  nlohmann::ordered_json requests = nlohmann::ordered_json::array();
  // Each line as its request ends, so a slow ping shows where it is.
  auto observe = [&](const PingRequest& request) {
    const std::string line = PingRequestLine(address, request, env.language);
    if (request.code == kNetworkOk) ++received;
    if (!env.json) {
      if (written == kExitOk) written = WriteOut(env, line + "\n");
      return;
    }
    nlohmann::ordered_json entry{{"replied", request.code == kNetworkOk},
                                 {"code", NetworkCodeName(request.code)}};
    if (request.code == kNetworkOk) {
      entry["sequence"] = request.echo.sequence;
      entry["timeMs"] = request.echo.response_ms;
      entry["bytes"] = request.echo.data_bytes;
      entry["ttl"] = request.echo.ttl;
    }
    entry["text"] = line;
    requests.push_back(entry);
  };
  (void)PingAddress(address, args.count, observe);
  if (env.json) {
    written = WriteJson(env, {{"address", address},
                              {"requests", requests},
                              {"sent", args.count},
                              {"received", received}});
  } else if (written == kExitOk) {
    written = WriteOut(env, PingSummaryLine(args.count, received, env.language) + "\n");
  }
  if (written != kExitOk) return written;
  return received > 0 ? kExitOk : kExitFailed;
}

void AddAddressOptions(CLI::App* command, NetArgs& args, bool required) {
  auto* ip = command->add_option("--ip", args.ip, "the printer's address, A.B.C.D");
  auto* mask = command->add_option("--mask", args.mask, "the subnet mask, A.B.C.D");
  auto* gateway = command->add_option("--gateway", args.gateway, "the gateway, A.B.C.D");
  if (required) {
    ip->required();
    mask->required();
    gateway->required();
  }
}

}  // namespace

void AddNetworkCommands(CLI::App& app, CliEnv& env, int* exit_code) {
  auto args = std::make_shared<NetArgs>();
  auto add_printer = [&env](CLI::App* command) {
    command->add_option("-p,--printer", env.printer,
                        "a position in the list or the start of a name");
  };
  auto* net = app.add_subcommand("net", "the printer's wired and Wi-Fi network settings");
  net->require_subcommand(1);

  auto* get = net->add_subcommand("get", "print the printer's addresses");
  add_printer(get);
  get->add_flag("--wifi", args->wifi,
                "the Wi-Fi module's addresses (printers of 40 fields or more)");
  get->add_flag("--json", env.json, "print the addresses as JSON");
  get->callback([&env, exit_code, args] { *exit_code = Get(env, *args); });

  auto* wired = net->add_subcommand("set-wired", "send the wired address, mask, gateway and port");
  add_printer(wired);
  AddAddressOptions(wired, *args, true);
  wired->add_option("--port", args->port, "the network port")->required();
  wired->add_flag("--dhcp", args->dhcp, "DHCP on (printers of 40 fields or more)");
  wired->callback([&env, exit_code, args] { *exit_code = SetWired(env, *args); });

  auto* wifi = net->add_subcommand("set-wifi", "send a Wi-Fi configuration");
  add_printer(wifi);
  wifi->add_option("--mode", args->mode, "ap (Server) or sta (Client)")
      ->required()
      ->check(CLI::IsMember({"ap", "sta"}));
  wifi->add_option("--ssid", args->ssid, "the network name")->required();
  wifi->add_option("--channel", args->channel, "auto, or N of the list's \"Channel N\"")
      ->required();
  wifi->add_option("--security", args->security, "the position in the mode's security list")
      ->required();
  wifi->add_option("--password", args->password, "the password (none for an open network)");
  wifi->add_flag("--utf8", args->utf8, "send the network name converted to UTF-8");
  wifi->add_flag("--dhcp", args->dhcp, "DHCP on (Client mode, printers of 40 fields or more)");
  AddAddressOptions(wifi, *args, false);
  wifi->add_flag("--yes", args->yes, "answer the encoding question with OK");
  wifi->callback([&env, exit_code, args] { *exit_code = SetWifi(env, *args); });

  auto* reset = net->add_subcommand("wifi-reset", "restore the Wi-Fi module's factory settings");
  add_printer(reset);
  reset->add_flag("--yes", args->yes, "answer the confirmation with OK");
  reset->callback([&env, exit_code, args] { *exit_code = WifiReset(env, *args); });

  auto* ping = app.add_subcommand("ping", "send ICMP echo requests to an address");
  ping->add_option("ADDRESS", args->address, "four decimal numbers, A.B.C.D")->required();
  ping->add_option("--count", args->count, "how many requests (default 2)")
      ->check(CLI::Range(1, 1000));
  ping->add_flag("--json", env.json, "print the replies as JSON");
  ping->callback([&env, exit_code, args] { *exit_code = Ping(env, *args); });
}

}  // namespace vidodez::cli
