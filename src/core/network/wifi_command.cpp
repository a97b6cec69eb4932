#include "core/network/wifi_command.h"

#include <span>

#include "core/config/settings_commands.h"
#include "core/network/network_codes.h"
#include "core/platform/text_encoding.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

constexpr Text kModes[] = {{"Server(AP)", "服务器(AP)"}, {"Client(STA)", "客户端(STA)"}};
constexpr Text kAuto{"Auto", "自动"};
constexpr Text kOpen{"Open", "开放"};
constexpr Text kWep{"WEP", "WEP"};
constexpr Text kWpaTkip{"WPA-PSK/TKIP", "WPA-PSK/TKIP"};
constexpr Text kWpaAes{"WPA-PSK/AES", "WPA-PSK/AES"};
constexpr Text kWpa2Tkip{"WPA2-PSK/TKIP", "WPA2-PSK/TKIP"};
constexpr Text kWpa2Aes{"WPA2-PSK/AES", "WPA2-PSK/AES"};
constexpr Text kWpa3Aes{"WPA3-PSK/AES", "WPA3-PSK/AES"};
constexpr Text kServerSecurity[] = {kAuto, kOpen, kWpa2Aes};
constexpr Text kClientSecurity[] = {kAuto, kOpen, kWep, kWpaTkip, kWpaAes, kWpa2Tkip, kWpa2Aes};
constexpr Text kNewerClientSecurity[] = {kAuto, kOpen, kWep, kWpa2Aes, kWpa3Aes};
constexpr Text kAutoChannel{"Auto Channel", "自动信道"};
constexpr Text kChannel{"Channel %s", "信道 %s"};

// The printers whose reply carries DHCP (40 fields and more) number their
// channels 1 to 13 and offer WPA3, older ones 0 to 11; the code rule below
// is the printers' own, off by one at exactly 40.
constexpr int kNewerPrinter = kDhcpFieldCount;
constexpr int kFirstChannelNewer = 1;
constexpr int kLastChannelNewer = 13;
constexpr int kFirstChannelOlder = 0;
constexpr int kLastChannelOlder = 11;
constexpr int kHighestChannelCode = 13;

constexpr std::string_view kLineBreak = "\r\n";
// Makes the Wi-Fi module take the line before it.
constexpr std::string_view kApplyLine = "#HF>ST";
constexpr size_t kPaddedAddressSize = 4 * kOctetWidth + 3;
static_assert(kWifiLineSize == kWifiLineStart.size() + 1 + kWifiTextLimit + 2 + 1 + kWifiTextLimit +
                                   1 + 3 * kPaddedAddressSize);

constexpr size_t kPasswordMinimum = 8;
constexpr size_t kWepPasswordLength = 10;

std::vector<std::string> Texts(std::span<const Text> texts, std::string_view language) {
  std::vector<std::string> list;
  for (const Text& text : texts) list.emplace_back(Pick(text, language));
  return list;
}

bool HasControlByte(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
  return false;
}

// "%32s": right-aligned, blanks on the left.
void AppendRightAligned(const std::string& text, std::string* out) {
  out->append(kWifiTextLimit - text.size(), ' ');
  out->append(text);
}

void AppendTwoDigits(int value, std::string* out) {
  out->push_back(static_cast<char>('0' + value / 10));
  out->push_back(static_cast<char>('0' + value % 10));
}

// "%03s.%03s.%03s.%03s" meant zeros on the left ("9" gives 009); the C
// library pads %s with blanks, so the zeros are put in here.
void AppendPaddedAddress(const OctetTexts& octets, std::string* out) {
  for (size_t i = 0; i < octets.size(); ++i) {
    if (i > 0) out->push_back('.');
    out->append(kOctetWidth - octets[i].size(), '0');
    out->append(octets[i]);
  }
}

// What goes out as the password: nothing for an open network.
std::string SentPassword(const WifiSettings& settings) {
  return settings.security_code == kOpenSecurityPosition ? std::string() : settings.password;
}

// Everything that would break the fixed layout, with the password as sent.
int CheckWifiValues(const WifiSettings& settings, const std::string& password) {
  if (settings.mode != kWirelessModeServer && settings.mode != kWirelessModeClient)
    return kWifiModeInvalid;
  if (settings.ssid.empty()) return kWifiSsidEmpty;
  if (settings.ssid.size() > kWifiTextLimit) return kWifiSsidTooLong;
  if (password.size() > kWifiTextLimit) return kWifiPasswordTooLong;
  if (HasControlByte(settings.ssid) || HasControlByte(password)) return kWifiTextUnsendable;
  if (settings.ssid.front() == ' ' || password.starts_with(' ')) return kWifiTextLeadingBlank;
  if (settings.channel_code != kAutoChannelCode &&
      (settings.channel_code < 0 || settings.channel_code > kHighestChannelCode))
    return kWifiChannelInvalid;
  // The longest list of either mode: a code past it has no entry anywhere.
  int security_entries = static_cast<int>(SecurityList(settings.mode, 0).size());
  if (settings.security_code < 0 || settings.security_code >= security_entries)
    return kWifiSecurityInvalid;
  if (settings.dhcp != 0 && settings.dhcp != 1) return kWifiDhcpInvalid;
  // An empty octet is sent as 000: AP mode runs no address check.
  if (!OctetsFit(settings.address, true) || !OctetsFit(settings.mask, true) ||
      !OctetsFit(settings.gateway, true))
    return kNetworkOctetInvalid;
  return kNetworkOk;
}

// Reads the fixed-width fields of a Wi-Fi line in order.
struct LineReader {
  std::string_view rest;

  bool Take(size_t width, std::string_view* field) {
    if (rest.size() < width) return false;
    *field = rest.substr(0, width);
    rest.remove_prefix(width);
    return true;
  }
  bool Digits(size_t width, int* value) {
    std::string_view field;
    if (!Take(width, &field)) return false;
    *value = 0;
    for (char c : field) {
      if (c < '0' || c > '9') return false;
      *value = *value * 10 + (c - '0');
    }
    return true;
  }
  // "%32s": the blanks on the left are padding.
  bool RightAligned(std::string* text) {
    std::string_view field;
    if (!Take(kWifiTextLimit, &field)) return false;
    size_t first = field.find_first_not_of(' ');
    *text = first == std::string_view::npos ? std::string() : std::string(field.substr(first));
    return true;
  }
  // "ddd.ddd.ddd.ddd", each octet kept as its three digits.
  bool Address(OctetTexts* octets) {
    std::string_view field;
    if (!Take(kPaddedAddressSize, &field)) return false;
    for (size_t i = 0; i < octets->size(); ++i) {
      std::string_view octet = field.substr(i * (kOctetWidth + 1), kOctetWidth);
      if (i > 0 && field[i * (kOctetWidth + 1) - 1] != '.') return false;
      if (octet.find_first_not_of("0123456789") != std::string_view::npos) return false;
      (*octets)[i] = std::string(octet);
    }
    return true;
  }
};

}  // namespace

std::vector<std::string> WirelessModeList(std::string_view language) {
  return Texts(kModes, language);
}

std::vector<std::string> ChannelList(int field_count, std::string_view language) {
  bool newer = field_count >= kNewerPrinter;
  int first = newer ? kFirstChannelNewer : kFirstChannelOlder;
  int last = newer ? kLastChannelNewer : kLastChannelOlder;
  std::vector<std::string> list{Pick(kAutoChannel, language)};
  for (int channel = first; channel <= last; ++channel)
    list.push_back(FillText(Pick(kChannel, language), {std::to_string(channel)}));
  return list;
}

std::vector<std::string> SecurityList(int mode, int field_count, std::string_view language) {
  if (mode == kWirelessModeServer) return Texts(kServerSecurity, language);
  if (field_count >= kNewerPrinter) return Texts(kNewerClientSecurity, language);
  return Texts(kClientSecurity, language);
}

int DefaultChannelPosition(int mode) { return mode == kWirelessModeServer ? 7 : 0; }

int SecurityPreselection(int mode, int field_count) {
  int size = static_cast<int>(SecurityList(mode, field_count).size());
  return size > kPreferredSecurityPosition ? kPreferredSecurityPosition : size - 1;
}

int ChannelCode(int position, int field_count) {
  if (position < 0 || position >= static_cast<int>(ChannelList(field_count).size())) return -1;
  if (position == 0) return kAutoChannelCode;
  return field_count <= kNewerPrinter ? position - 1 : position;
}

int EncodeSsid(const std::string& text, bool utf8, std::string* bytes) {
  std::string gbk;
  if (platform::Utf8ToGbk(text, &gbk) != 0) return kWifiTextNotGbk;
  if (!utf8) {
    *bytes = std::move(gbk);
    return kNetworkOk;
  }
  return platform::GbkToUtf8(gbk, bytes) == 0 ? kNetworkOk : kWifiTextNotGbk;
}

int EncodeWifiPassword(const std::string& text, std::string* bytes) {
  return platform::Utf8ToGbk(text, bytes) == 0 ? kNetworkOk : kWifiTextNotGbk;
}

int CheckWifiPassword(int mode, int security_position, const std::string& password) {
  if (security_position == kOpenSecurityPosition) return kNetworkOk;
  if (mode == kWirelessModeClient && security_position == kWepSecurityPosition)
    return password.size() == kWepPasswordLength ? kNetworkOk : kWifiWepPasswordLength;
  if (password.size() < kPasswordMinimum || password.size() > kWifiTextLimit)
    return kWifiPasswordLength;
  return kNetworkOk;
}

int BuildWifiCommand(const WifiSettings& settings, std::string* command) {
  std::string password = SentPassword(settings);
  if (int rc = CheckWifiValues(settings, password); rc != kNetworkOk) return rc;
  std::string line = std::string(kLineBreak) + std::string(kWifiLineStart);
  line.push_back(static_cast<char>('0' + settings.mode));
  AppendRightAligned(settings.ssid, &line);
  AppendTwoDigits(settings.channel_code, &line);
  line.push_back(static_cast<char>('0' + settings.security_code));
  AppendRightAligned(password, &line);
  line.push_back(static_cast<char>('0' + settings.dhcp));
  AppendPaddedAddress(settings.address, &line);
  AppendPaddedAddress(settings.mask, &line);
  AppendPaddedAddress(settings.gateway, &line);
  line += std::string(kLineBreak) + std::string(kApplyLine) + std::string(kLineBreak);
  *command = std::move(line);
  return kNetworkOk;
}

int ParseWifiLine(std::string_view line, WifiSettings* settings) {
  if (line.size() != kWifiLineSize || !line.starts_with(kWifiLineStart)) return kWifiLineMalformed;
  LineReader reader{line.substr(kWifiLineStart.size())};
  WifiSettings parsed;
  bool fits = reader.Digits(1, &parsed.mode) && reader.RightAligned(&parsed.ssid) &&
              reader.Digits(2, &parsed.channel_code) && reader.Digits(1, &parsed.security_code) &&
              reader.RightAligned(&parsed.password) && reader.Digits(1, &parsed.dhcp) &&
              reader.Address(&parsed.address) && reader.Address(&parsed.mask) &&
              reader.Address(&parsed.gateway);
  if (!fits) return kWifiLineMalformed;
  if (int rc = CheckWifiValues(parsed, SentPassword(parsed)); rc != kNetworkOk) return rc;
  *settings = std::move(parsed);
  return kNetworkOk;
}

}  // namespace vidodez
