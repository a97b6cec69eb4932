#include "core/platform/sim/sim_bus_protocol.h"

#include <charconv>
#include <sstream>

namespace vidodez::platform::simbus {
namespace {

bool ParseNumber(const std::string& text, long* value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, *value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

std::string FormatRegistration(const Registration& r) {
  std::string text = "path=" + r.device_path + "\n" + "port=" + std::to_string(r.port_number) +
                     "\n" + "socket=" + r.socket_path + "\n" + "pid=" + std::to_string(r.pid) +
                     "\n";
  if (r.has_description) text += "description=" + r.description + "\n";
  return text;
}

std::optional<Registration> ParseRegistration(const std::string& text) {
  Registration r;
  bool has_path = false, has_port = false, has_socket = false, has_pid = false;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    std::string value = line.substr(equals + 1);
    long number = 0;
    if (key == "path") {
      r.device_path = value;
      has_path = true;
    } else if (key == "port" && ParseNumber(value, &number) && number >= 0 && number < 65536) {
      r.port_number = static_cast<int>(number);
      has_port = true;
    } else if (key == "socket") {
      r.socket_path = value;
      has_socket = true;
    } else if (key == "pid" && ParseNumber(value, &number) && number > 0) {
      r.pid = number;
      has_pid = true;
    } else if (key == "description") {
      r.description = value;
      r.has_description = true;
    }
  }
  if (!has_path || !has_port || !has_socket || !has_pid) return std::nullopt;
  return r;
}

void PutU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* in) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(in[i]) << (8 * i);
  return value;
}

}  // namespace vidodez::platform::simbus
