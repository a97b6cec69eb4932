#pragma once
// PCX pictures. The writer makes the black-and-white files label printers
// store: one plane of one bit a pixel (1 white, 0 black), run-length encoded,
// each line encoded on its own with an even byte count. The reader takes the
// common kinds (1, 2, 4 and 8 bits in one plane, 1 bit in 2 to 4 planes, 24
// and 32 bits in 3 or 4 planes) and turns them into grey.

#include <cstdint>
#include <span>
#include <vector>

#include "core/graphic/grey_bitmap.h"

namespace vidodez {

inline constexpr std::size_t kPcxHeaderSize = 128;

struct PcxInfo {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;  // per pixel over all planes: 1, 2, 4, 8, 24 or 32
};

// Encodes `picture` (values of 128 and above are white) with `dpi` in the
// header. kGraphicBadSize for an empty picture or a side above 65535.
[[nodiscard]] int EncodePcx(const GreyBitmap& picture, int dpi, std::vector<std::uint8_t>* out);

// Decodes a whole PCX file. Damaged, cut-short or unsupported files give
// kGraphicBadPicture, oversized ones kGraphicPictureTooLarge, and leave `out`
// untouched. `info` may be null; so may `out`, to check a file without
// taking the memory of its picture.
[[nodiscard]] int DecodePcx(std::span<const std::uint8_t> file, GreyBitmap* out, PcxInfo* info);

}  // namespace vidodez
