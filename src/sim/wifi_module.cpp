#include "sim/wifi_module.h"

#include <array>
#include <map>
#include <sstream>

#include "core/network/network_codes.h"

namespace vidodez::sim {
namespace {

constexpr char kApplyLine[] = "#HF>ST";
constexpr char kFactoryLine[] = "#HF>SF";
constexpr int kWpa2ServerPosition = 2;

std::string TwoDigits(int value) {
  return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

bool OneDigit(const std::string& text, int* value) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return false;
  *value = text[0] - '0';
  return true;
}

bool Channel(const std::string& text, int* value) {
  int high = 0, low = 0;
  if (text.size() != 2 || !OneDigit(text.substr(0, 1), &high) || !OneDigit(text.substr(1), &low))
    return false;
  *value = high * 10 + low;
  return true;
}

}  // namespace

WifiSettings WifiModule::FactorySettings() {
  WifiSettings settings;
  settings.mode = kWirelessModeServer;
  settings.ssid = "MarliX-Printer";
  settings.channel_code = 6;
  settings.security_code = kWpa2ServerPosition;
  settings.password = "12345678";
  settings.dhcp = 0;
  settings.address = {"010", "010", "100", "254"};
  settings.mask = {"255", "255", "255", "000"};
  settings.gateway = {"010", "010", "100", "254"};
  return settings;
}

bool WifiModule::HandleLine(const std::string& line, bool* changed) {
  *changed = false;
  if (line.starts_with(kWifiLineStart)) {
    WifiSettings parsed;
    if (ParseWifiLine(line, &parsed) == kNetworkOk) pending_ = std::move(parsed);
    return true;
  }
  if (line == kApplyLine) {
    if (pending_) {
      settings_ = std::move(*pending_);
      pending_.reset();
      *changed = true;
    }
    return true;
  }
  if (line == kFactoryLine) {
    settings_ = FactorySettings();
    pending_.reset();
    *changed = true;
    return true;
  }
  return false;
}

std::string WifiModule::Serialise() const {
  const WifiSettings& s = settings_;
  return "mode=" + std::to_string(s.mode) + "\nssid=" + s.ssid +
         "\nchannel=" + TwoDigits(s.channel_code) +
         "\nsecurity=" + std::to_string(s.security_code) + "\npassword=" + s.password +
         "\ndhcp=" + std::to_string(s.dhcp) + "\naddress=" + JoinAddress(s.address) +
         "\nmask=" + JoinAddress(s.mask) + "\ngateway=" + JoinAddress(s.gateway) + "\n";
}

bool WifiModule::Restore(const std::string& text) {
  std::map<std::string, std::string> values;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    size_t equals = line.find('=');
    if (equals == std::string::npos ||
        !values.emplace(line.substr(0, equals), line.substr(equals + 1)).second)
      return false;
  }
  static const std::array<const char*, 9> kKeys{
      "mode", "ssid", "channel", "security", "password", "dhcp", "address", "mask", "gateway"};
  if (values.size() != kKeys.size()) return false;
  for (const char* key : kKeys)
    if (!values.contains(key)) return false;
  WifiSettings s;
  s.ssid = values["ssid"];
  s.password = values["password"];
  bool read = OneDigit(values["mode"], &s.mode) && Channel(values["channel"], &s.channel_code) &&
              OneDigit(values["security"], &s.security_code) && OneDigit(values["dhcp"], &s.dhcp) &&
              SplitAddress(values["address"], &s.address) &&
              SplitAddress(values["mask"], &s.mask) && SplitAddress(values["gateway"], &s.gateway);
  // What the Wi-Fi line could not carry was never taken from one.
  std::string line;
  if (!read || BuildWifiCommand(s, &line) != kNetworkOk) return false;
  settings_ = std::move(s);
  return true;
}

}  // namespace vidodez::sim
