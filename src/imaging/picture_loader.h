#pragma once
// Loads a picture file into the core's grey bitmap: PCX with the core's own
// reader, JPEG with libjpeg-turbo, the other formats with a code through
// Qt's readers (qt_reader.h), and what Qt cannot read through ImageMagick.
// Transparent parts are laid on white before the colours become grey.

#include <cstdint>
#include <string>

#include "core/graphic/grey_bitmap.h"
#include "core/graphic/picture_page.h"

namespace vidodez::imaging {

struct LoadedPicture {
  GreyBitmap bitmap;
  std::uint32_t bits_per_pixel = 0;  // of the file as stored: 1, 4, 8, 24, 32...
};

// The extension picks the format as the format-code table says: no
// extension gives kGraphicNoExtension, one without a code
// kGraphicUnknownFormat; an unreadable file kGraphicFileOpenFailed; a damaged
// picture, or a format with a code that no installed decoder reads,
// kGraphicBadPicture; more pixels than the core accepts
// kGraphicPictureTooLarge. `out` changes only on success.
[[nodiscard]] int LoadPicture(const std::string& path, LoadedPicture* out);

// What the picture dialog's model reads pictures with: LoadPicture.
class FileDecoder final : public PictureDecoder {
 public:
  [[nodiscard]] int Decode(const std::string& path, GreyBitmap* picture,
                           std::uint32_t* bits_per_pixel) const override;
};

// Whether Qt reads pictures of this format code; ImageMagick reads the
// others (but PCX, which the core reads).
bool QtReadsFormat(int format);

}  // namespace vidodez::imaging
