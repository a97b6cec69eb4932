#pragma once
// One picture file to a black-and-white file with the dialog's rules, for the
// command line: `graphic convert IN OUT [--unit ...] [--dpi ...] [--width W]
// [--height H] [--scale PERCENT] [--no-keep-scale] [--rotate ...]`.

#include <optional>
#include <string>
#include <string_view>

namespace vidodez::imaging {

struct ConvertOptions {
  std::string input;
  std::string output;        // its extension picks the format, as in the dialog
  std::string unit = "dot";  // a picture unit's word: "dot", "inch", "cm" or "mm"
  int dpi = 203;             // 203, 300 or 600
  // Texts as typed, checked like the dialog's boxes.
  std::optional<std::string> width;   // in `unit`
  std::optional<std::string> height;  // in `unit`
  std::optional<std::string> scale;   // percent of the source size
  bool keep_scale = true;             // false: --no-keep-scale
  int rotate = 0;                     // degrees to the right: 0, 90, 180 or 270
};

struct ConvertResult {
  int code = 0;         // kGraphic... of core/graphic/graphic_codes.h
  std::string message;  // for the operator, in the chosen language
  int width = 0;        // pixels written, on success
  int height = 0;
};

// Without width, height or scale the source size is kept ("Origin"); with
// scale both sides follow it ("Scaling", only the width with keep-scale
// off); with width or height that side is set and the other follows it
// unless keep-scale is off ("Manual"); with both, both are used as given.
// Scale together with width or height is refused as kGraphicBadOption.
[[nodiscard]] ConvertResult ConvertPictureFile(const ConvertOptions& options,
                                               std::string_view language);

}  // namespace vidodez::imaging
