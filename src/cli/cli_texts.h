#pragma once
// Messages of the command line in both languages, one index per message.

#include <string>
#include <string_view>

namespace vidodez::cli {

enum class CliText {
  kNoPrinter,
  kNoSuchPrinter,
  kNoStatus,
  kOpenFailed,
  kCannotOpenFile,
  kCannotReadFile,
  kQueryFailed,
  kOutputNotWritten,
  kNotConfirmed,
  kNotUsb,
  kPrinterAmbiguous,
  kEmptyValue,
  kFinishingTransfer,
  kTransferStopped,
  kCodePageVrleOnly,
  kChoiceWithoutValue,
  kCount
};

std::string Say(CliText text, std::string_view language);

}  // namespace vidodez::cli
