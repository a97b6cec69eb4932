#include "core/link/printer_comm.h"

#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/link/status_tables.h"

namespace vidodez {

CPrinterComm::CPrinterComm(platform::UsbPrintingClass& usb, PortDevicePaths paths)
    : port_(usb, std::move(paths)), languages_(1), language_(&languages_.front()) {}

void CPrinterComm::set_language(std::string language) {
  // Only the interface thread sets it; a code met before is taken again,
  // so switching back and forth keeps the list at the codes there are.
  for (const std::string& known : languages_) {
    if (known == language) {
      language_.store(&known, std::memory_order_release);
      return;
    }
  }
  languages_.push_back(std::move(language));
  language_.store(&languages_.back(), std::memory_order_release);
}

void CPrinterComm::NoteFailure(int error, const std::string& device, bool refused_for_transfer) {
  std::lock_guard lock(mutex_);
  last_error_ = error;
  last_device_ = device;
  refused_for_transfer_ = refused_for_transfer;
}

void CPrinterComm::NoteOpen(int rc) {
  // Held by our own transfer: the port's error is that transfer's, not
  // this open's.
  if (rc == kPortAlreadyOpen && transfer_running()) {
    NoteFailure(0, {}, true);
  } else {
    NoteFailure(port_.last_error(), port_.last_device());
  }
}

bool CPrinterComm::refused_for_transfer() const {
  std::lock_guard lock(mutex_);
  return refused_for_transfer_;
}

int CPrinterComm::last_error() const {
  std::lock_guard lock(mutex_);
  return last_error_;
}

std::string CPrinterComm::last_device() const {
  std::lock_guard lock(mutex_);
  return last_device_;
}

std::string CPrinterComm::GetReply() const {
  std::lock_guard lock(mutex_);
  return reply_;
}

int CPrinterComm::OpenLink(int kind, int port_number, int baud_rate) {
  if (kind != 0 && kind != 1) return kPortOpenFailed;
  int rc = port_.OpenPort(port_number);
  NoteOpen(rc);
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

int CPrinterComm::SendFile(const std::string& path, const SendProgress& progress) {
  int rc = port_.SendFileRaw(path, progress);
  if (rc != kPortOk) NoteFailure(port_.last_error(), port_.last_device());
  return rc;
}

int CPrinterComm::SendGraphic(const std::string& name, const std::string& path,
                              const SendProgress& progress) {
  int rc = port_.SendGraphicFile(name, path, progress);
  if (rc != kPortOk) NoteFailure(port_.last_error(), port_.last_device());
  return rc;
}

int CPrinterComm::Ask(const std::string& command, std::string* reply) {
  if (port_.WriteLine(command) != kPortOk) {
    NoteFailure(port_.last_error(), port_.last_device());
    return kQueryWriteFailed;
  }
  int timed_out = reader_.ReadReply(port_, reply);
  if (reply->empty()) NoteFailure(port_.last_error(), port_.last_device());
  if (timed_out == 1) return kQueryNoReply;
  return reply->empty() ? kQueryEmptyReply : kPortOk;
}

int CPrinterComm::QueryPrinter(int port_number, const std::string& command, bool confirm) {
  {
    std::lock_guard lock(mutex_);
    reply_.clear();
  }
  NoteFailure(0, {});
  if (int rc = port_.OpenPort(port_number); rc != kPortOk) {
    NoteOpen(rc);
    return rc;
  }
  // A reply that came after an earlier query gave up would otherwise be read
  // as the answer to this one.
  port_.DrainReplies();
  std::string reply;
  int rc = Ask(command, &reply);
  if (rc == kPortOk && confirm) {
    // The rest of a reply longer than one transfer is no second answer.
    port_.DrainReplies();
    std::string again;
    rc = Ask(command, &again);
    if (rc == kPortOk && again != reply) rc = kQueryRepliesDiffer;
  }
  {
    std::lock_guard lock(mutex_);
    reply_ = std::move(reply);
  }
  port_.ClosePort();
  return rc;
}

int CPrinterComm::GetPrinterStatus(const std::string& display_name) {
  status_cause_ = {};
  if (display_name.empty() || !IsUsbName(display_name)) return kStatusNoPrinter;
  int status = port_.QueryUsbStatus(PortNumberFromName(display_name), &status_cause_);
  if (status < 0) return status;
  return StatusIndexFromByte(static_cast<uint8_t>(status));
}

}  // namespace vidodez
