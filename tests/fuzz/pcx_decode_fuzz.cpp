// Any bytes handed to the PCX reader either decode to a picture of the size
// the header names or give no picture; never a crash or a runaway allocation.
// The check without a picture (what the storage page does before a send)
// agrees with the decode, and a decoded picture written back as the label
// printers' black-and-white PCX reads back as its black and white.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/pcx_codec.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  vidodez::GreyBitmap picture;
  vidodez::PcxInfo info;
  const int code = vidodez::DecodePcx(file, &picture, &info);
  vidodez::PcxInfo checked;
  const int check = vidodez::DecodePcx(file, nullptr, &checked);
  Check(check == code);
  if (code != vidodez::kGraphicOk) return 0;
  Check(picture.width == info.width && picture.height == info.height &&
        picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height));
  Check(checked.width == info.width && checked.height == info.height &&
        checked.bits_per_pixel == info.bits_per_pixel);

  std::vector<std::uint8_t> encoded;
  Check(vidodez::EncodePcx(picture, 203, &encoded) == vidodez::kGraphicOk);
  vidodez::GreyBitmap again;
  vidodez::PcxInfo again_info;
  Check(vidodez::DecodePcx(encoded, &again, &again_info) == vidodez::kGraphicOk &&
        again.width == picture.width && again.height == picture.height &&
        again_info.bits_per_pixel == 1);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i)
    Check(again.pixels[i] == (picture.pixels[i] < 128 ? vidodez::kBlack : vidodez::kWhite));
  return 0;
}
