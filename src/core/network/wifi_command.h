#pragma once
// The Wi-Fi module's command line and the lists the network page offers for
// it, as pure functions. The lists depend on the field count of the
// printer's last settings reply (markers count as below 40).

#include <string>
#include <string_view>
#include <vector>

#include "core/network/network_addresses.h"

namespace vidodez {

inline constexpr int kWirelessModeServer = 0;  // "Server(AP)"
inline constexpr int kWirelessModeClient = 1;  // "Client(STA)"
inline constexpr int kAutoChannelCode = 99;
inline constexpr int kOpenSecurityPosition = 1;  // "Open" in every security list
inline constexpr int kWepSecurityPosition = 2;   // "WEP" in the station lists
// The security position a change of mode asks for; only the seven-entry
// list has it (see SecurityPreselection).
inline constexpr int kPreferredSecurityPosition = 6;
inline constexpr size_t kWifiTextLimit = 32;  // SSID and password bytes

// The values of one Wi-Fi command line, as the page holds them at a send.
struct WifiSettings {
  int mode = kWirelessModeClient;
  std::string ssid;  // bytes as sent: GBK, or UTF-8 converted from GBK
  int channel_code = kAutoChannelCode;
  int security_code = kPreferredSecurityPosition;  // position in the mode's list
  std::string password;                            // GBK bytes; an open network sends none
  int dhcp = 0;
  OctetTexts address;
  OctetTexts mask;
  OctetTexts gateway;
};

// The entries of the page's lists, in position order, in the language
// ("Channel N" / "信道 N"; the names of the security standards are the same
// in both).
std::vector<std::string> WirelessModeList(std::string_view language = "eng");
std::vector<std::string> ChannelList(int field_count, std::string_view language = "eng");
std::vector<std::string> SecurityList(int mode, int field_count, std::string_view language = "eng");

// The position each list selects after a change of mode: channel 7 ("Channel
// 6" or "Channel 7") for AP and "Auto Channel" for STA; security 6 where the
// list has it, else the list's last entry, so no send finds none selected.
int DefaultChannelPosition(int mode);
int SecurityPreselection(int mode, int field_count);

// The channel code of a list position: "Auto Channel" is 99, "Channel N" its
// position, minus 1 on printers of 40 fields or fewer ("Channel 6" sends 05
// on a 40-field printer). -1 for a position not in the list.
int ChannelCode(int position, int field_count);

// The operator's text as the printer gets it. The name in GBK or, with
// `utf8`, converted from GBK to UTF-8; the password always in GBK.
// kWifiTextNotGbk for a character GBK cannot hold.
[[nodiscard]] int EncodeSsid(const std::string& text, bool utf8, std::string* bytes);
[[nodiscard]] int EncodeWifiPassword(const std::string& text, std::string* bytes);

// The page's password rule for the mode and security position, over the
// bytes as sent: kWifiPasswordLength (8 to 32 needed) or
// kWifiWepPasswordLength (exactly 10 for WEP); an open network has none.
[[nodiscard]] int CheckWifiPassword(int mode, int security_position, const std::string& password);

// CR LF, "#UM>WL", mode, SSID right-aligned in 32, two-digit channel code,
// security code, password right-aligned in 32 (32 spaces for an open
// network), DHCP, then address, mask and gateway as "ddd.ddd.ddd.ddd" with
// each octet zero-padded to three digits (an empty one is 000), CR LF,
// "#HF>ST", CR LF: 132 bytes. Anything that would break that layout, or that
// the printer would read back otherwise (a name or password beginning with
// a blank, taken for padding), is refused with its code and `command` is
// unchanged.
[[nodiscard]] int BuildWifiCommand(const WifiSettings& settings, std::string* command);

// The line the Wi-Fi module reads, between the command's first two line ends.
inline constexpr std::string_view kWifiLineStart = "#UM>WL";
inline constexpr size_t kWifiLineSize = 120;

// The inverse, for the printer's side: the values of a Wi-Fi line without
// its line end. The name and password lose their blanks on the left (their
// padding), the octets keep their three digits. kWifiLineMalformed for a
// line that does not have the layout, or the code BuildWifiCommand would give
// for its values; `settings` is untouched on failure.
[[nodiscard]] int ParseWifiLine(std::string_view line, WifiSettings* settings);

}  // namespace vidodez
