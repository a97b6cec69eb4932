#pragma once
// A printed label: one byte a dot, 1 black, rows top to bottom. Every field
// is drawn into a stamp of its own first and then placed, turned, on the
// label, so drawing code never clips or turns.

#include <cstdint>
#include <vector>

namespace vidodez::sim {

// Far past a 4-inch printer at 600 dpi, and small enough that a label asked
// for by a command stays within a few tens of megabytes.
inline constexpr int kMaxLabelSide = 4800;

struct LabelBitmap {
  LabelBitmap() = default;
  LabelBitmap(int w, int h);

  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> dots;

  bool Black(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && dots[Index(x, y)] != 0;
  }
  void Set(int x, int y, bool black) {
    if (x >= 0 && y >= 0 && x < width && y < height) dots[Index(x, y)] = black ? 1 : 0;
  }
  // Blackens the part of the rectangle that lies on the bitmap.
  void Fill(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h);
  std::int64_t CountBlack() const;

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
  }
};

// How a stamp meets the label: black dots blacken it (kBlack), clear it
// (kWhite, a white line), flip it (kFlip); kReverse draws the stamp's whole
// box black with its black dots white.
enum class StampMode { kBlack, kWhite, kFlip, kReverse };

// Places `stamp` turned clockwise by `quarter_turns` with the top-left corner
// of the turned box at x, y; what falls off the label is lost.
void PlaceStamp(const LabelBitmap& stamp, int x, int y, int quarter_turns, StampMode mode,
                LabelBitmap* label);

// Each dot of `stamp` as a square of `scale` dots.
LabelBitmap Magnified(const LabelBitmap& stamp, int scale_x, int scale_y);

}  // namespace vidodez::sim
