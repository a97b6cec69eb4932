#pragma once
// The one sequence by which page models and the command line reach the
// printer chosen in a selector: open it, send lines, a file or a graphic,
// close it; or ask it one thing and read the reply. Pages choose only the
// messages they show for the codes it returns.

#include <string>

#include "core/link/printer_comm.h"

namespace vidodez {

// The rate every page opens its link with. USB opens (kind 0) do not set a
// rate; a serial port would.
inline constexpr int kLinkBaudRate = 9600;

// True for the results of a query that read no reply: no usable printer,
// the command not written, no reply, an empty reply, two replies that
// differ. The other failures are
// the open's, which pages report as an open that failed.
bool IsQueryFailure(int rc);

class PrinterLink {
 public:
  // `printer` is the display name chosen in a selector ("" for none).
  PrinterLink(CPrinterComm& comm, std::string printer);
  ~PrinterLink();  // closes the link if it is open
  PrinterLink(const PrinterLink&) = delete;
  PrinterLink& operator=(const PrinterLink&) = delete;

  // kPortOk with the link open. kNoUsablePrinter when no printer is chosen,
  // kPrinterNotUsb for one that is not a USB printer (neither opens
  // anything); else the open's code, kPortOpenFailed when the port does not
  // hold the printer afterwards. A failed open leaves the link closed.
  [[nodiscard]] int Open();
  // The text and CR LF: kPortOk or kWriteLineFailed.
  [[nodiscard]] int SendLine(const std::string& text);
  // The file's bytes unchanged, kFileChunkSize at a time, `progress` told
  // after each piece (false from it stops the send: kSendStopped).
  [[nodiscard]] int SendFile(const std::string& path, const SendProgress& progress = {});
  // "GM\"NAME\"SIZE" CR LF and the file (a PCX picture).
  [[nodiscard]] int SendGraphic(const std::string& name, const std::string& path,
                                const SendProgress& progress = {});
  void Close();

  // Sends one command and reads the reply through the same open device; the
  // reply is comm.GetReply(). kPortOk, kNoUsablePrinter for no printer or
  // one that is not USB, kQueryWriteFailed, kQueryNoReply, kQueryEmptyReply,
  // or the open's code. The link is closed afterwards. `confirm` asks twice
  // (CPrinterComm::QueryPrinter): for a reply that goes back to the printer.
  [[nodiscard]] int Query(const std::string& command, bool confirm = false);

 private:
  CPrinterComm& comm_;
  std::string printer_;
  bool open_ = false;
};

}  // namespace vidodez
