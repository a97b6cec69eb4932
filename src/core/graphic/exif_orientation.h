#pragma once
// How a photograph is turned, from the Exif data of its JPEG file: the
// APP1 markers' bytes, all of them one after the other, read exactly as Qt
// reads them, so a picture turns the same whichever of the two decides.

#include <cstdint>
#include <span>

namespace vidodez {

// Quarter turns to the right that bring the picture upright (0 to 3), or
// kExifMirrored for an orientation that also mirrors it. Data without a
// readable orientation, or none at all, is upright.
inline constexpr int kExifMirrored = -1;
int ExifQuarterTurns(std::span<const std::uint8_t> app1_data);

}  // namespace vidodez
