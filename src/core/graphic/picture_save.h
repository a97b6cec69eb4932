#pragma once
// The whole conversion of a decoded picture into a black-and-white file, and
// the file reading and writing around it, shared by the dialog and the
// command line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/graphic/adaptive_threshold.h"
#include "core/graphic/grey_bitmap.h"
#include "core/graphic/pcx_codec.h"
#include "core/graphic/picture_size.h"
#include "core/graphic/resample.h"

namespace vidodez {

// Adaptive threshold, bilinear resampling to width x height, rotation by
// quarter turns to the right; every pixel of `out` is black or white and
// `source` is left as it was, so a retried save starts from the same picture.
[[nodiscard]] int ConvertPicture(const GreyBitmap& source, int width, int height, int quarter_turns,
                                 GreyBitmap* out);
// The same from the pixels the resampling reads, sampled beforehand for its
// size, and the box thresholds of the whole source.
[[nodiscard]] int ConvertPicture(const SampledPicture& source, const ThresholdMap& map,
                                 int quarter_turns, GreyBitmap* out);

// Writes the formats other than PCX; the imaging layer has one. The core
// writes PCX itself.
class PictureEncoder {
 public:
  virtual ~PictureEncoder() = default;
  // `picture` is black and white; `dpi` goes into the file where the format
  // has room for it. kGraphicNoWriter for a format it cannot write.
  [[nodiscard]] virtual int Encode(const GreyBitmap& picture, std::string_view extension, int dpi,
                                   std::vector<std::uint8_t>* bytes) const = 0;
};

// Save of the conversion: `picture` is the loaded picture, null when none is
// loaded (nothing chosen, or the last load failed), which gives
// kGraphicNoPicture before anything else. Then the extension of `save_path`
// picks the format (kGraphicNoExtension, kGraphicUnknownFormat), the truncated
// target size must be acceptable (kGraphicBadSize), and the file is encoded:
// PCX here, any other format by `encoder` (kGraphicNoWriter without one). The
// file is replaced whole or not at all (kGraphicFileWriteFailed). `written`,
// if given, receives the saved pixel size.
[[nodiscard]] int SavePicture(const GreyBitmap* picture, const PictureSize& size,
                              const std::string& save_path, PixelSize* written = nullptr,
                              const PictureEncoder* encoder = nullptr);
// The same Save from a picture sampled for the size `size` gives
// (kGraphicBadSize for any other) and the box thresholds of all of it.
[[nodiscard]] int SavePicture(const SampledPicture& picture, const ThresholdMap& map,
                              const PictureSize& size, const std::string& save_path,
                              PixelSize* written = nullptr,
                              const PictureEncoder* encoder = nullptr);

// Reads a picture file of at most `limit` bytes, as every operator file is
// read, and names the outcome by the picture codes: kGraphicFileOpenFailed
// for a file that is missing or cannot be opened, kGraphicPictureTooLarge
// beyond the limit, kGraphicFileReadFailed for any other failure.
[[nodiscard]] int ReadPictureFile(const std::string& path, std::size_t limit,
                                  std::vector<std::uint8_t>* bytes);

// Reads a PCX file into grey; see DecodePcx. kGraphicFileOpenFailed for a
// file that cannot be opened, kGraphicFileReadFailed for one that cannot be
// read or is no regular file.
[[nodiscard]] int ReadPcxFile(const std::string& path, GreyBitmap* out, PcxInfo* info);

}  // namespace vidodez
