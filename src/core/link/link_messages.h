#pragma once
// The link's failures as the operator reads them, for every page.

#include <string>

#include "core/link/printer_comm.h"
#include "core/shell/operator.h"

namespace vidodez {

inline constexpr const char kQueryResultTable[] = "link.query";

// The message of a query result (index: QueryResultIndex), with the
// cause the platform layer saw after it when that has words.
OperatorMessage QueryResultOperatorMessage(int result, const CPrinterComm& comm);

// `message` with the cause of the link's last failure appended, if any.
OperatorMessage WithCause(OperatorMessage message, const CPrinterComm& comm);

class PrinterLink;
// Opens `link`. When it does not open, the operator is told `open_failed`,
// with the cause when there is one, unless the printer is not a USB
// printer: pages send only to those and never report the others. The
// open's code.
[[nodiscard]] int OpenTellingWhy(PrinterLink& link, const CPrinterComm& comm, Operator& op,
                                 OperatorMessage open_failed);

}  // namespace vidodez
