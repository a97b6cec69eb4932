#include "core/graphic/picture_save.h"

#include <vector>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "core/graphic/resample.h"
#include "core/graphic/rotate.h"
#include "core/shell/file_replacement.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

// A PCX of the largest accepted picture in 32 bits, uncompressed, with room
// for its header and palette.
constexpr std::uint64_t kMaxPcxFileSize = std::uint64_t(kMaxPicturePixels) * 4 + 4096;

// A resampling's result turned; `code` is the resampling's.
int Turned(int code, GreyBitmap&& resampled, int quarter_turns, GreyBitmap* out) {
  if (code != kGraphicOk) return code;
  *out = (quarter_turns % 4 == 0) ? std::move(resampled) : RotateRight(resampled, quarter_turns);
  return kGraphicOk;
}

// Save's steps around the conversion, which `convert` makes: (pixel size,
// quarter turns, out) to a code.
template <typename Convert>
int Save(const PictureSize& size, const std::string& save_path, PixelSize* written,
         const PictureEncoder* encoder, Convert convert) {
  const std::string extension = ExtensionOf(save_path);
  if (extension.empty()) return kGraphicNoExtension;
  const int format = PictureFormatCode(extension);
  if (format == kFormatNone) return kGraphicUnknownFormat;
  if (format != kFormatPcx && encoder == nullptr) return kGraphicNoWriter;
  GreyBitmap converted;
  if (const int code =
          convert(SavePixelSize(size), RotationQuarterTurns(size.rotation), &converted);
      code != kGraphicOk)
    return code;
  std::vector<std::uint8_t> file;
  const int dpi = static_cast<int>(ResolutionDpi(size.resolution));
  const int encoded = format == kFormatPcx ? EncodePcx(converted, dpi, &file)
                                           : encoder->Encode(converted, extension, dpi, &file);
  if (encoded != kGraphicOk) return encoded;
  if (ReplaceFile(save_path, file) != kShellOk) return kGraphicFileWriteFailed;
  if (written != nullptr) *written = {converted.width, converted.height};
  return kGraphicOk;
}

}  // namespace

int ConvertPicture(const GreyBitmap& source, int width, int height, int quarter_turns,
                   GreyBitmap* out) {
  GreyBitmap resampled;
  const int code = ThresholdAndResample(source, width, height, &resampled);
  return Turned(code, std::move(resampled), quarter_turns, out);
}

int ConvertPicture(const SampledPicture& source, const ThresholdMap& map, int quarter_turns,
                   GreyBitmap* out) {
  GreyBitmap resampled;
  const int code = ThresholdAndResample(source, map, &resampled);
  return Turned(code, std::move(resampled), quarter_turns, out);
}

int SavePicture(const GreyBitmap* picture, const PictureSize& size, const std::string& save_path,
                PixelSize* written, const PictureEncoder* encoder) {
  if (picture == nullptr || picture->empty()) return kGraphicNoPicture;
  return Save(size, save_path, written, encoder,
              [&](PixelSize pixels, int quarter_turns, GreyBitmap* out) {
                return ConvertPicture(*picture, pixels.width, pixels.height, quarter_turns, out);
              });
}

int SavePicture(const SampledPicture& picture, const ThresholdMap& map, const PictureSize& size,
                const std::string& save_path, PixelSize* written, const PictureEncoder* encoder) {
  return Save(size, save_path, written, encoder,
              [&](PixelSize pixels, int quarter_turns, GreyBitmap* out) {
                if (pixels.width != static_cast<int>(picture.x_taps.size()) ||
                    pixels.height != static_cast<int>(picture.y_taps.size()))
                  return kGraphicBadSize;
                return ConvertPicture(picture, map, quarter_turns, out);
              });
}

int ReadPictureFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>* bytes) {
  switch (ReadInputFile(path, limit, bytes)) {
    case kShellOk:
      return kGraphicOk;
    case kInputMissing:
    case kInputOpenFailed:
      return kGraphicFileOpenFailed;
    case kInputTooLarge:
      return kGraphicPictureTooLarge;
    default:
      return kGraphicFileReadFailed;
  }
}

int ReadPcxFile(const std::string& path, GreyBitmap* out, PcxInfo* info) {
  std::vector<std::uint8_t> bytes;
  const int rc = ReadPictureFile(path, kMaxPcxFileSize, &bytes);
  return rc == kGraphicOk ? DecodePcx(bytes, out, info) : rc;
}

}  // namespace vidodez
