#include "core/graphic/adaptive_threshold.h"

#include <algorithm>
#include <cmath>

namespace vidodez {
namespace {

// Otsu's threshold, or -1 when the histogram has fewer than two classes.
int OtsuOrNone(const std::uint32_t* histogram) {
  double total = 0;
  double sum = 0;
  for (int v = 0; v < 256; ++v) {
    total += histogram[v];
    sum += double(v) * histogram[v];
  }
  double w0 = 0;
  double sum0 = 0;
  double best = -1;
  int first = -1;
  int last = -1;
  for (int t = 0; t < 255; ++t) {
    w0 += histogram[t];
    sum0 += double(t) * histogram[t];
    const double w1 = total - w0;
    if (w0 == 0 || w1 == 0) continue;
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

ThresholdMap::ThresholdMap(const GreyBitmap& picture, int box_size, double local_weight)
    : width_(picture.width), height_(picture.height) {
  if (picture.empty() || box_size <= 0) return;
  columns_ = (width_ + box_size - 1) / box_size;
  rows_ = (height_ + box_size - 1) / box_size;
  boxes_.assign(std::size_t(columns_) * std::size_t(rows_), 0);

  // One row of box histograms at a time: the locals are kept until the
  // global one is known.
  std::vector<std::uint32_t> histograms(std::size_t(columns_) * 256);
  std::vector<std::uint32_t> global(256, 0);
  std::vector<int> locals(boxes_.size(), -1);
  for (int by = 0; by < rows_; ++by) {
    std::fill(histograms.begin(), histograms.end(), 0u);
    const int y_end = std::min(height_, (by + 1) * box_size);
    for (int y = by * box_size; y < y_end; ++y) {
      const std::uint8_t* row = picture.Row(y);
      for (int bx = 0; bx < columns_; ++bx) {
        std::uint32_t* h = histograms.data() + std::size_t(bx) * 256;
        const int x_end = std::min(width_, (bx + 1) * box_size);
        for (int x = bx * box_size; x < x_end; ++x) ++h[row[x]];
      }
    }
    for (int bx = 0; bx < columns_; ++bx) {
      const std::uint32_t* h = histograms.data() + std::size_t(bx) * 256;
      for (int v = 0; v < 256; ++v) global[std::size_t(v)] += h[v];
      locals[std::size_t(by) * columns_ + bx] = OtsuOrNone(h);
    }
  }
  global_ = OtsuThreshold(global.data());
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    // A box of one value has no threshold of its own; it follows the picture.
    const double local = locals[i] < 0 ? global_ : locals[i];
    const double mixed = (1 - local_weight) * global_ + local_weight * local;
    boxes_[i] = static_cast<std::int32_t>(std::lround(mixed * 256));
  }
  x_spans_ = Spans(width_, box_size, columns_);
  y_spans_ = Spans(height_, box_size, rows_);
}

void ThresholdMap::BinariseRow(const std::uint8_t* source, int y, std::uint8_t* out) const {
  if (boxes_.empty()) return;
  // Thresholds of this row at the box centres, then along the row.
  thread_local std::vector<std::int32_t> column;
  column.resize(std::size_t(columns_));
  const Span sy = y_spans_[std::size_t(y)];
  const std::int32_t* upper = boxes_.data() + std::size_t(sy.index) * columns_;
  const std::int32_t* lower = sy.index + 1 < rows_ ? upper + columns_ : upper;
  for (int bx = 0; bx < columns_; ++bx)
    column[std::size_t(bx)] = (upper[bx] * (256 - sy.weight) + lower[bx] * sy.weight) >> 8;
  const std::int32_t* c = column.data();
  const Span* spans = x_spans_.data();
  for (int x = 0; x < width_; ++x) {
    const Span s = spans[x];
    const std::int32_t left = c[s.index];
    const std::int32_t right = s.index + 1 < columns_ ? c[s.index + 1] : left;
    const std::int32_t t = (left * (256 - s.weight) + right * s.weight) >> 8;
    out[x] = (std::int32_t{source[x]} << 8) > t ? kWhite : kBlack;
  }
}

void AdaptiveThreshold(GreyBitmap& picture) {
  if (picture.empty()) return;
  const ThresholdMap map(picture);
  for (int y = 0; y < picture.height; ++y) map.BinariseRow(picture.Row(y), y, picture.Row(y));
}

}  // namespace vidodez
