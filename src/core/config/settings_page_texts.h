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
  kSaveDialogFilter,
  kOpenDialogFilter,
  // Messages about one field or entry; %1 and %2 stand for what they name.
  kValueOutOfRange,
  kValueNotAllowed,
  kUnknownField,
  kFieldNotSettable,
  kFieldNotCarried,
  kIniValueInvalid,
  kReplyFieldUnfit,
  kConfirmFactoryReset,
  kUnitMismatch,
  kLengthNotNumber,
  kCount
};

inline constexpr const char kSettingsTable[] = "settings";

OperatorMessage SettingsMessage(SettingsText text, std::string_view language);
// The message with "%1" and "%2" replaced by `first` and `second`, taken as
// plain text (never as a format).
OperatorMessage SettingsMessage(SettingsText text, std::string_view language,
                                std::string_view first, std::string_view second = {});

// What every page tells of a reply ParseSettingsReply refused with
// `parsed`: the field out of place for kSettingsReplyUnfit, else that the
// reply holds no settings.
OperatorMessage SettingsReplyRefusal(int parsed, std::string_view reply, std::string_view language);

}  // namespace vidodez
