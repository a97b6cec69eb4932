#pragma once
// Code 128 and QR symbols through zint, drawn as squares of whole dots.

#include <string>

#include "sim/label_bitmap.h"
#include "sim/label_job.h"
#include "sim/truetype_face.h"

namespace vidodez::sim {

// The field's symbol, not turned; Code 128's text under the bars is drawn
// with `text_face` in the cells of `text_cell_width` by `text_cell_height`
// (no face: no text). False, with zint's reason, for data the symbol cannot
// carry.
bool DrawBarcode(const BarcodeField& field, const TrueTypeFace* text_face, int text_cell_width,
                 int text_cell_height, LabelBitmap* stamp, std::string* error);

}  // namespace vidodez::sim
