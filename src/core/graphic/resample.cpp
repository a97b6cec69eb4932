#include "core/graphic/resample.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include "core/graphic/adaptive_threshold.h"
#include "core/graphic/graphic_codes.h"

namespace vidodez {
namespace {

struct Tap {
  int first;   // left (upper) source pixel
  int second;  // right (lower) source pixel
  int weight;  // 0..256 share of the second
};

// Where each of `target` pixel centres lands on `source` pixels.
std::vector<Tap> Taps(int source, int target) {
  std::vector<Tap> taps(static_cast<std::size_t>(target));
  const std::int64_t last = std::int64_t(source - 1) * 256;
  for (int i = 0; i < target; ++i) {
    std::int64_t pos = (std::int64_t(2 * i + 1) * source * 256) / (std::int64_t(2) * target) - 128;
    pos = std::clamp<std::int64_t>(pos, 0, last);
    const int first = static_cast<int>(pos >> 8);
    taps[std::size_t(i)] = {first, std::min(first + 1, source - 1), static_cast<int>(pos & 255)};
  }
  return taps;
}

// One target row from two source rows; both must already hold final values.
void BlendRow(const std::uint8_t* upper, const std::uint8_t* lower, int y_weight,
              const std::vector<Tap>& x_taps, std::uint8_t* out) {
  const int uw = 256 - y_weight;
  for (std::size_t x = 0; x < x_taps.size(); ++x) {
    const Tap t = x_taps[x];
    const int top = upper[t.first] * (256 - t.weight) + upper[t.second] * t.weight;
    const int bottom = lower[t.first] * (256 - t.weight) + lower[t.second] * t.weight;
    out[x] = static_cast<std::uint8_t>((top * uw + bottom * y_weight + 32768) >> 16);
  }
}

// What every target row of a threshold and resample is made from.
struct RowPlan {
  const GreyBitmap& source;
  const ThresholdMap& map;
  const std::vector<int>& columns;  // the source columns the taps read
  const std::vector<Tap>& x_taps;
  const std::vector<Tap>& y_taps;
};

// Target rows [first, last): each from the two binarised source rows its
// taps read, then at half.
void ConvertRows(const RowPlan& plan, int first, int last, GreyBitmap& target) {
  // Two binarised source rows are kept; targets walk the source downwards,
  // so each needed row is binarised once.
  const auto width = std::size_t(plan.source.width);
  std::vector<std::uint8_t> cache[2] = {std::vector<std::uint8_t>(width),
                                        std::vector<std::uint8_t>(width)};
  int cached[2] = {-1, -1};
  auto row = [&](int y) -> const std::uint8_t* {
    for (int i = 0; i < 2; ++i)
      if (cached[i] == y) return cache[i].data();
    // Replace the row further from y: the other one may be needed next.
    const int slot = cached[0] < cached[1] ? 0 : 1;
    plan.map.BinarisePixels(plan.source.Row(y), y, plan.columns, cache[slot].data());
    cached[slot] = y;
    return cache[slot].data();
  };
  for (int y = first; y < last; ++y) {
    const Tap ty = plan.y_taps[std::size_t(y)];
    const std::uint8_t* upper = row(ty.first);
    const std::uint8_t* lower = row(ty.second);
    // `upper` stays valid: the second lookup evicts only the older slot,
    // which is never ty.first (it was just looked up or is the newer one).
    BlendRow(upper, lower, ty.weight, plan.x_taps, target.Row(y));
    BinariseAtHalf(std::span(target.Row(y), std::size_t(target.width)));
  }
}

int PrepareTarget(const GreyBitmap& source, int width, int height, GreyBitmap* out) {
  if (source.empty() || !PictureSizeAcceptable(width, height)) return kGraphicBadSize;
  out->width = width;
  out->height = height;
  out->pixels.assign(std::size_t(width) * std::size_t(height), 0);
  return kGraphicOk;
}

}  // namespace

int ResampleBilinear(const GreyBitmap& source, int width, int height, GreyBitmap* out) {
  GreyBitmap target;
  if (const int code = PrepareTarget(source, width, height, &target); code != kGraphicOk)
    return code;
  const std::vector<Tap> x_taps = Taps(source.width, width);
  const std::vector<Tap> y_taps = Taps(source.height, height);
  for (int y = 0; y < height; ++y) {
    const Tap ty = y_taps[std::size_t(y)];
    BlendRow(source.Row(ty.first), source.Row(ty.second), ty.weight, x_taps, target.Row(y));
  }
  *out = std::move(target);
  return kGraphicOk;
}

void BinariseAtHalf(std::span<std::uint8_t> pixels) {
  for (std::uint8_t& v : pixels) v = v >= 128 ? kWhite : kBlack;
}

void BinariseAtHalf(GreyBitmap& picture) { BinariseAtHalf(std::span(picture.pixels)); }

int ThresholdAndResample(const GreyBitmap& source, int width, int height, GreyBitmap* out,
                         const ThresholdMap* map) {
  GreyBitmap target;
  if (const int code = PrepareTarget(source, width, height, &target); code != kGraphicOk)
    return code;
  std::optional<ThresholdMap> own;
  if (map == nullptr || map->width() != source.width || map->height() != source.height)
    map = &own.emplace(source);
  const std::vector<Tap> x_taps = Taps(source.width, width);
  const std::vector<Tap> y_taps = Taps(source.height, height);
  // Only the columns the taps read are binarised: a picture made smaller
  // reads two of every few.
  std::vector<int> columns;
  columns.reserve(2 * x_taps.size());
  for (const Tap& t : x_taps) {
    for (const int x : {t.first, t.second})
      if (columns.empty() || columns.back() < x) columns.push_back(x);
  }

  const RowPlan plan{source, *map, columns, x_taps, y_taps};
  // The lower half of a large picture on a second thread (the decode's has
  // ended by now); whatever it could not make is made here.
  constexpr int kRowsForTwoThreads = 128;
  int split = height;
  bool lower_made = false;
  std::jthread lower;
  if (height >= kRowsForTwoThreads) {
    split = height / 2;
    try {
      lower = std::jthread([&] {
        try {
          ConvertRows(plan, split, height, target);
          lower_made = true;
        } catch (const std::bad_alloc&) {
          // Left to this thread.
        }
      });
    } catch (const std::system_error&) {
      split = height;
    }
  }
  ConvertRows(plan, 0, split, target);
  if (lower.joinable()) lower.join();
  if (split < height && !lower_made) ConvertRows(plan, split, height, target);
  *out = std::move(target);
  return kGraphicOk;
}

}  // namespace vidodez
