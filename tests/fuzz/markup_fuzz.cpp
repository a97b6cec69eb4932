// The inline markup with any text a skin, a message or a printer's name
// might put into it: the rich text is well formed (every tag one of the
// markup's own, properly nested, text escaped), and text that reads as plain
// text comes out unchanged.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gui/window/markup.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

void CheckWellFormed(const std::string& html) {
  static const std::vector<std::string_view> kContainers{"b", "u", "s", "a", "span", "div"};
  static const std::vector<std::string_view> kEmpty{"br", "img"};
  auto known = [](const std::vector<std::string_view>& names, std::string_view name) {
    for (std::string_view known_name : names)
      if (known_name == name) return true;
    return false;
  };
  std::vector<std::string> open;
  for (size_t i = 0; i < html.size();) {
    Check(html[i] != '>');
    if (html[i] != '<') {
      ++i;
      continue;
    }
    const size_t end = html.find('>', i);
    Check(end != std::string::npos);
    std::string_view tag(html.data() + i + 1, end - i - 1);
    const bool closing = !tag.empty() && tag.front() == '/';
    if (closing) tag.remove_prefix(1);
    const std::string_view name = tag.substr(0, tag.find(' '));
    if (closing) {
      Check(!open.empty() && open.back() == name && tag.size() == name.size());
      open.pop_back();
    } else if (known(kContainers, name)) {
      open.emplace_back(name);
    } else {
      Check(known(kEmpty, name));
    }
    // Attribute values are quoted and escaped: no quote or "<" inside them.
    Check(tag.find('<') == std::string_view::npos);
    size_t quotes = 0;
    for (char c : tag) quotes += c == '"';
    Check(quotes % 2 == 0);
    i = end + 1;
  }
  Check(open.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString markup =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString html = vidodez::gui::MarkupToRichText(markup);
  CheckWellFormed(html.toStdString());
  if (vidodez::gui::ReadsAsPlainText(markup)) Check(html == markup);
  return 0;
}
