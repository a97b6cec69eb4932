#pragma once
// The settings page's messages, English and Chinese, one index per message.

#include <string_view>

#include "core/shell/operator.h"

namespace vidodez {

enum class SettingsText {
  kOpenPortFailed,
  kSendFailed,
  kNotReady,
  kIniLoadFailed,
  kConfirmClearBuffer,
  kRebootToTakeEffect,
  kReplyHoldsNoSettings,
  kInvalidDigits,
  kInvalidSigned,
  kUpperReflectiveUnsupported,
  kModelListMissing,
  kConfirmPrintNext,
  kConfirmNoFeed,
  kPageCutDisablesPeel,
  kPagePeelDisablesCut,
  kPageTearOffDisablesCut,
  kPageTearOffDisablesPeel,
  kPrinterPeelBlocksCut,
  kPrinterCutBlocksPeel,
  kPrinterTearOffDisablesCut,
  kPrinterTearOffDisablesPeel,
  kSaveDialogTitle,
  kSaveDialogFilter,
  kOpenDialogTitle,
  kOpenDialogFilter,
  kCount
};

inline constexpr const char kSettingsTable[] = "settings";

OperatorMessage SettingsMessage(SettingsText text, std::string_view language);

}  // namespace vidodez
