#pragma once
// "MARLIX.dat": the printer models that have an upper reflective sensor, one
// model name (or part of one) per line.

#include <string>
#include <string_view>

namespace vidodez {

inline constexpr char kModelListFileName[] = "MARLIX.dat";

inline constexpr int kModelListed = 1;
inline constexpr int kModelNotListed = -1;
inline constexpr int kModelListUnreadable = 0;

// Lines are read up to this many characters; the rest of a longer line is
// skipped. Only this much of the file is read.
inline constexpr size_t kModelListMaxLine = 255;
inline constexpr size_t kModelListMaxBytes = 1 << 20;

// kModelListed when the model name, ignoring ASCII case, contains one of the
// list's lines; line ends do not count, and a blank line names no model.
int FindModelInSupportList(const std::string& list_path, std::string_view model_name);

}  // namespace vidodez
