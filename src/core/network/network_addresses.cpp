#include "core/network/network_addresses.h"

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_input.h"
#include "core/network/network_codes.h"
#include "core/network/wifi_command.h"
#include "core/platform/icmp_socket.h"

namespace vidodez {
namespace {

// The longest text the ping reads as an address.
constexpr size_t kAddressTextLimit = 65;

bool IsDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

int DigitsValue(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

bool IsOctetText(std::string_view text, bool empty_allowed) {
  if (text.empty()) return empty_allowed;
  return text.size() <= kOctetWidth && IsDigits(text) && DigitsValue(text) <= kOctetMaximum;
}

bool AnyEmpty(const OctetTexts& octets) {
  for (const std::string& octet : octets)
    if (octet.empty()) return true;
  return false;
}

bool IsPortText(std::string_view text) {
  return !text.empty() && text.size() <= kPortWidth && IsDigits(text);
}

}  // namespace

int ApplyOctetRule(std::string* text) { return ApplyDigitsRule(kOctetMaximum, text); }

int ApplyPortRule(std::string* text) { return ApplyDigitsRule(kPortMaximum, text); }

NetworkAddresses InitialAddresses() {
  return {{"199", "9", "9", "168"}, {"255", "255", "255", "0"}, {"199", "9", "9", "1"}, "9100"};
}

void ApplyModeDefaults(int mode, NetworkAddresses* addresses) {
  if (mode == kWirelessModeServer) {
    *addresses = {
        {"10", "10", "100", "2"}, {"255", "255", "255", "0"}, {"10", "10", "100", "254"}, "9100"};
    return;
  }
  std::string port = addresses->port;
  *addresses = InitialAddresses();
  addresses->port = port;
}

int CheckAddresses(const NetworkAddresses& addresses) {
  if (AnyEmpty(addresses.address)) return kNetworkAddressEmpty;
  if (AnyEmpty(addresses.mask)) return kNetworkMaskEmpty;
  if (AnyEmpty(addresses.gateway)) return kNetworkGatewayEmpty;
  if (addresses.port.empty()) return kNetworkPortEmpty;
  return kNetworkOk;
}

bool OctetsFit(const OctetTexts& octets, bool empty_allowed) {
  for (const std::string& octet : octets)
    if (!IsOctetText(octet, empty_allowed)) return false;
  return true;
}

bool SplitAddress(std::string_view text, OctetTexts* octets) {
  OctetTexts parts;
  size_t part = 0;
  for (char c : text) {
    if (c != '.') {
      if (parts[part].size() == kOctetWidth) return false;
      parts[part] += c;
    } else if (++part == parts.size()) {
      return false;
    }
  }
  if (part != parts.size() - 1) return false;
  *octets = std::move(parts);
  return true;
}

std::string JoinAddress(const OctetTexts& octets) {
  return octets[0] + "." + octets[1] + "." + octets[2] + "." + octets[3];
}

void AddressesFromRecord(const PrinterSettingsRecord& record, NetworkAddresses* addresses) {
  SplitAddress(record.IPAddress.view(), &addresses->address);
  SplitAddress(record.SubnetMask.view(), &addresses->mask);
  SplitAddress(record.Gateway.view(), &addresses->gateway);
  if (!record.Port.empty()) addresses->port = record.Port.str();
}

int BuildWiredSettingsCommand(std::string_view reply, const NetworkAddresses& addresses, bool dhcp,
                              std::string* line) {
  PrinterSettingsRecord record;
  int field_count = kSettingsNotKnown;
  int rc = ParseSettingsReply(reply, &record, &field_count);
  if (rc != kConfigOk) return rc;
  if (!OctetsFit(addresses.address, false) || !OctetsFit(addresses.mask, false) ||
      !OctetsFit(addresses.gateway, false))
    return kNetworkOctetInvalid;
  if (!IsPortText(addresses.port)) return kNetworkPortInvalid;
  record.IPAddress.Set(JoinAddress(addresses.address));
  record.SubnetMask.Set(JoinAddress(addresses.mask));
  record.Gateway.Set(JoinAddress(addresses.gateway));
  record.Port.Set(addresses.port);
  record.DhcpFlag.Set(dhcp ? "1" : "0");
  return BuildSettingsCommand(record, field_count, line);
}

int ParseIpv4Address(std::string_view text, std::array<uint8_t, 4>* address) {
  if (text.size() > kAddressTextLimit) return kPingAddressInvalid;
  OctetTexts octets;
  if (!SplitAddress(text, &octets) || !OctetsFit(octets, false)) {
    // Only to say why the text was refused: an IPv6 address is understood
    // but cannot be pinged.
    return platform::IsIpv6AddressText(std::string(text)) ? kPingAddressNotIpv4
                                                          : kPingAddressInvalid;
  }
  for (size_t i = 0; i < octets.size(); ++i)
    (*address)[i] = static_cast<uint8_t>(DigitsValue(octets[i]));
  return kNetworkOk;
}

std::string FormatIpv4Address(const std::array<uint8_t, 4>& address) {
  return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." +
         std::to_string(address[2]) + "." + std::to_string(address[3]);
}

}  // namespace vidodez
