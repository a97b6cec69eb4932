#pragma once
// The font page's messages that are not a code's: its two questions, the
// link's failures as the page words them, and the Browse dialog's filter.

#include <string>

#include "core/shell/operator.h"
#include "core/shell/texts.h"

namespace vidodez {

enum class FontText {
  kConfirmDownload,
  kConfirmPrintToFile,
  kOpenFailed,
  kCommandFailed,
  kSendFailed,
  // After the path of a file the program did not write.
  kConfirmReplaceFile,
  kCount
};

inline constexpr char kFontTextTable[] = "font.page";

OperatorMessage FontPageMessage(FontText text, const std::string& language);

// The Browse dialog offers TrueType files. The dialog shows the pattern
// after the name, so the name does not name it again.
inline constexpr Text kFontFilterName{"Supported font files", "支持字体文件"};
inline constexpr char kFontFilterPattern[] = "*.ttf *.TTF";

}  // namespace vidodez
