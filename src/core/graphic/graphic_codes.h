#pragma once
// Result codes of picture conversion. Append only: never renumber or reuse a
// code, scripts read them.

#include <span>
#include <string_view>

#include "core/shell/named_code.h"
#include "core/shell/operator.h"
#include "core/shell/texts.h"

namespace vidodez {

inline constexpr int kGraphicOk = 0;
// Save asked for while no picture is loaded (none chosen, or the last load failed).
inline constexpr int kGraphicNoPicture = -5001;
inline constexpr int kGraphicNoExtension = -5002;
// The extension has no format code: nothing is loaded or saved.
inline constexpr int kGraphicUnknownFormat = -5003;
// The format has a code but nothing here writes it.
inline constexpr int kGraphicNoWriter = -5004;
// A target size that truncates to no pixels, is negative or is too large.
inline constexpr int kGraphicBadSize = -5005;
inline constexpr int kGraphicFileOpenFailed = -5006;
inline constexpr int kGraphicFileReadFailed = -5007;
inline constexpr int kGraphicFileWriteFailed = -5008;
// The file is not a picture of its format, or is damaged or cut short.
inline constexpr int kGraphicBadPicture = -5009;
// A picture with more pixels than the program accepts (kMaxPicturePixels,
// kMaxPictureSide); its text names the bound.
inline constexpr int kGraphicPictureTooLarge = -5010;
inline constexpr int kGraphicBadOption = -5011;
// A size or percentage that is not a number.
inline constexpr int kGraphicBadNumber = -5012;
// The picture dialog: the operator cancelled the file dialog (nothing read
// or written), or declined to replace a file (nothing written).
inline constexpr int kGraphicCancelled = -5013;
inline constexpr int kGraphicReplaceDeclined = -5014;
// A size the program accepts but the picture library's policy does not
// (ImageMagick's width, height or area limit): nothing read or written.
inline constexpr int kGraphicBeyondLibraryLimits = -5015;

// The constant's name without its "k", for logs, --json and test failures.
const char* GraphicCodeName(int code);
// Every named code, for checks that walk the list.
std::span<const NamedCode> GraphicCodeTable();
// What the operator reads for a code, in both languages.
const Text& GraphicCodeText(int code);
// The same as a message of the table kGraphicTable, index = code.
OperatorMessage GraphicMessage(int code, std::string_view language);

inline constexpr char kGraphicTable[] = "graphic";

}  // namespace vidodez
