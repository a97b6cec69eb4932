// The Wi-Fi command line from any texts and numbers the page might hold: the
// line keeps its 132-byte layout, each value in its own columns, or the send
// is refused and the command is left as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/network/network_codes.h"
#include "core/network/wifi_command.h"
#include "fuzz/fuzz_input.h"

namespace {

using vidodez::OctetTexts;

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// "%32s" of a text: blanks, then the text.
void CheckRightAligned(std::string_view column, const std::string& text) {
  Check(text.size() <= column.size() &&
        column.substr(0, column.size() - text.size()).find_first_not_of(' ') ==
            std::string_view::npos &&
        column.substr(column.size() - text.size()) == text);
}

// "ddd.ddd.ddd.ddd", each octet as typed with zeros on its left, at most 255.
void CheckAddress(std::string_view column, const OctetTexts& octets) {
  for (size_t i = 0; i < octets.size(); ++i) {
    const std::string_view octet = column.substr(i * 4, 3);
    Check(octet.find_first_not_of("0123456789") == std::string_view::npos);
    Check(std::stoi(std::string(octet)) <= 255 && octet.substr(3 - octets[i].size()) == octets[i] &&
          octet.substr(0, 3 - octets[i].size()).find_first_not_of('0') == std::string_view::npos);
    if (i < 3) Check(column[i * 4 + 3] == '.');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vidodez::fuzz::FuzzInput input(data, size);
  vidodez::WifiSettings settings;
  const uint8_t encoding = input.Byte();
  settings.mode = input.SignedByte();
  settings.channel_code = input.SignedByte();
  settings.security_code = input.SignedByte();
  settings.dhcp = input.SignedByte();
  settings.ssid = input.Text();
  settings.password = input.Text();
  for (OctetTexts* octets : {&settings.address, &settings.mask, &settings.gateway})
    for (std::string& octet : *octets) octet = input.Take(input.Byte() % 5);
  // Typed text goes through the page's encoding first; raw bytes are tried
  // too, as a name the printer reported comes back unchanged.
  if ((encoding & 1) != 0 && vidodez::EncodeSsid(settings.ssid, (encoding & 2) != 0,
                                                 &settings.ssid) != vidodez::kNetworkOk)
    return 0;
  if ((encoding & 4) != 0 &&
      vidodez::EncodeWifiPassword(settings.password, &settings.password) != vidodez::kNetworkOk)
    return 0;
  (void)vidodez::CheckWifiPassword(settings.mode, settings.security_code, settings.password);

  const std::string before = "unchanged";
  std::string command = before;
  if (vidodez::BuildWifiCommand(settings, &command) != vidodez::kNetworkOk) {
    Check(command == before);
    return 0;
  }
  const std::string_view line = command;
  Check(line.size() == 132);
  Check(line.substr(0, 8) == "\r\n#UM>WL" && line.substr(122) == "\r\n#HF>ST\r\n");
  Check(line[8] == '0' + settings.mode && (settings.mode == 0 || settings.mode == 1));
  CheckRightAligned(line.substr(9, 32), settings.ssid);
  Check(line.substr(41, 2).find_first_not_of("0123456789") == std::string_view::npos);
  const int channel = (line[41] - '0') * 10 + (line[42] - '0');
  Check(channel == settings.channel_code && (channel == 99 || channel <= 13));
  Check(line[43] == '0' + settings.security_code);
  const bool open = settings.security_code == vidodez::kOpenSecurityPosition;
  CheckRightAligned(line.substr(44, 32), open ? std::string() : settings.password);
  Check(line[76] == '0' + settings.dhcp && (settings.dhcp == 0 || settings.dhcp == 1));
  CheckAddress(line.substr(77, 15), settings.address);
  CheckAddress(line.substr(92, 15), settings.mask);
  CheckAddress(line.substr(107, 15), settings.gateway);
  // No line end or other control byte inside the values.
  for (char c : line.substr(2, 120)) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
  return 0;
}
