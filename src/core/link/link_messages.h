#pragma once
// The link's failures as the operator reads them, for every page.

#include <string>

#include "core/link/printer_comm.h"
#include "core/shell/operator.h"

namespace vidodez {

inline constexpr const char kQueryResultTable[] = "link.query";

// The message of a query result -1 to -4 (index = -result - 1), with the
// cause the platform layer saw after it when that has words.
OperatorMessage QueryResultOperatorMessage(int result, const CPrinterComm& comm);

// `message` with the cause of the link's last failure appended, if any.
OperatorMessage WithCause(OperatorMessage message, const CPrinterComm& comm);

}  // namespace vidodez
