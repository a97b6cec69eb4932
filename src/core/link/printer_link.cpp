#include "core/link/printer_link.h"

#include "core/link/port_codes.h"
#include "core/link/port_names.h"

namespace vidodez {

bool IsQueryFailure(int rc) {
  switch (rc) {
    case kNoUsablePrinter:
    case kQueryWriteFailed:
    case kQueryNoReply:
    case kQueryEmptyReply:
    case kQueryRepliesDiffer:
      return true;
    default:
      return false;
  }
}

PrinterLink::PrinterLink(CPrinterComm& comm, std::string printer)
    : comm_(comm), printer_(std::move(printer)) {}

PrinterLink::~PrinterLink() { Close(); }

int PrinterLink::Open() {
  Close();
  if (printer_.empty()) return kNoUsablePrinter;
  if (!IsUsbName(printer_)) return kPrinterNotUsb;
  int rc = comm_.OpenLink(0, PortNumberFromName(printer_), kLinkBaudRate);
  if (rc != kPortOk || comm_.port().IsPortClosed()) {
    comm_.CloseLink();
    return rc != kPortOk ? rc : kPortOpenFailed;
  }
  open_ = true;
  return kPortOk;
}

int PrinterLink::SendLine(const std::string& text) {
  return comm_.SendCommand(text) ? kPortOk : kWriteLineFailed;
}

int PrinterLink::SendFile(const std::string& path, const SendProgress& progress) {
  return comm_.SendFile(path, progress);
}

int PrinterLink::SendGraphic(const std::string& name, const std::string& path,
                             const SendProgress& progress) {
  return comm_.SendGraphic(name, path, progress);
}

void PrinterLink::Close() {
  if (!open_) return;
  open_ = false;
  comm_.CloseLink();
}

int PrinterLink::Query(const std::string& command, bool confirm) {
  Close();
  if (printer_.empty() || !IsUsbName(printer_)) return kNoUsablePrinter;
  return comm_.QueryPrinter(PortNumberFromName(printer_), command, confirm);
}

}  // namespace vidodez
