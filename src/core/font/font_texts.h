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

// The Browse dialog offers TrueType files, whatever the case of ".ttf".
inline constexpr Text kFontFilterName{"Supported font files(*.ttf,*TTF)",
                                      "支持字体文件(*.ttf,*TTF)"};
inline constexpr char kFontFilterPattern[] = "*.[tT][tT][fF]";

}  // namespace vidodez
