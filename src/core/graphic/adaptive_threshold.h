#pragma once
// Adaptive threshold: the picture is cut into square boxes; each box gets the
// mean of the global optimal (Otsu) threshold and its own, and every pixel is
// compared with the box thresholds interpolated bilinearly between box
// centres, so box borders leave no seams.

#include <cstdint>
#include <vector>

#include "core/graphic/grey_bitmap.h"

namespace vidodez {

inline constexpr int kThresholdBoxSize = 64;

// Otsu's threshold of a 256-bin histogram: values <= the result are black.
// A histogram without two classes (empty or one value) gives 127; where
// several thresholds separate equally well, the middle one is taken.
int OtsuThreshold(const std::uint32_t* histogram);

// The box thresholds of one picture, ready to binarise any of its rows.
class ThresholdMap {
 public:
  // One pass over the picture; box_size > 0. `local_weight` is the share of a
  // box's own threshold (0.5: half global, half local).
  ThresholdMap(const GreyBitmap& picture, int box_size = kThresholdBoxSize,
               double local_weight = 0.5);

  int global_threshold() const { return global_; }
  // Box threshold, column bx and row by.
  int BoxThreshold(int bx, int by) const { return boxes_[std::size_t(by) * columns_ + bx] >> 8; }

  // Writes row y of `source` (a picture of the size the map was made for) as
  // black and white into `out` (width bytes).
  void BinariseRow(const std::uint8_t* source, int y, std::uint8_t* out) const;

 private:
  struct Span {
    int index;   // left (upper) box
    int weight;  // 0..256 share of the right (lower) box
  };
  static std::vector<Span> Spans(int length, int box_size, int boxes);

  int width_ = 0;
  int height_ = 0;
  int columns_ = 0;
  int rows_ = 0;
  int global_ = 127;
  std::vector<std::int32_t> boxes_;  // thresholds in 1/256
  std::vector<Span> x_spans_;
  std::vector<Span> y_spans_;
};

// Binarises the whole picture in place (box 64, half global, half local).
void AdaptiveThreshold(GreyBitmap& picture);

}  // namespace vidodez
