#pragma once
// What the bytes of a label's text mean, and the fonts a printer has before
// any download: monospaced cells of fixed sizes, drawn with one face.

#include <optional>
#include <string>
#include <string_view>

#include "core/font/font_job.h"

namespace vidodez::sim {

// The code page (text_converter.h's numbers) of VRLE's "I8" field, from
// the program's code-page list ("DOS 437" 437, "Windows 1252" 1252, "GBK"
// 936); the empty field is the printer's own, DOS 437. 0 for a field not in
// the list.
int CodePageOfField(std::string_view field);
// VRLZ's "^CI": 0 (the printer's own, DOS 850), 27 (Windows 1252) and 28
// (UTF-8); 0 for any other.
int CodePageOfVrlzCharset(int number);
// The characters of `bytes` in `code_page`; a byte that begins no character
// becomes U+FFFD and the rest is read on.
std::u32string DecodeLabelText(std::string_view bytes, int code_page);

struct ResidentCell {
  int width = 0;
  int height = 0;
};

// A resident font's cell at `dpi` (the 203-dpi sizes scaled): VRLE "1" to
// "5" (8x12, 10x16, 12x20, 14x24, 32x48 dots), VRLZ "A" to "H" and "0"
// (5x9, 7x11, 10x18, 10x18, 15x28, 13x26, 40x60, 13x21, 12x15). Nothing
// for an ID that names no resident font.
std::optional<ResidentCell> ResidentFontCell(FontCommandType language, char id, int dpi);

// The face every resident font is drawn with: Debian's fonts-dejavu-core.
inline constexpr char kResidentFacePath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

}  // namespace vidodez::sim
