#include "imaging/picture_loader.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstring>

#include "core/graphic/exif_orientation.h"
#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "core/graphic/picture_save.h"
#include "core/graphic/png_chunks.h"
#include "core/graphic/rotate.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"
#include "imaging/jpeg_grey.h"
#include "imaging/magick_codec.h"

namespace vidodez::imaging {
namespace {

// GIF always stores palette indices of 8 bits or fewer, though Qt decodes it
// to 32 bits.
std::uint32_t StoredBitsPerPixel(const QByteArray& reader_format, const QImage& image) {
  if (reader_format == "gif") return 8;
  switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      return 1;
    case QImage::Format_Indexed8:
      return image.colorCount() <= 2 ? 1 : image.colorCount() <= 16 ? 4 : 8;
    case QImage::Format_RGB32:
    case QImage::Format_RGBX8888:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
      return 24;
    default:
      return static_cast<std::uint32_t>(image.depth());
  }
}

// Qt refuses a picture whose 32-bit form is above its allocation limit (128
// MB in Debian's Qt 6.4), far below the program's own bound. For one read the
// limit is raised to what this picture needs at 8 bytes a pixel (16-bit
// formats); sizes beyond the bound were refused already. A header that names
// no size gets Qt's own limit: a GIF naming 1792 x 0 had Qt allocate its
// 64517 x 4097 screen, a gigabyte, with the limit raised to the bound. (Of
// Qt's readers only MNG names no size; ImageMagick reads the larger ones.)
class AllocationLimit {
 public:
  explicit AllocationLimit(QSize size) : previous_(QImageReader::allocationLimit()) {
    if (!size.isValid()) return;
    const std::int64_t pixels = std::int64_t(size.width()) * size.height();
    const int needed = static_cast<int>(pixels * 8 / (1 << 20)) + 1;
    if (previous_ != 0 && needed > previous_) QImageReader::setAllocationLimit(needed);
  }
  ~AllocationLimit() { QImageReader::setAllocationLimit(previous_); }
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;

 private:
  const int previous_;
};

}  // namespace

bool QtReadsFormat(int format) {
  // Qt reads TGA only with the TrueVision 2.0 footer, warning on stderr
  // about the rest, and has no reader for the others.
  return format != kFormatPcx && format != kFormatTga && format != kFormatJp2 &&
         format != kFormatJpc && format != kFormatPgx && format != kFormatRas &&
         format != kFormatWmf && format != kFormatNone;
}

int OpenPictureFile(const std::string& path, QFile* file) {
  int fd = -1;
  switch (OpenInputFile(path, &fd)) {
    case kShellOk:
      break;
    case kInputMissing:
    case kInputOpenFailed:
      return kGraphicFileOpenFailed;
    default:
      return kGraphicFileReadFailed;
  }
  file->setFileName(QFile::decodeName(path.c_str()));
  if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    CloseInputFile(fd);
    return kGraphicFileOpenFailed;
  }
  bool within = true;
  const qint64 size = file->size();
  if (uchar* mapped = size > 0 ? file->map(0, size) : nullptr; mapped != nullptr) {
    within = PngChunksWithinFile({mapped, std::size_t(size)});
    file->unmap(mapped);
  } else if (size > 0) {
    const QByteArray bytes = file->readAll();
    within = PngChunksWithinFile(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    file->seek(0);
  }
  if (!within) {
    file->close();
    return kGraphicBadPicture;
  }
  return kGraphicOk;
}

int GreyFromImage(const QImage& image, GreyBitmap* out, bool* transparent) {
  if (image.isNull() || !PictureSizeAcceptable(image.width(), image.height()))
    return image.isNull() ? kGraphicBadSize : kGraphicPictureTooLarge;
  GreyBitmap grey;
  grey.width = image.width();
  grey.height = image.height();
  grey.pixels.resize(std::size_t(grey.width) * std::size_t(grey.height));
  const QImage::Format format = image.format();
  unsigned min_alpha = 255;
  if (format == QImage::Format_Grayscale8) {
    for (int y = 0; y < grey.height; ++y)
      std::memcpy(grey.Row(y), image.constScanLine(y), std::size_t(grey.width));
  } else if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32) {
    // The common case (JPEG decodes to RGB32): read the pixels where they are.
    const bool alpha = format == QImage::Format_ARGB32;
    for (int y = 0; y < grey.height; ++y) {
      const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      std::uint8_t* row = grey.Row(y);
      for (int x = 0; x < grey.width; ++x) {
        const QRgb p = in[x];
        const std::uint8_t g = GreyOf(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
        if (alpha) {
          const unsigned a = unsigned(qAlpha(p));
          min_alpha = a < min_alpha ? a : min_alpha;
          row[x] = OnWhite(g, a);
        } else {
          row[x] = g;
        }
      }
    }
  } else {
    // Everything else, one line at a time, so a large picture is not held
    // twice in 32 bits.
    for (int y = 0; y < grey.height; ++y) {
      const QImage line = image.copy(0, y, grey.width, 1).convertToFormat(QImage::Format_ARGB32);
      const QRgb* in = reinterpret_cast<const QRgb*>(line.constScanLine(0));
      std::uint8_t* row = grey.Row(y);
      for (int x = 0; x < grey.width; ++x) {
        const QRgb p = in[x];
        const unsigned a = unsigned(qAlpha(p));
        min_alpha = a < min_alpha ? a : min_alpha;
        row[x] = OnWhite(GreyOf(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p))), a);
      }
    }
  }
  if (transparent != nullptr) *transparent = min_alpha < 255;
  *out = std::move(grey);
  return kGraphicOk;
}

int LoadPicture(const std::string& path, LoadedPicture* out, bool threshold_map) {
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
    const int code = DecodeJpegGrey(path, &jpeg.bitmap, &bits, &unsupported, &quarter_turns,
                                    threshold_map ? &jpeg.threshold_map : nullptr);
    if (code != kGraphicOk && !unsupported) return code;
    if (code == kGraphicOk && quarter_turns != kExifMirrored) {
      jpeg.bits_per_pixel = static_cast<std::uint32_t>(bits);
      if (quarter_turns != 0) {
        jpeg.bitmap = RotateRight(jpeg.bitmap, quarter_turns);
        jpeg.threshold_map.reset();  // made for the picture before the turn
      }
      *out = std::move(jpeg);
      return kGraphicOk;
    }
  }
  QFile file;
  if (const int code = OpenPictureFile(path, &file); code != kGraphicOk) return code;
  // Formats are told apart by content, so a PNG named .jpg still opens.
  QImageReader reader(&file);
  reader.setAutoTransform(true);
  // A header may name a side of 0 (a GIF whose frames name their own size)
  // or less: that is no size known beforehand, not a picture too large.
  QSize size = reader.size();
  if (size.isEmpty()) size = QSize();
  const QByteArray detected = reader.format();
  if (size.isValid() && !PictureSizeAcceptable(size.width(), size.height()))
    return kGraphicPictureTooLarge;
  QImage image;
  bool read = false;
  {
    const AllocationLimit limit(size);
    read = reader.read(&image) && !image.isNull();
  }
  // What Qt cannot read (a picture of another format under this name, a
  // variant Qt lacks), ImageMagick may.
  if (!read) return MagickLoad(path, out);
  LoadedPicture picture;
  bool transparent = false;
  if (const int code = GreyFromImage(image, &picture.bitmap, &transparent); code != kGraphicOk)
    return code;
  picture.bits_per_pixel = StoredBitsPerPixel(detected, image);
  // Some decoders hand out 32 bits for pictures without any transparency.
  if (picture.bits_per_pixel == 32 && !transparent) picture.bits_per_pixel = 24;
  *out = std::move(picture);
  return kGraphicOk;
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
