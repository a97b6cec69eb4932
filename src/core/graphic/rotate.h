#pragma once
// Rotation by whole quarter turns to the right (clockwise), the direction the
// program's rotation list names.

#include "core/graphic/grey_bitmap.h"

namespace vidodez {

// quarter_turns: 0 (a copy), 1 (90 degrees), 2 (180), 3 (270); other values
// are taken modulo 4. Rotating by 1 or 3 swaps width and height.
GreyBitmap RotateRight(const GreyBitmap& source, int quarter_turns);

}  // namespace vidodez
