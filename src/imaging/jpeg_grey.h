#pragma once
// JPEG straight to grey with libjpeg-turbo: only the luminance is decoded,
// which skips chroma upsampling and colour conversion, the larger part of a
// colour decode. Qt's reader would decode to 32-bit colour first.

#include <optional>
#include <string>

#include "core/graphic/adaptive_threshold.h"
#include "core/graphic/grey_bitmap.h"

namespace vidodez::imaging {

// kGraphicOk, kGraphicFileOpenFailed, kGraphicPictureTooLarge, or
// kGraphicBadPicture. A file cut short is final; for anything else libjpeg
// cannot read or turn into grey (CMYK, another format named .jpg)
// `unsupported` is set too, so the caller can try Qt. `bits_per_pixel` is 8 per stored component.
// `quarter_turns` tells how its Exif orientation turns the picture upright
// (ExifQuarterTurns), which the decode leaves to the caller.
// With `threshold_map`, the picture's box thresholds are taken on a second
// thread while the decode goes on, each band as soon as it is decoded, so a
// conversion finds them ready; it stays empty when that thread could not run.
[[nodiscard]] int DecodeJpegGrey(const std::string& path, GreyBitmap* out, int* bits_per_pixel,
                                 bool* unsupported, int* quarter_turns,
                                 std::optional<ThresholdMap>* threshold_map = nullptr);

}  // namespace vidodez::imaging
