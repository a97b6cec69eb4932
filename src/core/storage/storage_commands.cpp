#include "core/storage/storage_commands.h"

#include <algorithm>
#include <cctype>

namespace vidodez {

std::vector<std::string> ParseStoredList(const std::string& reply, StoredKind kind) {
  static constexpr char kMarkers[] = {'@', '#', '$'};
  const char wanted = kMarkers[static_cast<int>(kind) - 1];
  std::vector<std::string> names;
  size_t start = 0;
  for (size_t i = 0; i < reply.size(); ++i) {
    char c = reply[i];
    if (c != '@' && c != '#' && c != '$') continue;
    // The start moves on after every marker, whichever kind was asked.
    if (c == wanted) names.push_back(reply.substr(start, i - start));
    start = i + 1;
  }
  return names;
}

bool IsStoredListReply(const std::string& reply) {
  const size_t last_marker = reply.find_last_of("@#$");
  if (last_marker == std::string::npos)
    return reply.find_first_not_of(std::string(" \t\r\n\0", 5)) == std::string::npos;
  // Every name: some bytes before its marker, none of them a control byte.
  size_t name_length = 0;
  for (size_t i = 0; i <= last_marker; ++i) {
    const auto c = static_cast<unsigned char>(reply[i]);
    if (c == '@' || c == '#' || c == '$') {
      if (name_length == 0) return false;
      name_length = 0;
    } else if (c < 0x20 || c == 0x7f) {
      return false;
    } else {
      ++name_length;
    }
  }
  return true;
}

std::string ConsoleText(const std::string& typed) {
  std::string text;
  text.reserve(typed.size() + typed.size() / 8);
  for (size_t i = 0; i < typed.size(); ++i) {
    char c = typed[i];
    if (c == '\r') {
      if (i + 1 < typed.size() && typed[i + 1] == '\n') ++i;
      text += "\r\n";
    } else if (c == '\n') {
      text += "\r\n";
    } else {
      text.push_back(c);
    }
  }
  return text;
}

bool NameFitsCommand(const std::string& name) {
  return name.find_first_of("\r\n\"") == std::string::npos;
}

std::string DeleteOneCommand(StoredKind kind, char command_set_flag, const std::string& name) {
  switch (kind) {
    case StoredKind::kForm:
      return "FK\"" + name + "\"";
    case StoredKind::kFont:
      return (command_set_flag == '1' ? "^ZF\"" : "ZF\"") + name + "\"";
    case StoredKind::kGraphic:
      return "GK\"" + name + "\"";
  }
  return {};
}

std::string DeleteAllCommand(StoredKind kind, char command_set_flag) {
  return DeleteOneCommand(kind, command_set_flag, "*");
}

std::string PrintCommand(StoredKind kind, const std::string& name) {
  switch (kind) {
    case StoredKind::kForm:
      return "FR\"" + name + "\"\r\nW1";
    case StoredKind::kGraphic:
      return "GG20,20,\"" + name + "\"\r\nW1\r\n";
    case StoredKind::kFont:
      break;
  }
  return {};
}

std::string StoreGraphicPrologue(bool store, const std::string& id) {
  return std::string(store ? "ZS" : "ZN") + "\r\nGK\"" + id + "\"";
}

std::string StoreGraphicTestPrint(const std::string& id) {
  return "ZN\r\nGG20,20,\"" + id + "\"\r\nW1,1\r\n";
}

bool HasPcxExtension(const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension == "PCX";
}

std::string BaseNameForId(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace vidodez
