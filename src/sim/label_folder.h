#pragma once
// The simulator program's printed labels: each one a PNG file in a folder,
// NNNN-<kind>.png by the printer's label count, and a line on the output:
// "label 0003 font-test 812x1218 DIR/0003-font-test.png", followed by
// " copies 2" and " skipped: ^MM, XYZ" where they apply.

#include <cstdio>
#include <string>

#include "sim/printer_model.h"

namespace vidodez::sim {

// The line that tells of `label` written to `path`.
std::string LabelLine(const PrintedLabel& label, const std::string& path);

// Writes each label into `folder` (which must exist) and its line to `out`;
// a label that cannot be written is told on `errors`.
LabelSink LabelFolderSink(std::string folder, std::FILE* out, std::FILE* errors);

}  // namespace vidodez::sim
