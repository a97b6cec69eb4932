#pragma once
// What one font download is made of, and the rules for each part: the font
// ID of each command language, the name the printer stores the font under,
// the storage place and the size taken when the file was chosen.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vidodez {

// VRLE: the EPL-like language ("DT" downloads); VRLZ: the ZPL-like one ("~DT").
enum class FontCommandType { VRLE = 0, VRLZ = 1 };
enum class FontStorage { SDRAM = 0, FLASH = 1 };

struct FontDownloadJob {
  std::string font_path;
  // Taken when the file was chosen and never read again: bytes beyond it are
  // not sent, missing ones are sent as "00".
  std::uint32_t font_size = 0;
  std::string font_name;  // UTF-8, as in the file name
  char font_id = '\0';    // only the test program uses it
  FontCommandType command_type = FontCommandType::VRLE;
  FontStorage storage = FontStorage::FLASH;
};

// The printer stores a name of at most 8 bytes, counted in GBK.
inline constexpr std::size_t kMaxFontNameBytes = 8;
// Far beyond any font; keeps a mistaken choice from reserving gigabytes.
inline constexpr std::uint32_t kMaxFontFileBytes = 256u * 1024 * 1024;

// The ID list of a command type, "A" to "Z" or "0" to "9". The page keeps
// the chosen index across a change of type ("C" becomes "2"); an index past
// the list is no ID ('\0').
int FontIdCount(FontCommandType type);
char FontIdAtIndex(FontCommandType type, int index);

// kFontOk, kFontNoId for '\0', or the type's out-of-range code.
[[nodiscard]] int CheckFontId(FontCommandType type, char font_id);

// The name as the printer gets it, in GBK. kFontNameInvalid for an empty name
// or one holding "/", ",", a quote, "^", "~" or a control character; kFontNameNotGbk for a
// name with no GBK form (bytes that are no UTF-8 included), kFontNameTooLong for more than 8 GBK
// bytes. `gbk` is empty on failure.
[[nodiscard]] int FontNameForPrinter(const std::string& utf8_name, std::string* gbk);

// The first bytes of a TrueType or OpenType font, or of a collection of
// them: 00 01 00 00, "true", "OTTO" or "ttcf".
inline constexpr std::size_t kSfntSignatureBytes = 4;
bool HasSfntSignature(std::string_view head);

// The file's name with its extension ("Arial.ttf").
std::string FontFileTitle(const std::string& path);
// The name a font file gives its font: its name cut before the last ".".
std::string FontNameFromPath(const std::string& path);

// VRLE's storage code '0'/'1', VRLZ's device letter 'R'/'E'.
char StorageCode(FontCommandType type, FontStorage storage);

// Opens a regular file for reading, never waiting on a FIFO; the caller
// closes `fd`; `size` may be null. kFontOk or kFontFileOpenFailed (`fd` is
// then -1).
[[nodiscard]] int OpenFontFile(const std::string& path, int* fd, std::uint64_t* size);
void CloseFontFile(int fd);

// The size of a regular file that can be opened for reading, at most
// kMaxFontFileBytes. `size` is 0 on failure.
[[nodiscard]] int TakeFontFileSize(const std::string& path, std::uint32_t* size);

}  // namespace vidodez
