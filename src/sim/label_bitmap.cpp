#include "sim/label_bitmap.h"

#include <algorithm>

namespace vidodez::sim {

LabelBitmap::LabelBitmap(int w, int h)
    : width(std::max(w, 0)),
      height(std::max(h, 0)),
      dots(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

void LabelBitmap::Fill(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
  const std::int64_t left = std::max<std::int64_t>(x, 0), top = std::max<std::int64_t>(y, 0);
  const std::int64_t right = std::min<std::int64_t>(x + std::max<std::int64_t>(w, 0), width);
  const std::int64_t bottom = std::min<std::int64_t>(y + std::max<std::int64_t>(h, 0), height);
  for (std::int64_t row = top; row < bottom; ++row)
    std::fill_n(dots.begin() + row * width + left, std::max<std::int64_t>(right - left, 0), 1);
}

std::int64_t LabelBitmap::CountBlack() const { return std::count(dots.begin(), dots.end(), 1); }

void PlaceStamp(const LabelBitmap& stamp, int x, int y, int quarter_turns, StampMode mode,
                LabelBitmap* label) {
  const int turns = ((quarter_turns % 4) + 4) % 4;
  if (turns == 0 && mode == StampMode::kBlack) {
    // Most fields: black dots on the label as they stand, row by row.
    const int left = std::max(0, -x), right = std::min(stamp.width, label->width - x);
    for (int row = std::max(0, -y); row < std::min(stamp.height, label->height - y); ++row) {
      const std::uint8_t* from = stamp.dots.data() + static_cast<size_t>(row) * stamp.width;
      std::uint8_t* to = label->dots.data() + static_cast<size_t>(y + row) * label->width + x;
      for (int col = left; col < right; ++col) to[col] |= from[col];
    }
    return;
  }
  const bool sideways = turns % 2 == 1;
  const int w = sideways ? stamp.height : stamp.width;
  const int h = sideways ? stamp.width : stamp.height;
  for (int row = 0; row < h; ++row) {
    const int ly = y + row;
    if (ly < 0 || ly >= label->height) continue;
    for (int col = 0; col < w; ++col) {
      const int lx = x + col;
      if (lx < 0 || lx >= label->width) continue;
      // The stamp's dot that lands on (col, row) of the turned box.
      int sx = col, sy = row;
      if (turns == 1) sx = row, sy = stamp.height - 1 - col;
      if (turns == 2) sx = stamp.width - 1 - col, sy = stamp.height - 1 - row;
      if (turns == 3) sx = stamp.width - 1 - row, sy = col;
      const bool black = stamp.Black(sx, sy);
      switch (mode) {
        case StampMode::kBlack:
          if (black) label->Set(lx, ly, true);
          break;
        case StampMode::kWhite:
          if (black) label->Set(lx, ly, false);
          break;
        case StampMode::kFlip:
          if (black) label->Set(lx, ly, !label->Black(lx, ly));
          break;
        case StampMode::kReverse:
          label->Set(lx, ly, !black);
          break;
      }
    }
  }
}

LabelBitmap Magnified(const LabelBitmap& stamp, int scale_x, int scale_y) {
  scale_x = std::max(scale_x, 1);
  scale_y = std::max(scale_y, 1);
  LabelBitmap out(std::min(stamp.width * scale_x, kMaxLabelSide),
                  std::min(stamp.height * scale_y, kMaxLabelSide));
  for (int y = 0; y < stamp.height; ++y)
    for (int x = 0; x < stamp.width; ++x)
      if (stamp.Black(x, y))
        out.Fill(std::int64_t{x} * scale_x, std::int64_t{y} * scale_y, scale_x, scale_y);
  return out;
}

}  // namespace vidodez::sim
