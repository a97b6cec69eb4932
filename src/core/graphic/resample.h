#pragma once
// Bilinear resampling, alone and fused with the adaptive threshold.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/graphic/adaptive_threshold.h"
#include "core/graphic/grey_bitmap.h"

namespace vidodez {

// Resamples `source` to width x height: each target pixel centre is mapped
// onto the source and the four nearest source pixels are weighted (in 1/256).
// kGraphicBadSize unless both sizes are acceptable.
[[nodiscard]] int ResampleBilinear(const GreyBitmap& source, int width, int height,
                                   GreyBitmap* out);

// Values of 128 and above become white, the rest black.
void BinariseAtHalf(GreyBitmap& picture);
void BinariseAtHalf(std::span<std::uint8_t> pixels);

// Where one target column (row) lands: two source lines (in a
// SampledPicture, their indices among the lines it keeps) and the share of
// the second in 1/256.
struct ResampleTap {
  int first;
  int second;
  int weight;
};

// What a bilinear resampling to one size reads of a picture: the source
// rows and columns its taps fall on, and only those pixels. A picture made
// smaller reads two lines of every few, so a decoder can keep them as its
// rows go by instead of the whole picture.
struct SampledPicture {
  // Sized for a source_width x source_height picture resampled to
  // width x height, no pixel kept yet; kGraphicBadSize unless both sizes
  // are acceptable.
  [[nodiscard]] static int Plan(int source_width, int source_height, int width, int height,
                                SampledPicture* out);
  // Keeps what is read of source row y (source_width pixels); nothing for a
  // row that is not read.
  void Keep(int y, const std::uint8_t* row);
  // Row j of the kept pixels: pixel i is source pixel (columns[i], rows[j]).
  const std::uint8_t* KeptRow(int j) const { return kept.get() + std::size_t(j) * columns.size(); }

  int source_width = 0;
  int source_height = 0;
  std::vector<int> rows;            // the source rows read, ascending
  std::vector<int> columns;         // the source columns read, ascending
  std::vector<ResampleTap> x_taps;  // one a target column, into `columns`
  std::vector<ResampleTap> y_taps;  // one a target row, into `rows`
  // The kept pixels, rows.size() rows of columns.size(); not cleared, so
  // that each page is first touched where its row is kept, often on a
  // decoder's second thread.
  std::unique_ptr<std::uint8_t[]> kept;
  // Of each source row, its index in `rows`, or -1.
  std::vector<int> row_index;
};

// The same result as AdaptiveThreshold on a copy of the source, then
// ResampleBilinear, then BinariseAtHalf, from the sampled pixels alone;
// `map` holds the box thresholds of the whole source.
[[nodiscard]] int ThresholdAndResample(const SampledPicture& source, const ThresholdMap& map,
                                       GreyBitmap* out);
// The same from the whole source, which is left as it was.
[[nodiscard]] int ThresholdAndResample(const GreyBitmap& source, int width, int height,
                                       GreyBitmap* out);

}  // namespace vidodez
