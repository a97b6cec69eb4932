#pragma once
// The addresses of the network page: four octet edits each for the
// printer's address, subnet mask and gateway, and the port edit. Their input
// rules, defaults and checks, and their way to and from the printer's
// settings, as pure functions the page binds.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/printer_settings_record.h"

namespace vidodez {

// The texts of four octet edits, left to right, as typed.
using OctetTexts = std::array<std::string, 4>;

struct NetworkAddresses {
  OctetTexts address;
  OctetTexts mask;
  OctetTexts gateway;
  std::string port;
};

inline constexpr int kOctetMaximum = 255;
inline constexpr int kPortMaximum = 9999;
inline constexpr size_t kOctetWidth = 3;
inline constexpr size_t kPortWidth = 4;

// The edits' input rules, applied on every change of their text: the codes
// of ApplyDigitsRule (text with anything but digits emptied, 300 becomes 255).
int ApplyOctetRule(std::string* text);
int ApplyPortRule(std::string* text);

// 199.9.9.168, 255.255.255.0, 199.9.9.1, port 9100.
NetworkAddresses InitialAddresses();
// What choosing a wireless mode fills in: "Server(AP)" 10.10.100.2,
// 255.255.255.0, 10.10.100.254 and port 9100; "Client(STA)" the initial
// address, mask and gateway, leaving the port.
void ApplyModeDefaults(int mode, NetworkAddresses* addresses);

// The page's address check, stopping at the first empty edit:
// kNetworkAddressEmpty, kNetworkMaskEmpty, kNetworkGatewayEmpty or
// kNetworkPortEmpty.
[[nodiscard]] int CheckAddresses(const NetworkAddresses& addresses);

// Every octet as the printer's lines carry it: at most three digits, 0 to
// 255; empty only where `empty_allowed`.
bool OctetsFit(const OctetTexts& octets, bool empty_allowed);

// "192.168.001.020" into "192", "168", "001", "020" (leading zeros kept);
// false, `octets` untouched, unless the text is four parts of at most three
// characters.
bool SplitAddress(std::string_view text, OctetTexts* octets);
// The octets as typed, joined with ".".
std::string JoinAddress(const OctetTexts& octets);

// "Get IP Address": each of address, mask, gateway and port that the
// printer reported replaces the page's; an empty or malformed value leaves
// its edits as they were.
void AddressesFromRecord(const PrinterSettingsRecord& record, NetworkAddresses* addresses);

// The wired send: the settings line that writes `addresses` and the DHCP
// choice over the settings of `reply`, every other field as the printer
// reported it. Printers below 40 fields get no DHCP value. The codes of
// ParseSettingsReply and BuildSettingsCommand, or kNetworkOctetInvalid /
// kNetworkPortInvalid for a value the line cannot carry; `line` is unchanged
// on failure.
[[nodiscard]] int BuildWiredSettingsCommand(std::string_view reply,
                                            const NetworkAddresses& addresses, bool dhcp,
                                            std::string* line);

// Four decimal octets 0-255 of one to three digits each, separated by ".":
// "192.168.001.020" is 192.168.1.20 (never octal). kPingAddressInvalid for
// any other text, kPingAddressNotIpv4 for an IPv6 address.
[[nodiscard]] int ParseIpv4Address(std::string_view text, std::array<uint8_t, 4>* address);
// "192.168.1.20": the address as the ping reports it.
std::string FormatIpv4Address(const std::array<uint8_t, 4>& address);

}  // namespace vidodez
