#include "imaging/qt_reader.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstring>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/png_chunks.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"

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

int LoadWithQt(const std::string& path, LoadedPicture* out, bool* unread) {
  *unread = false;
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
  if (!read) {
    *unread = true;
    return kGraphicBadPicture;
  }
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

}  // namespace vidodez::imaging
