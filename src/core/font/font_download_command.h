#pragma once
// The font download command: the TrueType file, unchanged, as hexadecimal
// text inside the "DT" (VRLE) or "~DT" (VRLZ) command.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/font/font_job.h"

namespace vidodez {

// Takes a command's text piece by piece, in order: 0 to go on, else a code
// that ends the command there.
using CommandSink = std::function<int(std::string_view piece)>;

// The header line, e.g. "DT0,ARIAL,3," or "~DTE:ARIAL,3,", then the font's
// bytes as upper-case hex, 32 bytes to a line, CR LF after every 32nd byte
// and once more after the last, so a file of a multiple of 32 bytes ends in
// two line ends in a row. The name goes out in GBK. Exactly job.font_size
// bytes are sent: bytes beyond it are left out, and bytes the file no longer
// has are sent as "00". The font ID is not part of the command.
// The command is never held whole: the font is read in blocks and `write`
// gets the header, then each block's lines (pieces of whole lines, at most
// about half a megabyte).
// Codes: kFontNoFont, the codes of FontNameForPrinter, kFontFileTooLarge,
// kFontFileOpenFailed (nothing written yet), kFontFileReadFailed,
// kFontOutOfMemory, or the first code `write` returned.
[[nodiscard]] int BuildFontDownloadCommand(const FontDownloadJob& job, const CommandSink& write);

// Hex lines carry this many bytes; a shorter line is the last.
inline constexpr std::size_t kFontBytesPerLine = 32;

// A download's header line as the printer reads it.
struct FontDownloadHeader {
  FontCommandType command_type = FontCommandType::VRLE;
  FontStorage storage = FontStorage::FLASH;
  std::string name;  // the bytes sent (GBK)
  std::uint32_t size = 0;
};

// The inverse of the header line, for the printer's side: "DT0,ARIAL,3," or
// "~DTE:ARIAL,3," without its line end; the size is the last field, so a
// name may hold commas. False, `header` untouched, for any other line, an
// empty name or a size over kMaxFontFileBytes.
[[nodiscard]] bool ParseFontDownloadHeader(std::string_view line, FontDownloadHeader* header);

}  // namespace vidodez
