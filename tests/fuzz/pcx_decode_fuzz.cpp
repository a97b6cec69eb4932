// Any bytes handed to the PCX reader either decode to a picture of the size
// the header names or give no picture; never a crash or a runaway allocation.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/pcx_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vidodez::GreyBitmap picture;
  vidodez::PcxInfo info;
  const int code = vidodez::DecodePcx(std::span(data, size), &picture, &info);
  if (code == vidodez::kGraphicOk &&
      (picture.width != info.width || picture.height != info.height ||
       picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height)))
    __builtin_trap();
  if (code == vidodez::kGraphicOk) {
    std::vector<std::uint8_t> encoded;
    if (vidodez::EncodePcx(picture, 203, &encoded) != vidodez::kGraphicOk) __builtin_trap();
  }
  return 0;
}
