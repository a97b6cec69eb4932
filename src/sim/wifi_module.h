#pragma once
// The simulated printer's Wi-Fi module: "#UM>WL" sets pending settings, the
// "#HF>ST" after it applies them, "#HF>SF" restores the factory settings.
// The settings are kept as the Wi-Fi line carried them: the name and
// password without their padding, the octets as three digits.

#include <optional>
#include <string>

#include "core/network/wifi_command.h"

namespace vidodez::sim {

class WifiModule {
 public:
  WifiModule() : settings_(FactorySettings()) {}

  // AP mode, "MarliX-Printer", channel 06, WPA2-PSK/AES with "12345678",
  // 010.010.100.254 for address and gateway.
  static WifiSettings FactorySettings();

  // Handles a Wi-Fi line; false for any other line. `changed` tells whether
  // the settings in effect changed. A malformed "#UM>WL" changes nothing.
  bool HandleLine(const std::string& line, bool* changed);

  const WifiSettings& settings() const { return settings_; }
  const std::optional<WifiSettings>& pending() const { return pending_; }

  // One "key=value" line each: mode, ssid, channel (two digits), security,
  // password, dhcp, address, mask, gateway (ddd.ddd.ddd.ddd). The name and
  // password are the bytes as sent.
  std::string Serialise() const;
  // False, nothing changed, unless `text` holds every key once with a value
  // the Wi-Fi line can carry.
  bool Restore(const std::string& text);

 private:
  WifiSettings settings_;
  std::optional<WifiSettings> pending_;
};

}  // namespace vidodez::sim
