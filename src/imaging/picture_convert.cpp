#include "imaging/picture_convert.h"

#include "core/graphic/graphic_codes.h"
#include "core/graphic/grey_bitmap.h"
#include "core/graphic/picture_save.h"
#include "core/graphic/picture_size.h"
#include "core/shell/texts.h"
#include "core/shell/units.h"
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

  LoadedPicture picture;
  if (const int code = LoadPicture(options.input, &picture, true); code != kGraphicOk)
    return Fail(code, language, options.input);
  SetSource(size, std::uint32_t(picture.bitmap.width), std::uint32_t(picture.bitmap.height),
            picture.bits_per_pixel);

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
  // A size out of bounds is the options' fault, not the output file's.
  if (const PixelSize pixels = SavePixelSize(size);
      !PictureSizeAcceptable(pixels.width, pixels.height))
    return Fail(kGraphicBadSize, language,
                SizeOptionsText(options) + ": " + std::to_string(pixels.width) + " x " +
                    std::to_string(pixels.height));

  PixelSize written;
  const FileEncoder encoder;
  if (const int code = SavePicture(&picture.bitmap, size, options.output, &written, &encoder,
                                   picture.threshold_map ? &*picture.threshold_map : nullptr);
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
