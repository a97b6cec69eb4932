// Any bytes as a picture file under each extension the picture dialog takes,
// through the import adapter: the core's PCX reader, libjpeg-turbo, Qt's
// readers (no QGuiApplication needed) and, where the build has it, the
// ImageMagick module. A load gives a grey picture of an accepted size, or a
// code and the earlier picture untouched. A PNG, BMP or GIF that Qt itself
// reads from the file by content is never refused, unless its header names a
// size beyond the bound.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/grey_bitmap.h"
#include "core/graphic/png_chunks.h"
#include "fuzz/fuzz_input.h"
#include "imaging/picture_loader.h"
#include "support/temp_dir.h"

namespace {

constexpr std::array<const char*, 16> kNames{"p.pcx", "p.jpg", "p.png",  "p.bmp", "p.gif", "p.ico",
                                             "p.tif", "p.pnm", "p.wbmp", "p.mng", "p.tga", "p.ras",
                                             "p.pgx", "p.jp2", "p.JPEG", "p.dat"};
// Larger pictures are within the program's bound, but a few bytes of
// compressed data decoding to megabytes only slow the search down: most of
// a run went to faulting in the pages of decoded pictures, and a bound of a
// million pixels ran at a third of this one's speed.
constexpr qint64 kMaxFuzzPixels = 64 * 1024;

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const vidodez::test::TempDir dir;
  vidodez::fuzz::FuzzInput input(data, size);
  const char* name = kNames[input.Byte() % kNames.size()];
  const std::string bytes(input.Rest().begin(), input.Rest().end());
  QByteArray array = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  // Qt is asked about a PNG only when its chunks fit the file: libpng sets
  // aside what a damaged length names before it reads.
  const bool chunks_fit = vidodez::PngChunksWithinFile(
      {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  QBuffer buffer(&array);
  QImageReader probe(&buffer);
  const QSize declared = chunks_fit ? probe.size() : QSize();
  if (declared.isValid() && qint64(declared.width()) * declared.height() > kMaxFuzzPixels) return 0;

  const std::string path = dir.File(name);
  vidodez::test::WriteFileBytes(path, bytes);
  vidodez::imaging::LoadedPicture picture;
  picture.bitmap.width = 1;
  picture.bitmap.height = 1;
  picture.bitmap.pixels = {42};
  const int code = vidodez::imaging::LoadPicture(path, &picture);
  if (code != vidodez::kGraphicOk) {
    Check(picture.bitmap.width == 1 && picture.bitmap.pixels.size() == 1 &&
          picture.bits_per_pixel == 0);
    // What Qt reads by content under a name of its own format loads, unless
    // its header names a size beyond the bound (the frames may be smaller).
    const std::string_view extension = std::string_view(name).substr(2);
    const bool declared_fits =
        declared.isEmpty() || vidodez::PictureSizeAcceptable(declared.width(), declared.height());
    if (!chunks_fit) return 0;
    // Read as the program reads: from the file, and by content. From memory,
    // Qt's BMP reader carries on where a seek past the end fails, and makes a
    // 2303 x 898 picture of 49 bytes whose header puts the pixels past the
    // end; by the name, Qt's GIF reader takes a file that begins "GI;89a".
    QFile file(QString::fromStdString(path));
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if ((extension == "png" || extension == "bmp" || extension == "gif") && declared_fits &&
        !image.isNull() && vidodez::PictureSizeAcceptable(image.width(), image.height())) {
      std::fprintf(stderr, "refused with %s what Qt reads as %d x %d\n",
                   vidodez::GraphicCodeName(code), image.width(), image.height());
      __builtin_trap();
    }
    return 0;
  }
  const vidodez::GreyBitmap& grey = picture.bitmap;
  Check(vidodez::PictureSizeAcceptable(grey.width, grey.height) &&
        grey.pixels.size() == size_t(grey.width) * size_t(grey.height) &&
        picture.bits_per_pixel > 0);
  return 0;
}
