#pragma once
// Adaptive threshold: the picture is cut into square boxes; each box gets the
// mean of the global optimal (Otsu) threshold and its own, and every pixel is
// compared with the box thresholds interpolated bilinearly between box
// centres, so box borders leave no seams.

#include <cstdint>
#include <span>
#include <vector>

#include "core/graphic/grey_bitmap.h"

namespace vidodez {

inline constexpr int kThresholdBoxSize = 64;

// Otsu's threshold of a 256-bin histogram: values <= the result are black.
// A histogram without two classes (empty or one value) gives 127; where
// several thresholds separate equally well, the middle one is taken.
int OtsuThreshold(const std::uint32_t* histogram);

class ThresholdMapBuilder;

// The box thresholds of one picture, ready to binarise any of its rows.
class ThresholdMap {
  struct Span {
    int index;   // left (upper) box
    int weight;  // 0..256 share of the right (lower) box
  };

 public:
  // Some columns of the picture, ready to be binarised in many rows.
  class Columns {
   public:
    std::size_t size() const { return weights_.size(); }

   private:
    friend class ThresholdMap;
    // The columns before `end` (and after the run before) lie between the
    // centres of box `box` and the next.
    struct Run {
      int box;
      std::size_t end;
    };
    void Add(Span span);
    std::vector<int> weights_;  // of each column, as Span::weight
    std::vector<Run> runs_;
  };

  // One pass over the picture; box_size > 0. `local_weight` is the share of a
  // box's own threshold (0.5: half global, half local).
  ThresholdMap(const GreyBitmap& picture, int box_size = kThresholdBoxSize,
               double local_weight = 0.5);
  // From every band of `bands`.
  explicit ThresholdMap(const ThresholdMapBuilder& bands, double local_weight = 0.5);

  int width() const { return width_; }
  int height() const { return height_; }

  int global_threshold() const { return global_; }
  // Box threshold, column bx and row by.
  int BoxThreshold(int bx, int by) const { return boxes_[std::size_t(by) * columns_ + bx] >> 8; }

  // Writes row y of `source` (a picture of the size the map was made for) as
  // black and white into `out` (width bytes).
  void BinariseRow(const std::uint8_t* source, int y, std::uint8_t* out) const;
  // The picture's columns at `columns` (ascending).
  Columns ColumnsAt(std::span<const int> columns) const;
  // The same as BinariseRow for some pixels of row y only: `values[i]` is
  // the pixel at the i-th of `columns`, and its black or white goes to
  // `out[i]`.
  void BinarisePixels(const std::uint8_t* values, int y, const Columns& columns,
                      std::uint8_t* out) const;

 private:
  static std::vector<Span> Spans(int length, int box_size, int boxes);
  // The thresholds of row y at each box column's centre, and the last once
  // more, so that a pixel right of the last centre reads it as its right
  // neighbour too (with a weight of 0).
  const std::int32_t* RowThresholds(int y) const;

  int width_ = 0;
  int height_ = 0;
  int columns_ = 0;
  int rows_ = 0;
  int global_ = 127;
  std::vector<std::int32_t> boxes_;  // thresholds in 1/256
  std::vector<Span> x_spans_;
  Columns all_columns_;
  std::vector<Span> y_spans_;
};

// The histograms behind a ThresholdMap, taken a band (a row of boxes) at a
// time, so a decoder can hand over each band as soon as its rows are final
// and the map is ready when the last one is.
class ThresholdMapBuilder {
 public:
  ThresholdMapBuilder(int width, int height, int box_size = kThresholdBoxSize);

  int band_count() const { return rows_; }
  // The first row below band `band`.
  int BandEnd(int band) const;
  // The first row of band `band`.
  int BandStart(int band) const { return band * box_size_; }
  // Band `band` of a picture of the builder's size: `rows` holds its rows,
  // BandStart(band) to BandEnd(band), one after the other without padding.
  // Each band once, any order, different bands on different threads at once.
  void AddBand(int band, const std::uint8_t* rows);

 private:
  friend class ThresholdMap;
  int width_;
  int height_;
  int box_size_;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<std::uint32_t> band_histograms_;  // 256 values a band
  std::vector<int> locals_;                     // Otsu of each box, -1 for one without two classes
};

// Binarises the whole picture in place (box 64, half global, half local).
void AdaptiveThreshold(GreyBitmap& picture);

}  // namespace vidodez
