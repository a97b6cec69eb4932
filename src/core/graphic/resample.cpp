#include "core/graphic/resample.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <new>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include "core/graphic/adaptive_threshold.h"
#include "core/graphic/graphic_codes.h"

namespace vidodez {
namespace {

// Where each of `target` pixel centres lands on `source` pixels.
std::vector<ResampleTap> Taps(int source, int target) {
  std::vector<ResampleTap> taps(static_cast<std::size_t>(target));
  const std::int64_t last = std::int64_t(source - 1) * 256;
  for (int i = 0; i < target; ++i) {
    std::int64_t pos = (std::int64_t(2 * i + 1) * source * 256) / (std::int64_t(2) * target) - 128;
    pos = std::clamp<std::int64_t>(pos, 0, last);
    const int first = static_cast<int>(pos >> 8);
    taps[std::size_t(i)] = {first, std::min(first + 1, source - 1), static_cast<int>(pos & 255)};
  }
  return taps;
}

// The source lines `taps` read, ascending; the taps are turned into indices
// among them, and `index` gets each source line's index or -1.
std::vector<int> LinesRead(int source, std::vector<ResampleTap>& taps, std::vector<int>& index) {
  index.assign(std::size_t(source), -1);
  for (const ResampleTap& t : taps) index[std::size_t(t.first)] = index[std::size_t(t.second)] = 0;
  std::vector<int> lines;
  for (int p = 0; p < source; ++p) {
    if (index[std::size_t(p)] < 0) continue;
    index[std::size_t(p)] = static_cast<int>(lines.size());
    lines.push_back(p);
  }
  for (ResampleTap& t : taps) {
    t.first = index[std::size_t(t.first)];
    t.second = index[std::size_t(t.second)];
  }
  return lines;
}

// One target row from two source rows; both must already hold final values.
void BlendRow(const std::uint8_t* upper, const std::uint8_t* lower, int y_weight,
              const std::vector<ResampleTap>& x_taps, std::uint8_t* out) {
  const int uw = 256 - y_weight;
  const std::size_t count = x_taps.size();
  const ResampleTap* taps = x_taps.data();
  for (std::size_t x = 0; x < count; ++x) {
    const ResampleTap t = taps[x];
    const int top = upper[t.first] * (256 - t.weight) + upper[t.second] * t.weight;
    const int bottom = lower[t.first] * (256 - t.weight) + lower[t.second] * t.weight;
    out[x] = static_cast<std::uint8_t>((top * uw + bottom * y_weight + 32768) >> 16);
  }
}

// Target rows [first, last) of a threshold and resample: each from the two
// binarised source rows its taps read, then at half.
void ConvertRows(const SampledPicture& source, const ThresholdMap& map,
                 const ThresholdMap::Columns& columns, int first, int last, GreyBitmap& target) {
  // Two binarised source rows are kept; targets walk the source downwards,
  // so each needed row is binarised once.
  const std::size_t width = source.columns.size();
  std::vector<std::uint8_t> cache[2] = {std::vector<std::uint8_t>(width),
                                        std::vector<std::uint8_t>(width)};
  int cached[2] = {-1, -1};
  auto row = [&](int j) -> const std::uint8_t* {
    for (int i = 0; i < 2; ++i)
      if (cached[i] == j) return cache[i].data();
    // Replace the row further from j: the other one may be needed next.
    const int slot = cached[0] < cached[1] ? 0 : 1;
    map.BinarisePixels(source.KeptRow(j), source.rows[std::size_t(j)], columns, cache[slot].data());
    cached[slot] = j;
    return cache[slot].data();
  };
  for (int y = first; y < last; ++y) {
    const ResampleTap ty = source.y_taps[std::size_t(y)];
    const std::uint8_t* upper = row(ty.first);
    const std::uint8_t* lower = row(ty.second);
    // `upper` stays valid: the second lookup evicts only the older slot,
    // which is never ty.first (it was just looked up or is the newer one).
    BlendRow(upper, lower, ty.weight, source.x_taps, target.Row(y));
    BinariseAtHalf(std::span(target.Row(y), std::size_t(target.width)));
  }
}

int PrepareTarget(int width, int height, GreyBitmap* out) {
  if (!PictureSizeAcceptable(width, height)) return kGraphicBadSize;
  out->width = width;
  out->height = height;
  out->pixels.assign(std::size_t(width) * std::size_t(height), 0);
  return kGraphicOk;
}

}  // namespace

int ResampleBilinear(const GreyBitmap& source, int width, int height, GreyBitmap* out) {
  GreyBitmap target;
  if (source.empty()) return kGraphicBadSize;
  if (const int code = PrepareTarget(width, height, &target); code != kGraphicOk) return code;
  const std::vector<ResampleTap> x_taps = Taps(source.width, width);
  const std::vector<ResampleTap> y_taps = Taps(source.height, height);
  for (int y = 0; y < height; ++y) {
    const ResampleTap ty = y_taps[std::size_t(y)];
    BlendRow(source.Row(ty.first), source.Row(ty.second), ty.weight, x_taps, target.Row(y));
  }
  *out = std::move(target);
  return kGraphicOk;
}

void BinariseAtHalf(std::span<std::uint8_t> pixels) {
  for (std::uint8_t& v : pixels) v = IsWhite(v) ? kWhite : kBlack;
}

void BinariseAtHalf(GreyBitmap& picture) { BinariseAtHalf(std::span(picture.pixels)); }

int SampledPicture::Plan(int source_width, int source_height, int width, int height,
                         SampledPicture* out) {
  if (!PictureSizeAcceptable(source_width, source_height) || !PictureSizeAcceptable(width, height))
    return kGraphicBadSize;
  SampledPicture plan;
  plan.source_width = source_width;
  plan.source_height = source_height;
  plan.x_taps = Taps(source_width, width);
  plan.y_taps = Taps(source_height, height);
  std::vector<int> column_index;
  plan.columns = LinesRead(source_width, plan.x_taps, column_index);
  plan.rows = LinesRead(source_height, plan.y_taps, plan.row_index);
  plan.kept =
      std::make_unique_for_overwrite<std::uint8_t[]>(plan.columns.size() * plan.rows.size());
  *out = std::move(plan);
  return kGraphicOk;
}

void SampledPicture::Keep(int y, const std::uint8_t* row) {
  const int j = row_index[std::size_t(y)];
  if (j < 0) return;
  // Through local copies: a byte written may be any object to the compiler,
  // the vector's own bounds included, which it would then read again for
  // every pixel.
  const std::size_t count = columns.size();
  const int* column = columns.data();
  std::uint8_t* out = kept.get() + std::size_t(j) * count;
  for (std::size_t i = 0; i < count; ++i) out[i] = row[column[i]];
}

int ThresholdAndResample(const SampledPicture& source, const ThresholdMap& map, GreyBitmap* out) {
  GreyBitmap target;
  const auto width = static_cast<int>(source.x_taps.size());
  const auto height = static_cast<int>(source.y_taps.size());
  if (!source.kept || map.width() != source.source_width || map.height() != source.source_height)
    return kGraphicBadSize;
  if (const int code = PrepareTarget(width, height, &target); code != kGraphicOk) return code;
  // Rows are made a chunk at a time by whichever of two threads is free (the
  // decode's have ended by now), so a second thread that the system runs
  // late holds the result up by no more than the chunk it has started. A
  // chunk it could not make is made here.
  constexpr int kChunkRows = 32;
  const ThresholdMap::Columns columns = map.ColumnsAt(source.columns);
  std::atomic<int> next{0};
  auto make = [&](int* chunk) {
    while ((*chunk = next.fetch_add(kChunkRows)) < height)
      ConvertRows(source, map, columns, *chunk, std::min(height, *chunk + kChunkRows), target);
  };
  int lost = height;
  std::jthread helper;
  if (height > kChunkRows) {
    try {
      helper = std::jthread([&] {
        int chunk = height;
        try {
          make(&chunk);
        } catch (const std::bad_alloc&) {
          lost = chunk;
        }
      });
    } catch (const std::system_error&) {
      // All on this thread.
    }
  }
  int chunk = 0;
  make(&chunk);
  if (helper.joinable()) helper.join();
  if (lost < height)
    ConvertRows(source, map, columns, lost, std::min(height, lost + kChunkRows), target);
  *out = std::move(target);
  return kGraphicOk;
}

int ThresholdAndResample(const GreyBitmap& source, int width, int height, GreyBitmap* out) {
  SampledPicture sampled;
  if (const int code = SampledPicture::Plan(source.width, source.height, width, height, &sampled);
      code != kGraphicOk)
    return code;
  for (const int y : sampled.rows) sampled.Keep(y, source.Row(y));
  return ThresholdAndResample(sampled, ThresholdMap(source), out);
}

}  // namespace vidodez
