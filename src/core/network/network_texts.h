#pragma once
// The network page's messages, English and Chinese, one index per message.

#include <string>
#include <string_view>

#include "core/network/icmp_pinger.h"
#include "core/shell/operator.h"

namespace vidodez {

enum class NetworkText {
  kInvalidIp,
  kInvalidMask,
  kInvalidGateway,
  kInvalidPort,
  kCheckPort,
  kNetworkNameEmpty,
  kConfirmUtf8,
  kConfirmGbk,
  kNetworkNameTooLong,
  kPasswordLength,
  kWepPasswordLength,
  kConfirmWifiReset,
  kOpenPortFailed,
  kSendFailed,
  kDataSent,
  kPingAnswered,
  kPingFailed,
  kChannelNotSelected,
  kSecurityNotSelected,
  kOctetInvalid,
  kTextUnsendable,
  kTextNotGbk,
  kTextLeadingBlank,
  kPingIpv4Only,
  kCount
};

inline constexpr const char kNetworkTable[] = "network";

OperatorMessage NetworkMessage(NetworkText text, std::string_view language);

// The message that tells the operator why a network code refused a send or a
// ping; kCount for codes the page never meets.
NetworkText NetworkTextOfCode(int code);

// What a ping shows of each request as it ends ("Reply from 127.0.0.1:
// time=0 ms", "Request timed out.") and its closing line with the counts.
// `address` is the dotted address the requests went to.
std::string PingRequestLine(std::string_view address, const PingRequest& request,
                            std::string_view language);
std::string PingSummaryLine(int sent, int received, std::string_view language);

}  // namespace vidodez
