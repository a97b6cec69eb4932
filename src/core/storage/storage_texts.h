#pragma once
// The storage page's messages, English and Chinese, one index per message.

#include <string>

#include "core/shell/operator.h"

namespace vidodez {

enum class StorageText {
  kNoCommand,
  kOpenFailed,
  kCommandFailed,
  kSelectFile,
  kSendFailed,
  kNoForm,
  kNoFont,
  kNoGraphic,
  kSelectFormToDelete,
  kSelectFontToDelete,
  kSelectGraphicToDelete,
  kConfirmDeleteForm,
  kConfirmDeleteFont,
  kConfirmDeleteGraphic,
  kConfirmDeleteAllForms,
  kConfirmDeleteAllFonts,
  kConfirmDeleteAllGraphics,
  kSelectFormToPrint,
  kSelectGraphicToPrint,
  kNoFile,
  kPcxOnly,
  kIdEmpty,
  kIdHasAsterisk,
  kConfirmDownload,
  kIdTooLong,
  kCommandSetUnknown,
  kNameUnusable,
  kPictureTooLarge,
  kTextNotGbk,
  kNotAList,
  kCommandTooLong,
  kCount
};

inline constexpr const char kStorageTable[] = "storage";

OperatorMessage StorageMessage(StorageText text, const std::string& language);

}  // namespace vidodez
