#pragma once
// The storage page's model: what the operator chose on the page and the
// page's operations (the command console, file sending, the stored-object
// lists and the graphic store). The window binds its controls to these
// fields; the command line fills them from its arguments.

#include <string>
#include <vector>

#include "core/link/printer_comm.h"
#include "core/link/transfer_progress.h"
#include "core/shell/operator.h"
#include "core/storage/storage_commands.h"

namespace vidodez {

struct StoredList {
  std::vector<std::string> names;  // raw bytes, as the printer reported them
  int selected = -1;
  bool buttons_enabled = false;  // delete selected, delete all, print
};

// SendPageCommand's results.
inline constexpr int kPageSent = 0;  // the port opened (the write may have failed)
inline constexpr int kPageOpenFailed = 1;
inline constexpr int kPageNoPort = -1;

struct StoragePage {
  std::string printer;       // the display name chosen in the page's selector
  std::string command_text;  // the console box, UTF-8, lines as typed
  int file_type = 0;         // 0 "Text File", 1 "Image File"
  std::string file_name;     // FileNameEdit: the file "Send File" sends
  std::string graphic_id;    // FNIDEdit, UTF-8
  bool store_graphic = false;
  bool focus_graphic_id = false;  // set when the ID was refused; the window moves the focus
  StoredList forms, fonts, graphics;

  StoredList& List(StoredKind kind);

  // Sends one command text (bytes for the printer) to the chosen printer.
  int SendPageCommand(CPrinterComm& comm, Operator& op, const std::string& text);
  // The page's query exchange; the reply is comm.GetReply().
  int QueryPagePrinter(CPrinterComm& comm, const std::string& query);

  void SendCommandText(CPrinterComm& comm, Operator& op);
  // Only a change of type clears the path and the ID.
  void SetFileType(int type);
  // "Browse File" for a text file: takes the choice only if it can be read.
  bool ChooseTextFile(CPrinterComm& comm, Operator& op);
  // The picture dialog's result path (empty when no picture was chosen).
  void SetChosenPicture(const std::string& path);
  // The file's bytes, or for an image the graphic store; `progress` hears
  // of the file's bytes as they go.
  void SendFile(CPrinterComm& comm, Operator& op, const SendProgress& progress = {});

  // 0 when the printer's list was read (empty or not), else the failure,
  // told to the operator.
  int GetList(CPrinterComm& comm, Operator& op, StoredKind kind);
  void DeleteSelected(CPrinterComm& comm, Operator& op, StoredKind kind);
  void DeleteAll(CPrinterComm& comm, Operator& op, StoredKind kind);
  void PrintSelected(CPrinterComm& comm, Operator& op, StoredKind kind);
  // '0' or '1', or another character when "^G1" could not be read.
  char ReadCommandSetFlag(CPrinterComm& comm);

  // "Send File to Printer" for an image: the checks, the confirmation and
  // the store sequence. 0 when the sequence was sent, -1 when refused.
  int SendPicture(CPrinterComm& comm, Operator& op, const SendProgress& progress = {});
  // The checks the page makes before it asks; 0 when the picture may go.
  int CheckPicture(CPrinterComm& comm, Operator& op);
  int StoreGraphic(CPrinterComm& comm, Operator& op, const SendProgress& progress = {});
};

}  // namespace vidodez
