#pragma once
// Bilinear resampling, alone and fused with the adaptive threshold.

#include <cstdint>
#include <span>

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

// The same result as AdaptiveThreshold on a copy of `source`, then
// ResampleBilinear, then BinariseAtHalf; but only the source pixels the
// target samples are binarised, and the source is neither copied nor changed.
// `map`, if given, holds the box thresholds of `source`, made beforehand.
[[nodiscard]] int ThresholdAndResample(const GreyBitmap& source, int width, int height,
                                       GreyBitmap* out, const ThresholdMap* map = nullptr);

}  // namespace vidodez
