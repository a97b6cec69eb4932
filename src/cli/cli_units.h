#pragma once
// The --unit words a command offers, from the program's one unit table.

#include <span>
#include <string>
#include <vector>

#include "core/shell/units.h"

namespace vidodez::cli {

inline std::vector<std::string> UnitWords(std::span<const int> units) {
  std::vector<std::string> words;
  for (int unit : units) words.emplace_back(UnitOf(unit).word);
  return words;
}

}  // namespace vidodez::cli
