#pragma once
// JPEG straight to grey with libjpeg-turbo: only the luminance is decoded,
// which skips chroma upsampling and colour conversion, the larger part of a
// colour decode. Qt's reader would decode to 32-bit colour first.

#include <optional>
#include <string>

#include "core/graphic/adaptive_threshold.h"
#include "core/graphic/grey_bitmap.h"
#include "core/graphic/resample.h"
#include "core/graphic/sampling_sink.h"

namespace vidodez::imaging {

// kGraphicOk, kGraphicFileOpenFailed, kGraphicPictureTooLarge, or
// kGraphicBadPicture. A file cut short is final; for anything else libjpeg
// cannot read or turn into grey (CMYK, another format named .jpg)
// `unsupported` is set too, so the caller can try Qt. `bits_per_pixel` is 8 per stored component.
// `quarter_turns` tells how its Exif orientation turns the picture upright
// (ExifQuarterTurns), which the decode leaves to the caller.
[[nodiscard]] int DecodeJpegGrey(const std::string& path, GreyBitmap* out, int* bits_per_pixel,
                                 bool* unsupported, int* quarter_turns);

// A JPEG decoded for one conversion without ever holding the whole picture:
// once the header is read, `choose` gives the conversion's size, and only
// the pixels a resampling to it reads are kept in `out`, while the box
// thresholds of every row are taken band by band on a second thread into
// `map`. The codes of DecodeJpegGrey, and kGraphicBadSize when the size
// chosen is not acceptable (nothing decoded). A picture this cannot take
// (one its Exif data turns or mirrors, one libjpeg cannot make grey, or no
// memory for the bands) sets `whole`, whatever the code: the caller decodes
// it whole instead.
[[nodiscard]] int DecodeJpegSampled(const std::string& path, const ChooseConversionSize& choose,
                                    SampledPicture* out, std::optional<ThresholdMap>* map,
                                    bool* whole);

}  // namespace vidodez::imaging
