#pragma once
// Every text the operator reads exists in English and Chinese. Tables of
// `Text` keep the two side by side with one index per message, so a message
// can never exist in one language only.

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

}  // namespace vidodez
