#pragma once
// The size rules of picture conversion: units, resolutions, scale modes and
// what each size box does when its text changes. Pure functions over a plain
// state, so the dialog and the command line share one set of rules. All
// arithmetic is single precision; the units are those of core/shell/units.h.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/shell/units.h"

namespace vidodez {

inline constexpr int kScaleOrigin = 0;
inline constexpr int kScaleScaling = 1;
inline constexpr int kScaleManual = 2;

struct PictureSize {
  int unit = kUnitDots;  // a unit of core/shell/units.h
  int resolution = 0;    // index: 0 203 dpi, 1 300 dpi, 2 600 dpi
  int rotation = 0;      // index: 0, 90, 180, 270 degrees to the right
  int scale_mode = kScaleOrigin;
  std::uint32_t source_width = 60;
  std::uint32_t source_height = 60;
  std::uint32_t source_bpp = 1;
  float target_width = 60.0f;  // pixels
  float target_height = 60.0f;
  float width_percent = 100.0f;
  float height_percent = 100.0f;
  bool keep_scale = true;
};

// Dots per inch of a resolution index; an index outside the list reads 203.
float ResolutionDpi(int resolution);
// Index of 203, 300 or 600 dpi; nullopt for any other value.
std::optional<int> ResolutionIndex(int dpi);
// Quarter turns to the right of a rotation index (0..3).
int RotationQuarterTurns(int rotation);

// Pixels shown in a unit: dots "%.0f", inches "%.3f", centimetres "%.2f",
// millimetres "%.1f". Always with a "." whatever the process locale.
std::string FormatInUnit(float pixels, int unit, int resolution);
// A value typed in a unit as whole pixels (rounded as "%.0f" rounds).
float PixelsFromUnit(float value, int unit, int resolution);

struct SizeTexts {
  std::string width;
  std::string height;
  std::string width_percent;
  std::string height_percent;
};
// What the four size boxes show for the state.
SizeTexts SizeBoxTexts(const PictureSize& size);

// A freshly loaded picture: its size becomes the target, at 100 percent.
void SetSource(PictureSize& size, std::uint32_t width, std::uint32_t height, std::uint32_t bpp);
// "Origin" puts the target back to the source size at 100 percent; the other
// modes keep the target and turn keep-scale on.
void ApplyScaleMode(PictureSize& size, int mode);

// Empty, or an optional "-" and digits with at most one "." after the first
// digit: "-5" and "3." pass, "-", ".5" and "5a" do not.
bool IsSizeNumber(std::string_view text);

enum class SizeBox { kWidth, kHeight, kWidthPercent, kHeightPercent };

// The outcome of a text change in one box: the texts other boxes (and, when
// refused, the edited box) must show. Setting them runs no rule again.
struct SizeEdit {
  bool refused = false;  // not a number: the operator is told, the box reads "0"
  std::optional<std::string> width;
  std::optional<std::string> height;
  std::optional<std::string> width_percent;
  std::optional<std::string> height_percent;
};
// Applies the rule of `box` to `text`. A refused text counts as 0, which is
// what the box then shows.
SizeEdit ApplySizeEdit(PictureSize& size, SizeBox box, std::string_view text);

struct PixelSize {
  int width = 0;
  int height = 0;
};
// The whole pixels a save produces: the target size truncated. Values that do
// not fit an int come back as -1 (refused later like any other bad size).
PixelSize SavePixelSize(const PictureSize& size);

}  // namespace vidodez
