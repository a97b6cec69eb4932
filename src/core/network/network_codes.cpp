#include "core/network/network_codes.h"

namespace vidodez {
namespace {

constexpr NamedCode kCodes[] = {
    {kNetworkOk, "NetworkOk"},
    {kWifiModeInvalid, "WifiModeInvalid"},
    {kWifiSsidEmpty, "WifiSsidEmpty"},
    {kWifiSsidTooLong, "WifiSsidTooLong"},
    {kWifiPasswordTooLong, "WifiPasswordTooLong"},
    {kWifiTextUnsendable, "WifiTextUnsendable"},
    {kWifiTextNotGbk, "WifiTextNotGbk"},
    {kWifiChannelInvalid, "WifiChannelInvalid"},
    {kWifiSecurityInvalid, "WifiSecurityInvalid"},
    {kWifiDhcpInvalid, "WifiDhcpInvalid"},
    {kNetworkOctetInvalid, "NetworkOctetInvalid"},
    {kNetworkPortInvalid, "NetworkPortInvalid"},
    {kNetworkAddressEmpty, "NetworkAddressEmpty"},
    {kNetworkMaskEmpty, "NetworkMaskEmpty"},
    {kNetworkGatewayEmpty, "NetworkGatewayEmpty"},
    {kNetworkPortEmpty, "NetworkPortEmpty"},
    {kWifiPasswordLength, "WifiPasswordLength"},
    {kWifiWepPasswordLength, "WifiWepPasswordLength"},
    {kWifiLineMalformed, "WifiLineMalformed"},
    {kNetworkCancelled, "NetworkCancelled"},
    {kWifiTextLeadingBlank, "WifiTextLeadingBlank"},
    {kPingAddressInvalid, "PingAddressInvalid"},
    {kPingAddressNotIpv4, "PingAddressNotIpv4"},
    {kPingSocketUnavailable, "PingSocketUnavailable"},
    {kPingSendFailed, "PingSendFailed"},
    {kPingReceiveFailed, "PingReceiveFailed"},
    {kPingNoReply, "PingNoReply"},
    {kPingReplyMalformed, "PingReplyMalformed"},
    {kPingReplyNotOurs, "PingReplyNotOurs"},
};

}  // namespace

const char* NetworkCodeName(int code) { return NameOfCode(kCodes, code); }

std::span<const NamedCode> NetworkCodeTable() { return kCodes; }

}  // namespace vidodez
