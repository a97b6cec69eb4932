#include "imaging/magick_codec.h"

#include <array>
#include <atomic>
#include <mutex>
#include <new>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "core/graphic/picture_save.h"
#include "core/graphic/png_chunks.h"
#include "core/platform/process.h"
#include "imaging/magick_module_api.h"
#include "imaging/picture_loader.h"
#include "imaging/program_module.h"

namespace vidodez::imaging {
namespace {

// An uncompressed picture of the largest accepted size at 16 bits in four
// channels, with room for headers: a larger file cannot be a picture we take.
constexpr std::size_t kMaxFileBytes = std::size_t(kMaxPicturePixels) * 8 + (std::size_t(1) << 20);

struct Coder {
  std::string_view extension;
  const char* name;  // ImageMagick's, for reading and writing
  bool writable;
  VidodezMagickForm form;  // one bit a pixel unless grey
  int max_side;            // of the format, when below ours
};

constexpr VidodezMagickForm kGrey = kVidodezMagickGrey;
constexpr VidodezMagickForm kBilevel = kVidodezMagickBilevel;
constexpr VidodezMagickForm kPalette = kVidodezMagickPalette;

// TGA and PGX are 8-bit grey at the least (ImageMagick packs a 1-bit PGX in
// a way other readers refuse), JPEG and JNG have no 1-bit form. Nothing on
// Linux writes WMF or EMF; PCX is the core's own.
constexpr std::array<Coder, 24> kCoders{{
    {"bmp", "BMP3", true, kBilevel, 0}, {"gif", "GIF", true, kBilevel, 0},
    {"jpg", "JPEG", true, kGrey, 0},    {"jpeg", "JPEG", true, kGrey, 0},
    {"png", "PNG", true, kBilevel, 0},  {"mng", "MNG", true, kBilevel, 0},
    {"jng", "JNG", true, kGrey, 0},     {"ico", "ICO", true, kPalette, 256},
    {"tif", "TIFF", true, kBilevel, 0}, {"tiff", "TIFF", true, kBilevel, 0},
    {"tga", "TGA", true, kGrey, 0},     {"wbmp", "WBMP", true, kBilevel, 0},
    {"wmf", "WMF", false, kGrey, 0},    {"emf", "EMF", false, kGrey, 0},
    {"jp2", "JP2", true, kBilevel, 0},  {"j2k", "J2K", true, kBilevel, 0},
    {"jpc", "J2K", true, kBilevel, 0},  {"j2c", "J2K", true, kBilevel, 0},
    {"pgx", "PGX", true, kGrey, 0},     {"ras", "SUN", true, kPalette, 0},
    {"pnm", "PNM", true, kBilevel, 0},  {"pgm", "PGM", true, kGrey, 0},
    {"ppm", "PPM", true, kGrey, 0},     {"pcx", "PCX", false, kGrey, 0},
}};

const Coder* CoderOf(std::string_view extension) {
  for (const Coder& coder : kCoders)
    if (coder.extension == extension) return &coder;
  return nullptr;
}

struct Module {
  void* handle = nullptr;
  VidodezMagickReadFn read = nullptr;
  VidodezMagickWriteFn write = nullptr;
  VidodezMagickFreeFn release = nullptr;
};

std::atomic<bool> g_loaded{false};

const Module* LoadModule() {
  static Module module;
  static std::once_flag once;
  std::call_once(once, [] {
    void* handle = LoadProgramModule(VIDODEZ_MAGICK_MODULE, "ImageMagick");
    if (handle == nullptr) return;
    module.read = reinterpret_cast<VidodezMagickReadFn>(
        platform::ModuleSymbol(handle, "vidodez_magick_read"));
    module.write = reinterpret_cast<VidodezMagickWriteFn>(
        platform::ModuleSymbol(handle, "vidodez_magick_write"));
    module.release = reinterpret_cast<VidodezMagickFreeFn>(
        platform::ModuleSymbol(handle, "vidodez_magick_free"));
    module.handle = handle;
    g_loaded = true;
  });
  return module.read != nullptr && module.write != nullptr && module.release != nullptr ? &module
                                                                                        : nullptr;
}

struct Rows {
  GreyBitmap picture;
  int bits_per_pixel = 0;
};

int Begin(void* context, int width, int height, int bits_per_pixel) {
  auto* rows = static_cast<Rows*>(context);
  try {
    rows->picture.pixels.resize(std::size_t(width) * std::size_t(height));
  } catch (const std::bad_alloc&) {
    return 1;
  }
  rows->picture.width = width;
  rows->picture.height = height;
  rows->bits_per_pixel = bits_per_pixel;
  return 0;
}

void Row(void* context, int y, const unsigned char* rgba) {
  auto* rows = static_cast<Rows*>(context);
  std::uint8_t* out = rows->picture.Row(y);
  for (int x = 0; x < rows->picture.width; ++x, rgba += 4) {
    out[x] = OnWhite(GreyOf(rgba[0], rgba[1], rgba[2]), rgba[3]);
  }
}

}  // namespace

int MagickLoad(const std::string& path, LoadedPicture* out) {
  std::vector<std::uint8_t> bytes;
  if (const int rc = ReadPictureFile(path, kMaxFileBytes, &bytes); rc != kGraphicOk) return rc;
  if (!PngChunksWithinFile(bytes)) return kGraphicBadPicture;
  const Module* module = LoadModule();
  if (module == nullptr) return kGraphicBadPicture;
  const std::string extension = ExtensionOf(path);
  const Coder* coder = CoderOf(extension);
  Rows rows;
  VidodezMagickRead request{};
  request.data = bytes.data();
  request.size = bytes.size();
  request.coder = coder != nullptr ? coder->name : nullptr;
  request.max_pixels = kMaxPicturePixels;
  request.max_side = kMaxPictureSide;
  request.context = &rows;
  request.begin = Begin;
  request.row = Row;
  switch (module->read(&request)) {
    case kVidodezMagickOk:
      break;
    case kVidodezMagickTooLarge:
      return kGraphicPictureTooLarge;
    case kVidodezMagickBeyondLimits:
      return kGraphicBeyondLibraryLimits;
    default:
      return kGraphicBadPicture;
  }
  LoadedPicture picture;
  picture.bitmap = std::move(rows.picture);
  picture.bits_per_pixel = std::uint32_t(rows.bits_per_pixel);
  *out = std::move(picture);
  return kGraphicOk;
}

int MagickEncode(const GreyBitmap& picture, std::string_view extension, int dpi,
                 std::vector<std::uint8_t>* bytes) {
  const Coder* coder = CoderOf(extension);
  if (coder == nullptr || !coder->writable) return kGraphicNoWriter;
  if (coder->max_side > 0 && (picture.width > coder->max_side || picture.height > coder->max_side))
    return kGraphicBadSize;
  const Module* module = LoadModule();
  if (module == nullptr) return kGraphicNoWriter;
  VidodezMagickWrite request{};
  request.grey = picture.pixels.data();
  request.width = picture.width;
  request.height = picture.height;
  request.dpi = dpi;
  request.coder = coder->name;
  request.form = coder->form;
  const int result = module->write(&request);
  if (result == kVidodezMagickBeyondLimits) return kGraphicBeyondLibraryLimits;
  if (result != kVidodezMagickOk) return kGraphicFileWriteFailed;
  bytes->assign(request.bytes, request.bytes + request.size);
  module->release(request.bytes);
  return kGraphicOk;
}

bool MagickModuleLoaded() { return g_loaded; }

int FileEncoder::Encode(const GreyBitmap& picture, std::string_view extension, int dpi,
                        std::vector<std::uint8_t>* bytes) const {
  return MagickEncode(picture, extension, dpi, bytes);
}

}  // namespace vidodez::imaging
