#pragma once
// Every text the operator reads exists in English and Chinese. Tables of
// `Text` keep the two side by side with one index per message, so a message
// can never exist in one language only.

#include <initializer_list>
#include <string>
#include <string_view>

namespace vidodez {

struct Text {
  const char* eng;
  const char* chi;
};

// The Chinese text is used only for the language code "chi"; every other code,
// the empty one included, reads English.
inline const char* Pick(const Text& text, std::string_view language) {
  return language == "chi" ? text.chi : text.eng;
}

// Fills each "%s" of `pattern` with the next argument. The arguments are
// never scanned, so a path holding "%s" stays as it is.
std::string FillText(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace vidodez
