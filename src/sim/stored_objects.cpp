#include "sim/stored_objects.h"

#include <algorithm>
#include <sstream>

namespace vidodez::sim {
namespace {

constexpr char kHex[] = "0123456789abcdef";

std::string ToHex(const std::string& bytes) {
  std::string hex;
  for (unsigned char c : bytes) {
    hex.push_back(kHex[c >> 4]);
    hex.push_back(kHex[c & 15]);
  }
  return hex;
}

std::optional<std::string> FromHex(const std::string& hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    auto digit = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      return -1;
    };
    int high = digit(hex[i]), low = digit(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

}  // namespace

std::string StoredObjects::ListReply() const {
  std::string reply;
  for (const auto& [name, body] : forms) reply += name + "@";
  for (const auto& [name, data] : fonts) reply += name + "#";
  for (const auto& [name, data] : graphics) reply += name + "$";
  // A printer holding nothing still answers, with a bare line end, so the
  // program can tell an empty printer from a silent one.
  if (reply.empty()) reply = "\r\n";
  return reply;
}

void StoredObjects::Put(std::vector<std::pair<std::string, std::string>>* kind,
                        const std::string& name, std::string data) {
  auto it =
      std::find_if(kind->begin(), kind->end(), [&](const auto& e) { return e.first == name; });
  if (it != kind->end()) it->second = std::move(data);
  else kind->emplace_back(name, std::move(data));
}

bool StoredObjects::Remove(std::vector<std::pair<std::string, std::string>>* kind,
                           const std::string& name) {
  size_t before = kind->size();
  if (name == "*") kind->clear();
  else std::erase_if(*kind, [&](const auto& e) { return e.first == name; });
  return kind->size() != before;
}

std::string StoredObjects::Serialise() const {
  std::string text;
  auto put = [&](char tag, const auto& kind) {
    for (const auto& [name, data] : kind)
      text += std::string(1, tag) + " " + ToHex(name) + " " + ToHex(data) + "\n";
  };
  put('F', forms);
  put('T', fonts);
  put('G', graphics);
  return text;
}

std::optional<StoredObjects> StoredObjects::Parse(const std::string& text) {
  StoredObjects objects;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    // "T NAMEHEX DATAHEX"; an empty name is an empty field.
    size_t first = line.find(' '), second = line.find(' ', first + 1);
    if (line.size() < 3 || first != 1 || second == std::string::npos) return std::nullopt;
    auto name = FromHex(line.substr(2, second - 2));
    auto data = FromHex(line.substr(second + 1));
    if (!name || !data) return std::nullopt;
    switch (line[0]) {
      case 'F':
        objects.forms.emplace_back(*name, *data);
        break;
      case 'T':
        objects.fonts.emplace_back(*name, *data);
        break;
      case 'G':
        objects.graphics.emplace_back(*name, *data);
        break;
      default:
        return std::nullopt;
    }
  }
  return objects;
}

std::optional<std::string> QuotedName(const std::string& line, const std::string& prefix) {
  if (line.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  if (line.size() <= prefix.size() || line[prefix.size()] != '"') return std::nullopt;
  size_t close = line.find('"', prefix.size() + 1);
  if (close == std::string::npos) return std::nullopt;
  return line.substr(prefix.size() + 1, close - prefix.size() - 1);
}

}  // namespace vidodez::sim
