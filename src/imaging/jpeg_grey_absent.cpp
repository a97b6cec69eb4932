// A build without libjpeg-turbo (Windows): no JPEG is decoded straight to
// grey here, every one is left to Qt's reader.

#include "core/graphic/graphic_codes.h"
#include "imaging/jpeg_grey.h"

namespace vidodez::imaging {

int DecodeJpegGrey(const std::string& /*path*/, GreyBitmap* /*out*/, int* /*bits_per_pixel*/,
                   bool* unsupported, int* /*quarter_turns*/) {
  *unsupported = true;
  return kGraphicBadPicture;
}

int DecodeJpegSampled(const std::string& /*path*/, const ChooseConversionSize& /*choose*/,
                      SampledPicture* /*out*/, std::optional<ThresholdMap>* /*map*/, bool* whole) {
  *whole = true;
  return kGraphicBadPicture;
}

}  // namespace vidodez::imaging
