#pragma once
// The font download command: the TrueType file, unchanged, as hexadecimal
// text inside the "DT" (VRLE) or "~DT" (VRLZ) command.

#include <string>

#include "core/font/font_job.h"

namespace vidodez {

// The header line, e.g. "DT0,ARIAL,3," or "~DTE:ARIAL,3,", then the font's
// bytes as upper-case hex, 32 bytes to a line, CR LF after every 32nd byte
// and once more after the last, so a file of a multiple of 32 bytes ends in
// two line ends in a row. The name goes out in GBK. Exactly job.font_size
// bytes are sent: bytes beyond it are left out, and bytes the file no longer
// has are sent as "00". The font ID is not part of the command.
// Codes: kFontNoFont, the codes of FontNameForPrinter, kFontFileTooLarge,
// kFontFileOpenFailed, kFontFileReadFailed, kFontOutOfMemory; `command` is
// empty on failure.
[[nodiscard]] int BuildFontDownloadCommand(const FontDownloadJob& job, std::string* command);

}  // namespace vidodez
