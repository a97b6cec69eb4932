#include "core/shell/texts.h"

namespace vidodez {

std::string FillText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  auto arg = args.begin();
  for (std::size_t at; (at = pattern.find("%s")) != std::string_view::npos;) {
    out.append(pattern.substr(0, at));
    if (arg != args.end()) out.append(*arg++);
    pattern.remove_prefix(at + 2);
  }
  out.append(pattern);
  return out;
}

}  // namespace vidodez
