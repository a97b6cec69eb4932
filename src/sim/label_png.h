#pragma once
// Printed labels as PNG files: one bit a dot (grey 0 black, 1 white), the
// printer's resolution in the pHYs chunk.

#include <string>

#include "sim/label_bitmap.h"

namespace vidodez::sim {

// Writes the file beside its name and renames it into place, so a reader
// never sees half a label. 0, or an errno (EIO when libpng failed).
[[nodiscard]] int WriteLabelPng(const LabelBitmap& label, int dpi, const std::string& path);

}  // namespace vidodez::sim
