#pragma once
// JPEG straight to grey with libjpeg-turbo: only the luminance is decoded,
// which skips chroma upsampling and colour conversion, the larger part of a
// colour decode. Qt's reader would decode to 32-bit colour first.

#include <string>

#include "core/graphic/grey_bitmap.h"

namespace vidodez::imaging {

// kGraphicOk, kGraphicFileOpenFailed, kGraphicPictureTooLarge, or
// kGraphicBadPicture. A file cut short is final; for anything else libjpeg
// cannot read or turn into grey (CMYK, another format named .jpg)
// `unsupported` is set too, so the caller can try Qt. `bits_per_pixel` is 8 per stored component.
[[nodiscard]] int DecodeJpegGrey(const std::string& path, GreyBitmap* out, int* bits_per_pixel,
                                 bool* unsupported);

}  // namespace vidodez::imaging
