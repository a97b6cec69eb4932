#pragma once
// The firmware page's messages and row texts, English and Chinese, one index
// per text, and the upgrade's confirmation.

#include <string>
#include <string_view>

#include "core/firmware/firmware_files.h"
#include "core/shell/operator.h"

namespace vidodez {

enum class FirmwareText {
  kFileNotFound,
  kConfirmImage,        // the part number between quotes
  kConfirmCommandFile,  // the file's name, generic
  kUpgradeIndicator,
  kShortIndicator,
  kUpgradeButton,
  kOpenFailed,
  // The page's progress area after an upload: every byte handed to the
  // printer, or the send broken off (the link's cause follows).
  kUploadEnded,
  kUploadBroken,
  // Why a file is not sent (FirmwareUploadFile::Prepare's refusals).
  kNotAFile,
  kImageTooLarge,
  kImageTooShort,
  kStampFailed,
  kCannotRead,
  kCount
};

inline constexpr const char kFirmwareTable[] = "firmware";

// A whole text; the confirmations are built by UpgradeQuestion.
OperatorMessage FirmwareMessage(FirmwareText text, const std::string& language);
// Why FirmwareUploadFile::Prepare refused a file, for its code.
OperatorMessage UploadRefusal(int code, const std::string& language);
// The text of a row's tooltip ("" for kNone).
std::string FirmwareTooltipText(FirmwareTooltip tooltip, const std::string& language);

// The question an upgrade of `path` asks before anything is sent: for the
// extension ".bin" the image's part number, for any other file its name.
// kFirmwareFileNotFound when the file is gone (the page says "File not
// found!"), or the code of a failed read of the part number (nothing is
// asked then).
[[nodiscard]] int UpgradeQuestion(const std::string& path, const std::string& language,
                                  OperatorMessage* question,
                                  const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());

}  // namespace vidodez
