#include "core/link/link_messages.h"

#include "core/link/io_error_texts.h"
#include "core/link/port_codes.h"
#include "core/link/printer_link.h"
#include "core/link/status_tables.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

// Why another page cannot open the printer while a transfer holds it.
constexpr Text kBusyWithTransfer{
    "The printer is busy with a transfer from this program (a firmware upload, a file or a "
    "font). Try again when it has ended.",
    "打印机正在接收本程序的传输（固件升级、文件或字体），请在传输结束后再试。"};

}  // namespace

OperatorMessage WithCause(OperatorMessage message, const CPrinterComm& comm) {
  std::string cause =
      comm.refused_for_transfer()
          ? std::string(Pick(kBusyWithTransfer, comm.GetLanguage()))
          : IoErrorMessage(comm.last_error(), comm.last_device(), comm.GetLanguage());
  if (!cause.empty()) message.text += "\n" + cause;
  return message;
}

OperatorMessage QueryResultOperatorMessage(int result, const CPrinterComm& comm) {
  const char* text = QueryResultMessage(result, comm.GetLanguage());
  return WithCause({kQueryResultTable, QueryResultIndex(result), text != nullptr ? text : ""},
                   comm);
}

int OpenTellingWhy(PrinterLink& link, const CPrinterComm& comm, Operator& op,
                   OperatorMessage open_failed) {
  const int rc = link.Open();
  // No printer chosen: there is no cause to name.
  if (rc == kNoUsablePrinter) {
    op.Tell(open_failed);
  } else if (rc != kPortOk && rc != kPrinterNotUsb) {
    op.Tell(WithCause(std::move(open_failed), comm));
  }
  return rc;
}

}  // namespace vidodez
