#pragma once
// Qt's picture readers, for every format with a code but PCX, JPEG (read
// straight to grey first) and what only ImageMagick reads. The window links
// them; the command line loads them as a module the first time a picture
// needs them (qt_reader_door.cpp), so that it starts without Qt and its
// forty libraries, which would cost more than a whole small command.

#include <string>

#include "imaging/picture_loader.h"

class QFile;
class QImage;

namespace vidodez::imaging {

// The picture in `path`, laid on white and turned grey. `unread` tells a
// picture Qt has no reader for or cannot decode (perhaps ImageMagick can),
// returned as kGraphicBadPicture, from the codes of LoadPicture. `out`
// changes only on success.
[[nodiscard]] int LoadWithQt(const std::string& path, LoadedPicture* out, bool* unread);

// Opens `path` for Qt the safe way (core/shell/input_file.h): a FIFO, folder
// or device gives kGraphicFileReadFailed, a missing or unreadable file
// kGraphicFileOpenFailed, a PNG whose chunks reach past its end (see
// core/graphic/png_chunks.h) kGraphicBadPicture.
[[nodiscard]] int OpenPictureFile(const std::string& path, QFile* file);

// Grey of a decoded image, alpha laid on white. kGraphicBadSize when empty,
// kGraphicPictureTooLarge when too large. `transparent`, if given, tells
// whether any pixel was less than opaque.
[[nodiscard]] int GreyFromImage(const QImage& image, GreyBitmap* out, bool* transparent = nullptr);

}  // namespace vidodez::imaging
