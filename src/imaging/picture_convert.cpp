#include "imaging/picture_convert.h"

#include "core/graphic/graphic_codes.h"
#include "core/graphic/grey_bitmap.h"
#include "core/graphic/picture_formats.h"
#include "core/graphic/picture_save.h"
#include "core/graphic/picture_size.h"
#include "core/shell/texts.h"
#include "core/shell/units.h"
#include "imaging/jpeg_grey.h"
#include "imaging/magick_codec.h"
#include "imaging/picture_loader.h"

namespace vidodez::imaging {
namespace {

constexpr Text kSaved{"Saved ", "已保存 "};
constexpr Text kPixels{" pixels", " 像素"};

ConvertResult Fail(int code, std::string_view language, const std::string& detail) {
  ConvertResult result;
  result.code = code;
  result.message = Pick(GraphicCodeText(code), language);
  if (!detail.empty()) result.message += " (" + detail + ")";
  return result;
}

// The size options as typed: "--width 32768", "--scale 500".
std::string SizeOptionsText(const ConvertOptions& options) {
  std::string text;
  const std::pair<const char*, const std::optional<std::string>*> given[] = {
      {"--width ", &options.width}, {"--height ", &options.height}, {"--scale ", &options.scale}};
  for (const auto& [name, value] : given) {
    if (!*value) continue;
    if (!text.empty()) text += ", ";
    text += name + **value;
  }
  return text;
}

// The size options applied to `size`, whose source is set.
void ApplySizeOptions(const ConvertOptions& options, PictureSize& size) {
  if (options.scale) {
    ApplyScaleMode(size, kScaleScaling);
    size.keep_scale = options.keep_scale;
    (void)ApplySizeEdit(size, SizeBox::kWidthPercent, *options.scale);
  } else if (options.width || options.height) {
    ApplyScaleMode(size, kScaleManual);
    // Both given: each side is what was asked, neither follows the other.
    size.keep_scale = options.keep_scale && !(options.width && options.height);
    if (options.width) (void)ApplySizeEdit(size, SizeBox::kWidth, *options.width);
    if (options.height) (void)ApplySizeEdit(size, SizeBox::kHeight, *options.height);
  } else {
    ApplyScaleMode(size, kScaleOrigin);
  }
}

}  // namespace

ConvertResult ConvertPictureFile(const ConvertOptions& options, std::string_view language) {
  PictureSize size;
  size.unit = UnitFromWord(options.unit, kPictureUnits);
  if (size.unit < 0) return Fail(kGraphicBadOption, language, "--unit " + options.unit);
  const std::optional<int> resolution = ResolutionIndex(options.dpi);
  if (!resolution) return Fail(kGraphicBadOption, language, "--dpi " + std::to_string(options.dpi));
  size.resolution = *resolution;
  if (options.rotate % 90 != 0 || options.rotate < 0 || options.rotate > 270)
    return Fail(kGraphicBadOption, language, "--rotate " + std::to_string(options.rotate));
  size.rotation = options.rotate / 90;
  if (options.scale && (options.width || options.height))
    return Fail(kGraphicBadOption, language, "--scale with --width or --height");
  for (const auto* text : {&options.width, &options.height, &options.scale})
    if (*text && !IsSizeNumber(**text)) return Fail(kGraphicBadNumber, language, **text);

  // The size follows the picture's own, known once its header is read.
  const PictureSize asked = size;
  const ChooseConversionSize choose = [&](int width, int height, int bits_per_pixel) {
    size = asked;
    SetSource(size, std::uint32_t(width), std::uint32_t(height), std::uint32_t(bits_per_pixel));
    ApplySizeOptions(options, size);
    return SavePixelSize(size);
  };
  // A JPEG keeps only what the conversion reads of it where it can; any
  // other picture, and a JPEG that cannot, is loaded whole.
  SampledPicture sampled;
  std::optional<ThresholdMap> map;
  bool whole = true;
  LoadedPicture picture;
  if (PictureFormatCode(ExtensionOf(options.input)) == kFormatJpeg) {
    const int code = DecodeJpegSampled(options.input, choose, &sampled, &map, &whole);
    if (!whole && code != kGraphicOk && code != kGraphicBadSize)
      return Fail(code, language, options.input);
  }
  if (whole) {
    if (const int code = LoadPicture(options.input, &picture); code != kGraphicOk)
      return Fail(code, language, options.input);
    (void)choose(picture.bitmap.width, picture.bitmap.height, int(picture.bits_per_pixel));
  }
  // A size out of bounds is the options' fault, not the output file's.
  if (const PixelSize pixels = SavePixelSize(size);
      !PictureSizeAcceptable(pixels.width, pixels.height))
    return Fail(kGraphicBadSize, language,
                SizeOptionsText(options) + ": " + std::to_string(pixels.width) + " x " +
                    std::to_string(pixels.height));

  PixelSize written;
  const FileEncoder encoder;
  if (const int code = whole
                           ? SavePicture(&picture.bitmap, size, options.output, &written, &encoder)
                           : SavePicture(sampled, *map, size, options.output, &written, &encoder);
      code != kGraphicOk)
    return Fail(code, language, options.output);
  ConvertResult result;
  result.width = written.width;
  result.height = written.height;
  result.message = std::string(Pick(kSaved, language)) + options.output + " (" +
                   std::to_string(written.width) + " x " + std::to_string(written.height) +
                   Pick(kPixels, language) + ")";
  return result;
}

}  // namespace vidodez::imaging
