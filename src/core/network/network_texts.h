#pragma once
// The network page's messages, English and Chinese, one index per message.

#include <string_view>

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
  kCount
};

inline constexpr const char kNetworkTable[] = "network";

OperatorMessage NetworkMessage(NetworkText text, std::string_view language);

// The message that tells the operator why a network code refused a send or a
// ping; kCount for codes the page never meets.
NetworkText NetworkTextOfCode(int code);

}  // namespace vidodez
