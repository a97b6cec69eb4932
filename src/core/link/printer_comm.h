#pragma once
// CPrinterComm: the one link object. Pages open the selected printer, send
// command lines or files and close it, or ask with one command and read the
// printer's reply.

#include <string>

#include "core/link/printer_port.h"
#include "core/link/reply_reader.h"

namespace vidodez {

class CPrinterComm {
 public:
  explicit CPrinterComm(platform::UsbPrintingClass& usb,
                        platform::Syscalls sys = platform::DefaultSyscalls(),
                        PortDevicePaths paths = {});

  // Kind 0 opens; kind 1 opens and applies the baud rate without handshake;
  // any other kind opens nothing (kPortOpenFailed).
  [[nodiscard]] int OpenLink(int kind, int port_number, int baud_rate);
  int CloseLink();
  [[nodiscard]] bool SendCommand(const std::string& text);
  [[nodiscard]] int SendFile(const std::string& path);
  [[nodiscard]] int SendGraphic(const std::string& name, const std::string& path);

  // Sends one command and reads the reply through the same open device: 0,
  // kQueryWriteFailed, kQueryNoReply, kQueryEmptyReply or the code of the
  // open.
  [[nodiscard]] int QueryPrinter(int port_number, const std::string& command);
  std::string GetReply() const { return reply_; }

  // Status index 0-41 of the printer a display name names, or
  // kStatusNoPrinter / kStatusRequestFailed.
  int GetPrinterStatus(const std::string& display_name);
  // Why the last status request failed. Kept apart from last_error(): a
  // status request may run beside a send on another thread.
  const IoCause& status_cause() const { return status_cause_; }

  const std::string& GetLanguage() const { return language_; }
  void set_language(std::string language) { language_ = std::move(language); }
  int GetUnit() const { return unit_; }
  void SetUnit(int unit) { unit_ = unit; }
  const std::string& sys_ini_path() const { return sys_ini_path_; }
  void set_sys_ini_path(std::string path) { sys_ini_path_ = std::move(path); }

  // The errno behind the last failed operation, and the device it concerned,
  // so messages can name the cause.
  int last_error() const { return last_error_; }
  const std::string& last_device() const { return last_device_; }

  CPrinterPort& port() { return port_; }

 private:
  void NoteFailure(int error, const std::string& device);

  CPrinterPort port_;
  usbRePort reader_;
  std::string reply_;
  int unit_ = 0;
  std::string sys_ini_path_;
  std::string language_;
  int last_error_ = 0;
  std::string last_device_;
  IoCause status_cause_;
};

}  // namespace vidodez
