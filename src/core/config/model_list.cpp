#include "core/config/model_list.h"

#include <fstream>

namespace vidodez {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool Blank(std::string_view line) {
  return line.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

}  // namespace

int FindModelInSupportList(const std::string& list_path, std::string_view model_name) {
  std::ifstream in(list_path, std::ios::binary);
  if (!in) return kModelListUnreadable;
  std::string model = Lower(model_name);
  std::string line;
  size_t read = 0;
  int result = kModelNotListed;
  char c;
  bool more = true;
  while (more && read < kModelListMaxBytes) {
    line.clear();
    more = false;
    while (read < kModelListMaxBytes && in.get(c)) {
      ++read;
      if (c == '\n') {
        more = true;
        break;
      }
      if (line.size() < kModelListMaxLine) line += c;
    }
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (!Blank(line) && model.find(Lower(line)) != std::string::npos) result = kModelListed;
  }
  return result;
}

}  // namespace vidodez
