#pragma once
// CPrinterComm: the one link object. Pages open the selected printer, send
// command lines or files and close it, or ask with one command and read the
// printer's reply.
//
// A long transfer runs on a worker while the interface thread goes on
// (refreshing, other pages trying the port and being refused): what both
// may touch here is guarded, and the language and unit may change under a
// worker that reads them.

#include <atomic>
#include <list>
#include <mutex>
#include <string>

#include "core/link/printer_port.h"
#include "core/link/reply_reader.h"

namespace vidodez {

class CPrinterComm {
 public:
  explicit CPrinterComm(platform::UsbPrintingClass& usb, PortDevicePaths paths = {});

  // Kind 0 opens; kind 1 opens and applies the baud rate without handshake;
  // any other kind opens nothing (kPortOpenFailed).
  [[nodiscard]] int OpenLink(int kind, int port_number, int baud_rate);
  int CloseLink();
  [[nodiscard]] bool SendCommand(const std::string& text);
  [[nodiscard]] int SendFile(const std::string& path, const SendProgress& progress = {});
  [[nodiscard]] int SendGraphic(const std::string& name, const std::string& path,
                                const SendProgress& progress = {});

  // Sends one command and reads the reply through the same open device: 0,
  // kQueryWriteFailed, kQueryNoReply, kQueryEmptyReply or the code of the
  // open.
  //
  // With `confirm`, the command is asked a second time through the same
  // open and both replies must be the same (kQueryRepliesDiffer otherwise):
  // a late reply to an earlier command looks like an answer to this one
  // when it arrives inside the reply window, and only the second answer
  // tells it apart. For replies that go back to the printer.
  [[nodiscard]] int QueryPrinter(int port_number, const std::string& command, bool confirm = false);
  std::string GetReply() const;

  // Status index 0-41 of the printer a display name names, or
  // kStatusNoPrinter / kStatusRequestFailed.
  int GetPrinterStatus(const std::string& display_name);
  // Why the last status request failed. Kept apart from last_error(): a
  // status request may run beside a send on another thread.
  const IoCause& status_cause() const { return status_cause_; }

  // A reference to the language stays valid after a change: a worker
  // that took it goes on in the language it started with.
  const std::string& GetLanguage() const { return *language_.load(std::memory_order_acquire); }
  void set_language(std::string language);
  int GetUnit() const { return unit_.load(std::memory_order_relaxed); }
  void SetUnit(int unit) { unit_.store(unit, std::memory_order_relaxed); }
  const std::string& sys_ini_path() const { return sys_ini_path_; }
  void set_sys_ini_path(std::string path) { sys_ini_path_ = std::move(path); }

  // The errno behind the last failed operation, and the device it concerned,
  // so messages can name the cause.
  int last_error() const;
  std::string last_device() const;
  // The last open was refused because a transfer of this program holds
  // the port (a firmware upload, a file or a font on another thread).
  bool refused_for_transfer() const;

  // How many fields the last settings reply of any page had, for the whole
  // program (the pages' settings field count), or the markers of a read to
  // come (-1) and of none (-2); every page's read sets it, and the settings
  // and network pages offer what it allows.
  int settings_field_count() const { return settings_field_count_.load(); }
  void set_settings_field_count(int count) { settings_field_count_.store(count); }

  // Set while a long transfer on another thread holds the port: the
  // selector's refresh then leaves the port alone.
  void set_transfer_running(bool running) { transfer_running_.store(running); }
  bool transfer_running() const { return transfer_running_.load(); }

  CPrinterPort& port() { return port_; }

 private:
  void NoteFailure(int error, const std::string& device, bool refused_for_transfer = false);
  // What the port's open came to (`rc`), a transfer of ours holding it included.
  void NoteOpen(int rc);
  // One write of `command` and the read of its reply, through the open port.
  [[nodiscard]] int Ask(const std::string& command, std::string* reply);

  CPrinterPort port_;
  usbRePort reader_;
  std::atomic<int> unit_{0};
  std::string sys_ini_path_;
  // Every language code set so far, never removed, so references stay valid.
  std::list<std::string> languages_;
  std::atomic<const std::string*> language_;
  std::atomic<bool> transfer_running_{false};
  std::atomic<int> settings_field_count_{-1};
  IoCause status_cause_;

  mutable std::mutex mutex_;  // guards what follows
  std::string reply_;
  int last_error_ = 0;
  std::string last_device_;
  bool refused_for_transfer_ = false;
};

}  // namespace vidodez
