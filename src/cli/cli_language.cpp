#include "cli/cli_language.h"

#include <cstdlib>
#include <string_view>

namespace vidodez::cli {

std::string DefaultCliLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    std::string_view locale = value;
    return (locale == "zh" || locale.substr(0, 3) == "zh_" || locale.substr(0, 3) == "zh.") ? "chi" : "eng";
  }
  return "eng";
}

}  // namespace vidodez::cli
