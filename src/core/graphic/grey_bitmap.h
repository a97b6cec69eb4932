#pragma once
// The picture every conversion step works on: 8-bit grey, one byte a pixel,
// rows top to bottom without padding. A black-and-white picture holds only 0
// (black) and 255 (white), so thresholding, resampling and rotation share one
// type and the PCX writer packs it to one bit a pixel at the end.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vidodez {

inline constexpr std::uint8_t kBlack = 0;
inline constexpr std::uint8_t kWhite = 255;

// Whether a grey value counts as white (paper) where only black and white
// can be kept: from half on.
inline constexpr bool IsWhite(std::uint8_t grey) { return grey >= 128; }

// Largest side and pixel count any decoder or step accepts: far beyond a label
// (a 600-dpi label of 1 m is 23622 dots) and small enough that a hostile
// header cannot ask for more than a few hundred megabytes.
inline constexpr int kMaxPictureSide = 32768;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{16384} * 16384;

struct GreyBitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width * height bytes

  bool empty() const { return width <= 0 || height <= 0; }
  const std::uint8_t* Row(int y) const {
    return pixels.data() + std::size_t(y) * std::size_t(width);
  }
  std::uint8_t* Row(int y) { return pixels.data() + std::size_t(y) * std::size_t(width); }
  std::uint8_t At(int x, int y) const { return Row(y)[x]; }
};

// True when both sides are positive and within the limits above.
inline bool PictureSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// Luma of an sRGB pixel with the Rec. 601 weights, in integers.
inline std::uint8_t GreyOf(unsigned red, unsigned green, unsigned blue) {
  return static_cast<std::uint8_t>((red * 77 + green * 150 + blue * 29 + 128) >> 8);
}

// `grey` seen through `alpha` (0 transparent, 255 opaque) on white paper.
inline std::uint8_t OnWhite(std::uint8_t grey, unsigned alpha) {
  return static_cast<std::uint8_t>((grey * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

}  // namespace vidodez
