#pragma once
// The titles of the file dialogs, for every page and window alike: they
// follow the program's language as every other text does.

#include "core/shell/texts.h"

namespace vidodez {

inline constexpr Text kOpenFileTitle{"Open File", "打开文件"};
inline constexpr Text kSaveFileTitle{"Save As", "另存文件"};

}  // namespace vidodez
