#include "imaging/picture_loader.h"

#include "core/graphic/exif_orientation.h"
#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "core/graphic/picture_save.h"
#include "core/graphic/rotate.h"
#include "imaging/jpeg_grey.h"
#include "imaging/magick_codec.h"
#include "imaging/qt_reader.h"

namespace vidodez::imaging {

bool QtReadsFormat(int format) {
  // Qt reads TGA only with the TrueVision 2.0 footer, warning on stderr
  // about the rest, and has no reader for the others.
  return format != kFormatPcx && format != kFormatTga && format != kFormatJp2 &&
         format != kFormatJpc && format != kFormatPgx && format != kFormatRas &&
         format != kFormatWmf && format != kFormatNone;
}

int LoadPicture(const std::string& path, LoadedPicture* out) {
  const std::string extension = ExtensionOf(path);
  if (extension.empty()) return kGraphicNoExtension;
  const int format = PictureFormatCode(extension);
  if (format == kFormatNone) return kGraphicUnknownFormat;
  if (format == kFormatPcx) {
    LoadedPicture picture;
    PcxInfo info;
    if (const int code = ReadPcxFile(path, &picture.bitmap, &info); code != kGraphicOk) return code;
    picture.bits_per_pixel = static_cast<std::uint32_t>(info.bits_per_pixel);
    *out = std::move(picture);
    return kGraphicOk;
  }

  if (!QtReadsFormat(format)) return MagickLoad(path, out);
  // JPEG goes straight to grey first: libjpeg-turbo reads the header itself
  // and stops where a file cut short ends, while Qt's header reader, asked
  // first, read the exhausted end of such a file tens of thousands of times.
  // Turned photographs are turned back as Qt would, from the file's Exif
  // data; mirrored ones (rare) go through Qt, which loads every one of its
  // picture readers to be asked.
  if (format == kFormatJpeg) {
    LoadedPicture jpeg;
    int bits = 0;
    bool unsupported = false;
    int quarter_turns = 0;
    const int code = DecodeJpegGrey(path, &jpeg.bitmap, &bits, &unsupported, &quarter_turns);
    if (code != kGraphicOk && !unsupported) return code;
    if (code == kGraphicOk && quarter_turns != kExifMirrored) {
      jpeg.bits_per_pixel = static_cast<std::uint32_t>(bits);
      if (quarter_turns != 0) jpeg.bitmap = RotateRight(jpeg.bitmap, quarter_turns);
      *out = std::move(jpeg);
      return kGraphicOk;
    }
  }
  bool unread = false;
  const int code = LoadWithQt(path, out, &unread);
  // What Qt cannot read (a picture of another format under this name, a
  // variant Qt lacks), ImageMagick may.
  return unread ? MagickLoad(path, out) : code;
}

int FileDecoder::Decode(const std::string& path, GreyBitmap* picture,
                        std::uint32_t* bits_per_pixel) const {
  LoadedPicture loaded;
  if (const int code = LoadPicture(path, &loaded); code != kGraphicOk) return code;
  *picture = std::move(loaded.bitmap);
  *bits_per_pixel = loaded.bits_per_pixel;
  return kGraphicOk;
}

}  // namespace vidodez::imaging
