// The "^S1" list with whatever a printer might send: each kind's names are
// the texts before its own markers, none holding a marker, and every name
// can be shown; a reply taken for a list holds no empty name or line end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/text_encoding.h"
#include "core/storage/storage_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const bool is_list = vidodez::IsStoredListReply(reply);
  size_t names = 0;
  for (auto [kind, marker] :
       {std::pair{vidodez::StoredKind::kForm, '@'}, std::pair{vidodez::StoredKind::kFont, '#'},
        std::pair{vidodez::StoredKind::kGraphic, '$'}}) {
    const std::vector<std::string> list = vidodez::ParseStoredList(reply, kind);
    size_t markers = 0;
    for (char c : reply) markers += c == marker;
    if (list.size() != markers) __builtin_trap();
    for (const std::string& name : list) {
      if (name.find_first_of("@#$") != std::string::npos) __builtin_trap();
      // A list shows no name that is none: empty, or holding a line end.
      if (is_list && (name.empty() || name.find_first_of("\r\n") != std::string::npos))
        __builtin_trap();
      if (!name.empty() && vidodez::platform::GbkForDisplay(name).empty()) __builtin_trap();
    }
    names += list.size();
  }
  // A reply without any marker is a list only when it holds no text at all.
  if (names == 0 && is_list &&
      reply.find_first_not_of(std::string(" \t\r\n\0", 5)) != std::string::npos)
    __builtin_trap();
  return 0;
}
