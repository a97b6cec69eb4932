#include "core/graphic/adaptive_threshold.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vidodez {
namespace {

// Otsu's threshold, or -1 when the histogram has fewer than two classes.
// Only the values between the lowest and the highest present can separate
// two classes, and an empty value between them separates exactly as the
// value before it: both are skipped without changing a bit of the result.
int OtsuOrNone(const std::uint32_t* histogram) {
  int low = 0;
  while (low < 256 && histogram[low] == 0) ++low;
  if (low == 256) return -1;
  int high = 255;
  while (histogram[high] == 0) --high;
  double total = 0;
  double sum = 0;
  for (int v = low; v <= high; ++v) {
    total += histogram[v];
    sum += double(v) * histogram[v];
  }
  double w0 = 0;
  double sum0 = 0;
  double best = -1;
  int first = -1;
  int last = -1;
  for (int t = low; t < high; ++t) {
    if (histogram[t] == 0) {
      // The same separation as t - 1: a tie with it when it was the best.
      if (last == t - 1) last = t;
      continue;
    }
    w0 += histogram[t];
    sum0 += double(t) * histogram[t];
    const double w1 = total - w0;
    const double diff = sum0 / w0 - (sum - sum0) / w1;
    const double between = w0 * w1 * diff * diff;
    // Equal within rounding: the thresholds between two populated values all
    // separate alike, and the middle of them is the least arbitrary choice.
    if (between > best * (1 + 1e-12)) {
      best = between;
      first = last = t;
    } else if (between >= best * (1 - 1e-12)) {
      last = t;
    }
  }
  return first < 0 ? -1 : (first + last) / 2;
}

}  // namespace

int OtsuThreshold(const std::uint32_t* histogram) {
  const int t = OtsuOrNone(histogram);
  return t < 0 ? 127 : t;
}

std::vector<ThresholdMap::Span> ThresholdMap::Spans(int length, int box_size, int boxes) {
  // Centre of box i in pixel coordinates, times two to stay in integers; the
  // last box may be narrower than the others.
  auto centre2 = [&](int i) {
    const int start = i * box_size;
    const int size = std::min(box_size, length - start);
    return 2 * start + size - 1;
  };
  std::vector<Span> spans(static_cast<std::size_t>(length));
  int i = 0;
  for (int p = 0; p < length; ++p) {
    const int p2 = 2 * p;
    while (i + 1 < boxes && centre2(i + 1) <= p2) ++i;
    if (i + 1 >= boxes || p2 <= centre2(i)) {
      spans[std::size_t(p)] = {i, 0};
      continue;
    }
    const int c0 = centre2(i);
    const int c1 = centre2(i + 1);
    spans[std::size_t(p)] = {i, ((p2 - c0) * 256 + (c1 - c0) / 2) / (c1 - c0)};
  }
  return spans;
}

ThresholdMapBuilder::ThresholdMapBuilder(int width, int height, int box_size)
    : width_(width), height_(height), box_size_(box_size) {
  if (width <= 0 || height <= 0 || box_size <= 0) return;
  columns_ = (width_ + box_size - 1) / box_size;
  rows_ = (height_ + box_size - 1) / box_size;
  band_histograms_.assign(std::size_t(rows_) * 256, 0);
  locals_.assign(std::size_t(columns_) * std::size_t(rows_), -1);
}

int ThresholdMapBuilder::BandEnd(int band) const {
  return std::min(height_, (band + 1) * box_size_);
}

void ThresholdMapBuilder::AddBand(int band, const std::uint8_t* rows) {
  // Row by row through the band, each box's pixels into two histograms by
  // turns: neighbours often share a value, and one count need not wait for
  // the other.
  std::vector<std::uint32_t> histograms(std::size_t(columns_) * 512, 0);
  for (int y = BandStart(band); y < BandEnd(band); ++y) {
    const std::uint8_t* row = rows + std::size_t(y - BandStart(band)) * std::size_t(width_);
    for (int bx = 0; bx < columns_; ++bx) {
      std::uint32_t* h = histograms.data() + std::size_t(bx) * 512;
      const int x_end = std::min(width_, (bx + 1) * box_size_);
      int x = bx * box_size_;
      for (; x + 2 <= x_end; x += 2) {
        ++h[row[x]];
        ++h[256 + row[x + 1]];
      }
      if (x < x_end) ++h[row[x]];
    }
  }
  std::array<std::uint32_t, 256> box{};
  std::uint32_t* whole = band_histograms_.data() + std::size_t(band) * 256;
  for (int bx = 0; bx < columns_; ++bx) {
    const std::uint32_t* h = histograms.data() + std::size_t(bx) * 512;
    for (std::size_t v = 0; v < 256; ++v) {
      box[v] = h[v] + h[256 + v];
      whole[v] += box[v];
    }
    locals_[std::size_t(band) * columns_ + bx] = OtsuOrNone(box.data());
  }
}

ThresholdMap::ThresholdMap(const GreyBitmap& picture, int box_size, double local_weight)
    : ThresholdMap(
          [&] {
            ThresholdMapBuilder bands(picture.width, picture.height, box_size);
            for (int band = 0; band < bands.band_count(); ++band)
              bands.AddBand(band, picture.Row(bands.BandStart(band)));
            return bands;
          }(),
          local_weight) {}

ThresholdMap::ThresholdMap(const ThresholdMapBuilder& bands, double local_weight)
    : width_(bands.width_), height_(bands.height_), columns_(bands.columns_), rows_(bands.rows_) {
  if (bands.locals_.empty()) return;
  std::array<std::uint32_t, 256> histogram{};
  for (std::size_t i = 0; i < bands.band_histograms_.size(); ++i)
    histogram[i % 256] += bands.band_histograms_[i];
  global_ = OtsuThreshold(histogram.data());
  boxes_.resize(bands.locals_.size());
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    // A box of one value has no threshold of its own; it follows the picture.
    const double local = bands.locals_[i] < 0 ? global_ : bands.locals_[i];
    const double mixed = (1 - local_weight) * global_ + local_weight * local;
    boxes_[i] = static_cast<std::int32_t>(std::lround(mixed * 256));
  }
  x_spans_ = Spans(width_, bands.box_size_, columns_);
  for (const Span span : x_spans_) all_columns_.Add(span);
  y_spans_ = Spans(height_, bands.box_size_, rows_);
}

const std::int32_t* ThresholdMap::RowThresholds(int y) const {
  thread_local std::vector<std::int32_t> column;
  column.resize(std::size_t(columns_) + 1);
  const Span sy = y_spans_[std::size_t(y)];
  const std::int32_t* upper = boxes_.data() + std::size_t(sy.index) * columns_;
  const std::int32_t* lower = sy.index + 1 < rows_ ? upper + columns_ : upper;
  for (int bx = 0; bx < columns_; ++bx)
    column[std::size_t(bx)] = (upper[bx] * (256 - sy.weight) + lower[bx] * sy.weight) >> 8;
  column[std::size_t(columns_)] = column[std::size_t(columns_) - 1];
  return column.data();
}

void ThresholdMap::BinariseRow(const std::uint8_t* source, int y, std::uint8_t* out) const {
  BinarisePixels(source, y, all_columns_, out);
}

void ThresholdMap::Columns::Add(Span span) {
  weights_.push_back(span.weight);
  if (runs_.empty() || runs_.back().box != span.index)
    runs_.push_back({span.index, weights_.size()});
  else runs_.back().end = weights_.size();
}

ThresholdMap::Columns ThresholdMap::ColumnsAt(std::span<const int> columns) const {
  Columns some;
  some.weights_.reserve(columns.size());
  for (const int x : columns) some.Add(x_spans_[std::size_t(x)]);
  return some;
}

void ThresholdMap::BinarisePixels(const std::uint8_t* values, int y, const Columns& columns,
                                  std::uint8_t* out) const {
  if (boxes_.empty()) return;
  const std::int32_t* row = RowThresholds(y);
  const int* weights = columns.weights_.data();
  std::size_t i = 0;
  for (const Columns::Run& run : columns.runs_) {
    // Between two box centres the threshold is a straight line:
    // left * (256 - weight) + right * weight, with the left side taken once.
    const std::int32_t left = row[run.box] * 256;
    const std::int32_t rise = row[run.box + 1] - row[run.box];
    const std::size_t end = run.end;
    for (; i < end; ++i) {
      const std::int32_t threshold = (left + rise * weights[i]) >> 8;
      out[i] = (std::int32_t{values[i]} << 8) > threshold ? kWhite : kBlack;
    }
  }
}

void AdaptiveThreshold(GreyBitmap& picture) {
  if (picture.empty()) return;
  const ThresholdMap map(picture);
  for (int y = 0; y < picture.height; ++y) map.BinariseRow(picture.Row(y), y, picture.Row(y));
}

}  // namespace vidodez
