#include "core/link/printer_comm.h"

#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/link/status_tables.h"

namespace vidodez {

CPrinterComm::CPrinterComm(platform::UsbPrintingClass& usb, platform::Syscalls sys,
                           PortDevicePaths paths)
    : port_(usb, sys, std::move(paths)) {}

void CPrinterComm::NoteFailure(int error, const std::string& device) {
  last_error_ = error;
  last_device_ = device;
}

int CPrinterComm::OpenLink(int kind, int port_number, int baud_rate) {
  if (kind != 0 && kind != 1) return kPortOpenFailed;
  int rc = port_.OpenPort(port_number);
  NoteFailure(port_.last_error(), port_.last_device());
  if (rc != kPortOk || kind == 0) return rc;
  return port_.SetBaudRate(baud_rate, false);
}

int CPrinterComm::CloseLink() {
  port_.ClosePort();
  return kPortOk;
}

bool CPrinterComm::SendCommand(const std::string& text) {
  bool sent = port_.WriteLine(text) == kPortOk;
  if (!sent) NoteFailure(port_.last_error(), port_.last_device());
  return sent;
}

int CPrinterComm::SendFile(const std::string& path) {
  int rc = port_.SendFileRaw(path);
  if (rc != kPortOk) NoteFailure(port_.last_error(), port_.last_device());
  return rc;
}

int CPrinterComm::SendGraphic(const std::string& name, const std::string& path) {
  int rc = port_.SendGraphicFile(name, path);
  if (rc != kPortOk) NoteFailure(port_.last_error(), port_.last_device());
  return rc;
}

int CPrinterComm::QueryPrinter(int port_number, const std::string& command) {
  reply_.clear();
  NoteFailure(0, {});
  if (int rc = port_.OpenPort(port_number); rc != kPortOk) {
    NoteFailure(port_.last_error(), port_.last_device());
    return rc;
  }
  // A reply that came after an earlier query gave up would otherwise be read
  // as the answer to this one.
  port_.DrainReplies();
  if (port_.WriteLine(command) != kPortOk) {
    NoteFailure(port_.last_error(), port_.last_device());
    port_.ClosePort();
    return kQueryWriteFailed;
  }
  int timed_out = reader_.ReadReply(port_, &reply_);
  if (reply_.empty()) NoteFailure(port_.last_error(), port_.last_device());
  port_.ClosePort();
  if (timed_out == 1) return kQueryNoReply;
  return reply_.empty() ? kQueryEmptyReply : kPortOk;
}

int CPrinterComm::GetPrinterStatus(const std::string& display_name) {
  status_cause_ = {};
  if (display_name.empty() || !IsUsbName(display_name)) return kStatusNoPrinter;
  int status = port_.QueryUsbStatus(PortNumberFromName(display_name), &status_cause_);
  if (status < 0) return status;
  return StatusIndexFromByte(static_cast<uint8_t>(status));
}

}  // namespace vidodez
