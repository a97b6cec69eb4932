#pragma once
// ImageMagick for what Qt and the core cannot do: reading the formats of the
// format-code table that Qt has no reader for (TGA without its 2.0 footer,
// JPEG 2000, PGX, Sun raster...) and writing every format but PCX. The
// module is loaded on the first picture that needs it, never at start-up.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/graphic/grey_bitmap.h"
#include "core/graphic/picture_save.h"

namespace vidodez::imaging {

struct LoadedPicture;

// The picture in `path` (already known to be a regular file), laid on white
// and turned grey. kGraphicOk, kGraphicBadPicture (also when the module or
// ImageMagick is missing), kGraphicPictureTooLarge, or the file's read
// failure. `out` changes only on success.
[[nodiscard]] int MagickLoad(const std::string& path, LoadedPicture* out);

// A black-and-white picture as a file of the format `extension` names, one
// bit a pixel where the format has that. kGraphicNoWriter for a format
// nothing here writes (WMF, EMF) or when the module cannot be loaded.
[[nodiscard]] int MagickEncode(const GreyBitmap& picture, std::string_view extension, int dpi,
                               std::vector<std::uint8_t>* bytes);

// Whether the module has been loaded in this process.
bool MagickModuleLoaded();

// What SavePicture takes to write every format but PCX.
class FileEncoder final : public PictureEncoder {
 public:
  [[nodiscard]] int Encode(const GreyBitmap& picture, std::string_view extension, int dpi,
                           std::vector<std::uint8_t>* bytes) const override;
};

}  // namespace vidodez::imaging
