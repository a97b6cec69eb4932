#pragma once
// The program that prints a downloaded font: every character 0x20 to 0xFF,
// 16 to a row, in 14 rows.

#include <span>
#include <string>
#include <string_view>

#include "core/font/font_job.h"

namespace vidodez {

// VRLE's character sets: the name an operator picks and the field of the
// "I8" line.
struct CodePage {
  const char* name;
  const char* field;
};

// The 21 code pages, "DOS 437" (field "0") to "GBK" (field "G").
std::span<const CodePage> CodePages();
// nullptr for a name not in the list (the name is compared exactly).
const CodePage* FindCodePage(std::string_view name);

// Every line ends with CR LF. VRLE: "I8,<code page field>,001", "N", "H12",
// "CF<storage>,<id>,<name>", 14 lines A100,<y>,0,<id>,32,32,N,"<row>",
// "P1,1". VRLZ: "^XA", "~SD15", "^CW<id>,<device>:<name>.TTF", 14 lines
// ^FO100,<y>^A<id>N,32,32^FD<row>^FS, "^XZ". Rows hold their bytes raw,
// quotes, carets and tildes included; y runs 50 to 700. A code page that is
// not in the list leaves the field empty; VRLZ has none. The name goes out in
// GBK. Codes: those of CheckFontId and FontNameForPrinter, kFontOutOfMemory.
[[nodiscard]] int BuildFontTestProgram(FontCommandType type, char font_id,
                                       const std::string& font_name, FontStorage storage,
                                       std::string* program, std::string_view code_page = {});

}  // namespace vidodez
