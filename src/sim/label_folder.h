#pragma once
// The simulator program's printed labels: each one drawn into a PNG file in
// a folder, NNNN-<kind>.png by the printer's label count, and a line on the
// output: "label 0003 font-test 812x1218 DIR/0003-font-test.png", followed
// by " copies 2" and " skipped: ^MM, XYZ" where they apply.

#include <cstdio>
#include <string>

#include "sim/printer_model.h"

namespace vidodez::sim {

// A sink that draws each label into `folder` (which must exist) and writes
// its line to `out`; a label that cannot be written is told on `errors`.
// 0, or ENOTSUP from a build that draws no labels (the Windows build: Debian
// has no FreeType, zint or libpng for it).
[[nodiscard]] int MakeLabelFolderSink(std::string folder, std::FILE* out, std::FILE* errors,
                                      LabelSink* sink);

}  // namespace vidodez::sim
