#pragma once
// Result codes of the network commands and the ping. Append only: never
// renumber or reuse a code, scripts read them.

#include <span>

#include "core/shell/named_code.h"

namespace vidodez {

inline constexpr int kNetworkOk = 0;
// The Wi-Fi line and the wired settings line keep their fixed layout or are
// refused with one of these; nothing is sent then.
inline constexpr int kWifiModeInvalid = -8001;  // neither 0 (AP) nor 1 (STA)
inline constexpr int kWifiSsidEmpty = -8002;
inline constexpr int kWifiSsidTooLong = -8003;      // over 32 bytes as sent
inline constexpr int kWifiPasswordTooLong = -8004;  // over 32 bytes as sent
// CR, LF or another control byte in the name or password: the printer
// would read the rest as a new line.
inline constexpr int kWifiTextUnsendable = -8005;
inline constexpr int kWifiTextNotGbk = -8006;  // a character GBK cannot hold
// No entry of the channel or security list selected, or one the list lacks.
inline constexpr int kWifiChannelInvalid = -8007;
inline constexpr int kWifiSecurityInvalid = -8008;
inline constexpr int kWifiDhcpInvalid = -8009;  // neither 0 nor 1
// An octet that is not up to three digits of 0-255, or (wired) an empty one.
inline constexpr int kNetworkOctetInvalid = -8010;
inline constexpr int kNetworkPortInvalid = -8011;  // empty, over four characters or not digits
// The page's checks, in the order they run.
inline constexpr int kNetworkAddressEmpty = -8012;
inline constexpr int kNetworkMaskEmpty = -8013;
inline constexpr int kNetworkGatewayEmpty = -8014;
inline constexpr int kNetworkPortEmpty = -8015;
inline constexpr int kWifiPasswordLength = -8016;     // not 8 to 32 bytes
inline constexpr int kWifiWepPasswordLength = -8017;  // WEP: not exactly 10 bytes
// A Wi-Fi line that does not have the fixed layout (the printer's side).
inline constexpr int kWifiLineMalformed = -8018;
// The operator answered a question of the page with Cancel.
inline constexpr int kNetworkCancelled = -8019;
// A name or password that begins with a blank: the right-aligned field pads
// with blanks, so the printer would read it without them.
inline constexpr int kWifiTextLeadingBlank = -8020;
// The ping.
inline constexpr int kPingAddressInvalid = -8030;     // not four decimal octets of 0-255
inline constexpr int kPingAddressNotIpv4 = -8031;     // an IPv6 address: only IPv4 is sent
inline constexpr int kPingSocketUnavailable = -8032;  // neither a raw nor a datagram ICMP socket
inline constexpr int kPingSendFailed = -8033;
inline constexpr int kPingReceiveFailed = -8034;
inline constexpr int kPingNoReply = -8035;         // no matching reply within the time-out
inline constexpr int kPingReplyMalformed = -8036;  // too short, or not an IPv4 header
inline constexpr int kPingReplyNotOurs = -8037;    // another program's or another request's

// The constant's name without its "k"; "Unknown" for any other value.
const char* NetworkCodeName(int code);

// Every named code, for checks that walk the list.
std::span<const NamedCode> NetworkCodeTable();

}  // namespace vidodez
