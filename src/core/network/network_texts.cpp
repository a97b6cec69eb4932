#include "core/network/network_texts.h"

#include <array>

#include "core/network/network_codes.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

// The English texts keep the printers' established spellings ("Openning",
// "eThe", "has been send").
constexpr std::array<Text, static_cast<size_t>(NetworkText::kCount)> kTexts{{
    {"Invalid IP entered!", "请输入有效的IP！"},
    {"Invalid Subnet Mask entered!", "请输入有效的子网掩码！"},
    {"Invalid Gateway entered!", "请输入有效的默认网关！"},
    {"Invalid Port entered!", "请输入有效网络端口！"},
    {"Please check the port!", "请检查端口！"},
    {"Network name must not be empty!", "网络名称不能为空"},
    {"The input text of SSID will be set as UTF-8 data format.", "SSID将转换为UTF-8数据格式？"},
    {"The input text of SSID will be set as GBK data format.", "SSID将转换GBK数据格式?"},
    {"eThe network name is no longer than 32 characters.", "网络名称最多为32个字符？"},
    {"The password must be a combination of alphanumeric characters of 8-32 characters in "
     "length.",
     "密码长度必须为8-32"},
    {"The password must be a combination of alphanumeric characters of 10 characters in length.",
     "密码长度必须为10"},
    {"Please confirm whether to restore the Wi-Fi setting to factory default!",
     "请确认是否将模块信息恢复到出厂设置！"},
    {"Openning port Failed, please check the printer connection.",
     "打开端口失败，请检查打印机是否连接！"},
    {"Sending Command Failed!", "发送失败！"},
    {"Data has been send to printer successfully!！", "数据已发送至打印机！"},
    {"IP address is correct.", "IP地址正确。"},
    {"Please check the cable connection and network configuration.",
     "请检查网线连接以及打印机网络设置!"},
    {"Please select a channel.", "请选择网络信道！"},
    {"Please select a security type.", "请选择安全类型！"},
    {"Each part of an address must be a number from 0 to 255.",
     "IP地址的每一段必须是0到255之间的数字！"},
    {"The network name and the password must not hold line breaks or other control characters.",
     "网络名称和密码不能包含换行符或其他控制字符！"},
    {"The network name or the password holds a character that cannot be sent to the printer.",
     "网络名称或密码包含无法发送到打印机的字符！"},
    {"The network name and the password must not begin with a blank: the printer would drop it.",
     "网络名称和密码不能以空格开头：打印机会将其丢弃！"},
    {"Only IPv4 addresses can be pinged.", "只能 Ping IPv4 地址！"},
}};

// The lines of a ping; "%s" stands for the numbers and the address.
constexpr Text kReplyLine{"Reply from %s: time=%s ms", "来自 %s 的回复：时间=%s 毫秒"};
constexpr Text kTimedOutLine{"Request timed out.", "请求超时。"};
constexpr Text kNotSentLine{"The request could not be sent.", "请求无法发送。"};
constexpr Text kNotReadLine{"The reply could not be read.", "无法读取回复。"};
constexpr Text kNoSocketLine{"This user may not send ICMP echo requests.",
                             "当前用户无权发送 ICMP 回显请求。"};
constexpr Text kSummaryLine{"Sent = %s, Received = %s", "已发送 = %s，已接收 = %s"};

}  // namespace

std::string PingRequestLine(std::string_view address, const PingRequest& request,
                            std::string_view language) {
  switch (request.code) {
    case kNetworkOk:
      return FillText(Pick(kReplyLine, language),
                      {address, std::to_string(request.echo.response_ms)});
    case kPingNoReply:
      return Pick(kTimedOutLine, language);
    case kPingSocketUnavailable:
      return Pick(kNoSocketLine, language);
    case kPingReceiveFailed:
      return Pick(kNotReadLine, language);
    default:
      return Pick(kNotSentLine, language);
  }
}

std::string PingSummaryLine(int sent, int received, std::string_view language) {
  return FillText(Pick(kSummaryLine, language), {std::to_string(sent), std::to_string(received)});
}

OperatorMessage NetworkMessage(NetworkText text, std::string_view language) {
  int index = static_cast<int>(text);
  return {kNetworkTable, index, Pick(kTexts[static_cast<size_t>(index)], language)};
}

NetworkText NetworkTextOfCode(int code) {
  switch (code) {
    case kNetworkAddressEmpty:
    case kPingAddressInvalid:
      return NetworkText::kInvalidIp;
    case kPingAddressNotIpv4:
      return NetworkText::kPingIpv4Only;
    case kNetworkMaskEmpty:
      return NetworkText::kInvalidMask;
    case kNetworkGatewayEmpty:
      return NetworkText::kInvalidGateway;
    case kNetworkPortEmpty:
    case kNetworkPortInvalid:
      return NetworkText::kInvalidPort;
    case kWifiSsidEmpty:
      return NetworkText::kNetworkNameEmpty;
    case kWifiSsidTooLong:
      return NetworkText::kNetworkNameTooLong;
    case kWifiPasswordTooLong:
    case kWifiPasswordLength:
      return NetworkText::kPasswordLength;
    case kWifiWepPasswordLength:
      return NetworkText::kWepPasswordLength;
    case kWifiChannelInvalid:
      return NetworkText::kChannelNotSelected;
    case kWifiSecurityInvalid:
      return NetworkText::kSecurityNotSelected;
    case kNetworkOctetInvalid:
      return NetworkText::kOctetInvalid;
    case kWifiTextUnsendable:
      return NetworkText::kTextUnsendable;
    case kWifiTextNotGbk:
      return NetworkText::kTextNotGbk;
    case kWifiTextLeadingBlank:
      return NetworkText::kTextLeadingBlank;
    case kPingSocketUnavailable:
    case kPingSendFailed:
    case kPingReceiveFailed:
    case kPingNoReply:
    case kPingReplyMalformed:
    case kPingReplyNotOurs:
      return NetworkText::kPingFailed;
    default:
      return NetworkText::kCount;
  }
}

}  // namespace vidodez
