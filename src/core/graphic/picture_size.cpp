#include "core/graphic/picture_size.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vidodez {
namespace {

constexpr std::array<float, 3> kDpi{203.0f, 300.0f, 600.0f};
// Typed values beyond this are no size anyone means; capping keeps the
// arithmetic finite and the texts short.
constexpr float kMaxTypedValue = 1.0e9f;

// printf's "%.Nf" without its dependence on the process locale.
std::string Fixed(float value, int precision) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

float ParseNumber(std::string_view text) {
  if (text.empty()) return 0.0f;
  float value = 0.0f;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range)
    return text.front() == '-' ? -kMaxTypedValue : kMaxTypedValue;
  if (result.ec != std::errc()) return 0.0f;
  return std::fmax(-kMaxTypedValue, std::fmin(kMaxTypedValue, value));
}

float Whole(float value) {
  const std::string text = Fixed(value, 0);
  return ParseNumber(text);
}

float Percent(float target, std::uint32_t source) {
  return source == 0 ? 0.0f : target * 100.0f / static_cast<float>(source);
}

float Scaled(std::uint32_t source, float numerator, float denominator) {
  return denominator == 0.0f ? 0.0f : static_cast<float>(source) * numerator / denominator;
}

}  // namespace

float ResolutionDpi(int resolution) {
  return resolution >= 0 && resolution < int(kDpi.size()) ? kDpi[std::size_t(resolution)] : kDpi[0];
}

std::optional<int> ResolutionIndex(int dpi) {
  for (std::size_t i = 0; i < kDpi.size(); ++i)
    if (kDpi[i] == static_cast<float>(dpi)) return static_cast<int>(i);
  return std::nullopt;
}

int RotationQuarterTurns(int rotation) { return rotation >= 0 && rotation < 4 ? rotation : 0; }

std::string FormatInUnit(float pixels, int unit, int resolution) {
  const float dpi = ResolutionDpi(resolution);
  switch (unit) {
    case kUnitInches:
      return Fixed(pixels / dpi, 3);
    case kUnitCentimetres:
      return Fixed(pixels * kCentimetresPerInch / dpi, 2);
    case kUnitMillimetres:
      return Fixed(pixels * kMillimetresPerInch / dpi, 1);
    default:
      return Fixed(pixels, 0);
  }
}

float PixelsFromUnit(float value, int unit, int resolution) {
  const float dpi = ResolutionDpi(resolution);
  switch (unit) {
    case kUnitInches:
      return Whole(value * dpi);
    case kUnitCentimetres:
      return Whole(value * dpi / kCentimetresPerInch);
    case kUnitMillimetres:
      return Whole(value * dpi / kMillimetresPerInch);
    default:
      return Whole(value);
  }
}

SizeTexts SizeBoxTexts(const PictureSize& size) {
  return {FormatInUnit(size.target_width, size.unit, size.resolution),
          FormatInUnit(size.target_height, size.unit, size.resolution),
          Fixed(size.width_percent, 0), Fixed(size.height_percent, 0)};
}

void SetSource(PictureSize& size, std::uint32_t width, std::uint32_t height, std::uint32_t bpp) {
  size.source_width = width;
  size.source_height = height;
  size.source_bpp = bpp;
  size.target_width = static_cast<float>(width);
  size.target_height = static_cast<float>(height);
  size.width_percent = 100.0f;
  size.height_percent = 100.0f;
}

void ApplyScaleMode(PictureSize& size, int mode) {
  size.scale_mode = mode;
  if (mode == kScaleOrigin) {
    size.target_width = static_cast<float>(size.source_width);
    size.target_height = static_cast<float>(size.source_height);
    size.width_percent = 100.0f;
    size.height_percent = 100.0f;
  } else {
    size.keep_scale = true;
  }
}

bool IsSizeNumber(std::string_view text) {
  if (text.empty()) return true;
  if (text.front() == '-') text.remove_prefix(1);
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  bool point = false;
  for (const char c : text) {
    if (c == '.') {
      if (point) return false;
      point = true;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

SizeEdit ApplySizeEdit(PictureSize& size, SizeBox box, std::string_view text) {
  SizeEdit edit;
  if (!IsSizeNumber(text)) {
    edit.refused = true;
    text = "0";
  }
  const float value = ParseNumber(text);
  const std::string typed(text);
  const bool by_width = box == SizeBox::kWidth || box == SizeBox::kWidthPercent;
  // The edited side, the other side, and the boxes that show them.
  float& target = by_width ? size.target_width : size.target_height;
  float& other_target = by_width ? size.target_height : size.target_width;
  float& percent = by_width ? size.width_percent : size.height_percent;
  float& other_percent = by_width ? size.height_percent : size.width_percent;
  const std::uint32_t source = by_width ? size.source_width : size.source_height;
  const std::uint32_t other_source = by_width ? size.source_height : size.source_width;
  std::optional<std::string>& target_box = by_width ? edit.width : edit.height;
  std::optional<std::string>& other_box = by_width ? edit.height : edit.width;
  std::optional<std::string>& percent_box = by_width ? edit.width_percent : edit.height_percent;
  std::optional<std::string>& other_percent_box =
      by_width ? edit.height_percent : edit.width_percent;
  auto in_unit = [&](float pixels) { return FormatInUnit(pixels, size.unit, size.resolution); };

  if (box == SizeBox::kWidth || box == SizeBox::kHeight) {
    target = PixelsFromUnit(value, size.unit, size.resolution);
    percent = Percent(target, source);
    percent_box = Fixed(percent, 0);
    if (size.keep_scale) {
      other_target = Scaled(other_source, target, static_cast<float>(source));
      other_percent = Percent(other_target, other_source);
      other_box = in_unit(other_target);
      other_percent_box = Fixed(other_percent, 0);
    }
  } else {
    percent = value;
    target = Scaled(source, value, 100.0f);
    target_box = in_unit(target);
    if (size.keep_scale) {
      other_percent = value;
      other_target = Scaled(other_source, value, 100.0f);
      other_box = in_unit(other_target);
      other_percent_box = typed;
    }
  }
  if (edit.refused) {
    std::optional<std::string>& own = box == SizeBox::kWidth    ? edit.width
                                      : box == SizeBox::kHeight ? edit.height
                                                                : percent_box;
    own.emplace(1, '0');
  }
  return edit;
}

PixelSize SavePixelSize(const PictureSize& size) {
  auto whole = [](float value) {
    if (!(std::fabs(value) < 1.0e9f)) return -1;
    return static_cast<int>(std::trunc(value));
  };
  return {whole(size.target_width), whole(size.target_height)};
}

}  // namespace vidodez
