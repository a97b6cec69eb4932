#pragma once
// Result codes of the font download: checks of the page's choices, the font
// file and the command files. Append only: never renumber or reuse a code,
// scripts read them.

#include <span>
#include <string_view>

#include "core/shell/named_code.h"
#include "core/shell/operator.h"
#include "core/shell/texts.h"

namespace vidodez {

inline constexpr int kFontOk = 0;
// No font file chosen.
inline constexpr int kFontNoFont = -8501;
// More than 8 bytes in GBK.
inline constexpr int kFontNameTooLong = -8502;
inline constexpr int kFontNoId = -8503;
inline constexpr int kFontIdNotLetter = -8504;  // VRLE takes "A" to "Z"
inline constexpr int kFontIdNotDigit = -8505;   // VRLZ takes "0" to "9"
// Missing, unreadable, or not a regular file.
inline constexpr int kFontFileOpenFailed = -8506;
inline constexpr int kFontFileReadFailed = -8507;
inline constexpr int kFontFileTooLarge = -8508;
// Empty, or holding "/" or a control character: it would break the command
// line or the command file's name.
inline constexpr int kFontNameInvalid = -8509;
// A command file could not be created, written or put in place; an earlier
// file of that name is left as it was.
inline constexpr int kFontCommandFileFailed = -8510;
inline constexpr int kFontNoDesktop = -8511;
inline constexpr int kFontOutOfMemory = -8512;
// The operator answered Cancel to the download's or the file's question.
inline constexpr int kFontCancelled = -8513;
// Bytes that are no UTF-8, or characters GBK does not have: the name has no
// form the printer can take.
inline constexpr int kFontNameNotGbk = -8514;

// The constant's name without its "k"; "Unknown" for any other value.
const char* FontCodeName(int code);
// Every named code, for checks that walk the list.
std::span<const NamedCode> FontCodeTable();
// What the operator reads for a code, in both languages.
const Text& FontCodeText(int code);

inline constexpr char kFontTable[] = "font";
// The code's text as a message of the page, its index the code.
OperatorMessage FontMessage(int code, std::string_view language);

}  // namespace vidodez
