// The ImageMagick module: reads the picture formats Qt has no reader for and
// writes every format but PCX. Nothing thrown leaves it: each entry point
// turns ImageMagick's exceptions into a result.

#include <Magick++.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "imaging/magick_module_api.h"

namespace {

void Start() {
  static std::once_flag once;
  std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

int ResultOf(const Magick::Exception& error) {
  return dynamic_cast<const Magick::ErrorResourceLimit*>(&error) != nullptr ||
                 dynamic_cast<const Magick::WarningResourceLimit*>(&error) != nullptr
             ? kVidodezMagickTooLarge
             : kVidodezMagickUnreadable;
}

// Within the width, height and area ImageMagick's policy allows (Debian's
// allows 16K pixels a side and 128 MP): beyond them it builds no image, and
// Magick++ would assert on the missing one.
bool WithinLimits(long long width, long long height) {
  using Limits = Magick::ResourceLimits;
  const auto w = static_cast<MagickCore::MagickSizeType>(width);
  const auto h = static_cast<MagickCore::MagickSizeType>(height);
  return w <= Limits::width() && h <= Limits::height() && w * h <= Limits::area();
}

// Warnings (an unknown tag, a stray byte) do not stop a picture; errors do.
void Ping(Magick::Image& image, const Magick::Blob& blob, const char* coder) {
  image.quiet(true);
  try {
    image.ping(blob);
    return;
  } catch (const Magick::Error&) {
    if (coder == nullptr || *coder == '\0') throw;
  }
  image.magick(coder);
  image.ping(blob);
}

// Bits a pixel as the file stores them, at most 8 a channel.
int StoredBits(const Magick::Image& image) {
  if (image.classType() == MagickCore::PseudoClass) {
    const std::size_t colours = image.colorMapSize();
    return colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
  }
  const int depth = int(std::min<std::size_t>(image.depth(), 8));
  const int channels = image.colorSpace() == MagickCore::GRAYColorspace ? 1 : 3;
  return depth * (channels + (image.matte() ? 1 : 0));
}

int Read(const VidodezMagickRead& request) {
  const Magick::Blob blob(request.data, request.size);
  Magick::Image image;
  Ping(image, blob, request.coder);
  const long long width = static_cast<long long>(image.columns());
  const long long height = static_cast<long long>(image.rows());
  if (width <= 0 || height <= 0) return kVidodezMagickUnreadable;
  if (width > request.max_side || height > request.max_side || width * height > request.max_pixels)
    return kVidodezMagickTooLarge;
  if (!WithinLimits(width, height)) return kVidodezMagickBeyondLimits;
  image.subImage(0);
  image.subRange(1);  // the first frame of an animation
  image.read(blob);
  if (static_cast<long long>(image.columns()) != width ||
      static_cast<long long>(image.rows()) != height)
    return kVidodezMagickUnreadable;
  if (request.begin(request.context, int(width), int(height), StoredBits(image)) != 0)
    return kVidodezMagickTooLarge;
  // Only a picture with transparency is asked for its alpha: some coders
  // (TGA, Sun raster with a palette) leave it unset otherwise.
  const bool alpha = image.matte();
  std::vector<unsigned char> line(std::size_t(width) * 4, 255);
  for (long long y = 0; y < height; ++y) {
    image.write(0, static_cast<ssize_t>(y), std::size_t(width), 1, alpha ? "RGBA" : "RGB",
                Magick::CharPixel, line.data());
    if (!alpha) {
      // Spread RGB to RGBA in place, from the end, opaque.
      for (long long x = width - 1; x >= 0; --x) {
        const std::size_t at = std::size_t(x);
        line[at * 4 + 3] = 255;
        line[at * 4 + 2] = line[at * 3 + 2];
        line[at * 4 + 1] = line[at * 3 + 1];
        line[at * 4] = line[at * 3];
      }
    }
    request.row(request.context, int(y), line.data());
  }
  return kVidodezMagickOk;
}

int Write(VidodezMagickWrite& request) {
  if (!WithinLimits(request.width, request.height)) return kVidodezMagickBeyondLimits;
  // Built by MagickCore, whose missing image is a result: Magick++'s
  // constructor asserts when the pixel cache cannot be had.
  MagickCore::ExceptionInfo* exception = MagickCore::AcquireExceptionInfo();
  MagickCore::Image* built =
      MagickCore::ConstituteImage(std::size_t(request.width), std::size_t(request.height), "I",
                                  MagickCore::CharPixel, request.grey, exception);
  MagickCore::DestroyExceptionInfo(exception);
  if (built == nullptr) return kVidodezMagickBeyondLimits;
  Magick::Image image(built);
  image.quiet(true);
  image.resolutionUnits(MagickCore::PixelsPerInchResolution);
  image.density(Magick::Geometry(std::size_t(request.dpi), std::size_t(request.dpi)));
  switch (request.form) {
    case kVidodezMagickBilevel:
      image.type(MagickCore::BilevelType);
      image.depth(1);
      break;
    case kVidodezMagickPalette:
      // Quantized in sRGB, the picture stays a palette picture: the coders
      // that turn grey into sRGB first would otherwise make it 24 bits.
      image.quantizeColorSpace(MagickCore::sRGBColorspace);
      image.quantizeColors(2);
      image.quantizeDither(false);
      image.quantize();
      break;
    default:
      image.type(MagickCore::GrayscaleType);
      break;
  }
  Magick::Blob blob;
  image.write(&blob, request.coder);
  if (blob.length() == 0) return kVidodezMagickCannotWrite;
  auto* bytes = static_cast<unsigned char*>(std::malloc(blob.length()));
  if (bytes == nullptr) return kVidodezMagickTooLarge;
  std::memcpy(bytes, blob.data(), blob.length());
  request.bytes = bytes;
  request.size = blob.length();
  return kVidodezMagickOk;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int vidodez_magick_read(const VidodezMagickRead* request) {
  try {
    Start();
    return Read(*request);
  } catch (const Magick::Exception& error) {
    return ResultOf(error);
  } catch (const std::bad_alloc&) {
    return kVidodezMagickTooLarge;
  } catch (...) {
    return kVidodezMagickUnreadable;
  }
}

__attribute__((visibility("default"))) int vidodez_magick_write(VidodezMagickWrite* request) {
  request->bytes = nullptr;
  request->size = 0;
  try {
    Start();
    return Write(*request);
  } catch (const std::bad_alloc&) {
    return kVidodezMagickTooLarge;
  } catch (...) {
    return kVidodezMagickCannotWrite;
  }
}

__attribute__((visibility("default"))) void vidodez_magick_free(void* bytes) { std::free(bytes); }

}  // extern "C"
