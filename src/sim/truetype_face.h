#pragma once
// Text drawn with FreeType: a downloaded TrueType font at the size a field
// gives, or the resident face in the fixed cells of a resident font. Glyphs
// are rendered one bit a dot, as a thermal head prints them.

#include <memory>
#include <string>

#include "sim/label_bitmap.h"

namespace vidodez::sim {

// Drawn text: the stamp, and where the text's own box (its top-left corner,
// the top of the line) lies in it; ink may reach beyond that box.
struct TextStamp {
  LabelBitmap bitmap;
  int origin_x = 0;
  int origin_y = 0;
};

class TrueTypeFace {
 public:
  // nullptr when FreeType cannot read `bytes` as a font.
  static std::unique_ptr<TrueTypeFace> Open(std::string bytes);
  ~TrueTypeFace();
  TrueTypeFace(const TrueTypeFace&) = delete;
  TrueTypeFace& operator=(const TrueTypeFace&) = delete;

  // Proportional text whose em is `width` by `height` dots; the line's top
  // is the font's ascender above the baseline.
  TextStamp Draw(const std::u32string& text, int width, int height) const;
  // Each character centred on the advance of a cell of `cell_width` by
  // `cell_height` dots, the font's ascender to descender filling the
  // cell's height: a monospaced face becomes a resident font of that size.
  TextStamp DrawInCells(const std::u32string& text, int cell_width, int cell_height) const;

 private:
  struct Handles;
  explicit TrueTypeFace(std::unique_ptr<Handles> handles);
  std::unique_ptr<Handles> handles_;
};

}  // namespace vidodez::sim
