#pragma once
// The whole conversion of a decoded picture into a black-and-white file, and
// the file reading and writing around it, shared by the dialog and the
// command line.

#include <cstdint>
#include <span>
#include <string>

#include "core/graphic/grey_bitmap.h"
#include "core/graphic/pcx_codec.h"
#include "core/graphic/picture_size.h"

namespace vidodez {

// Adaptive threshold, bilinear resampling to width x height, rotation by
// quarter turns to the right; every pixel of `out` is black or white and
// `source` is left as it was, so a retried save starts from the same picture.
[[nodiscard]] int ConvertPicture(const GreyBitmap& source, int width, int height,
                                 int quarter_turns, GreyBitmap* out);

// Save of the conversion: `picture` is the loaded picture, null when none is
// loaded (nothing chosen, or the last load failed), which gives
// kGraphicNoPicture before anything else. Then the extension of `save_path`
// picks the format (kGraphicNoExtension, kGraphicUnknownFormat, and
// kGraphicNoWriter for any format but PCX), the truncated target size must be
// acceptable (kGraphicBadSize), and the file is written afresh. `written`, if
// given, receives the saved pixel size.
[[nodiscard]] int SavePicture(const GreyBitmap* picture, const PictureSize& size,
                              const std::string& save_path, PixelSize* written = nullptr);

// Reads a PCX file into grey; see DecodePcx.
[[nodiscard]] int ReadPcxFile(const std::string& path, GreyBitmap* out, PcxInfo* info);

// Writes `bytes` as the whole new content of `path`; a failed write leaves no
// partial file behind.
[[nodiscard]] int WriteFileAfresh(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace vidodez
