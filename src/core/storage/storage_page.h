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

// The console's text as one line leaves room for the link's CR LF in its
// output buffer.
inline constexpr size_t kMaxCommandText = kOutputBufferSize - 2;

struct StoredList {
  std::vector<std::string> names;  // raw bytes, as the printer reported them
  int selected = -1;
  bool buttons_enabled = false;  // delete selected, delete all, print
};

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

  // --- operations; codes of storage_codes.h, or the link's, the file's or
  // the picture's own; 0 success. The operator is told why one failed,
  // except an open of a printer that is not USB, which is never the page's.
  // Sends one command text (bytes for the printer) to the chosen printer.
  [[nodiscard]] int SendPageCommand(CPrinterComm& comm, Operator& op, const std::string& text);

  // The console box as one line: a UTF-8 byte-order mark at its start is
  // dropped, line breaks become CR LF, the text goes in GBK; beyond
  // kMaxCommandText it is refused before the printer is opened.
  [[nodiscard]] int SendCommandText(CPrinterComm& comm, Operator& op);
  // Only a change of type clears the path and the ID.
  void SetFileType(int type);
  // "Browse File" for a text file: takes the choice only if it can be read.
  [[nodiscard]] int ChooseTextFile(CPrinterComm& comm, Operator& op);
  // The picture dialog's result path (empty when no picture was chosen).
  void SetChosenPicture(const std::string& path);
  // The file's bytes, or for an image the graphic store; `progress` hears
  // of the file's bytes as they go.
  [[nodiscard]] int SendFile(CPrinterComm& comm, Operator& op, const SendProgress& progress = {});

  // kStorageOk when the printer's list was read (empty or not).
  [[nodiscard]] int GetList(CPrinterComm& comm, Operator& op, StoredKind kind);
  [[nodiscard]] int DeleteSelected(CPrinterComm& comm, Operator& op, StoredKind kind);
  [[nodiscard]] int DeleteAll(CPrinterComm& comm, Operator& op, StoredKind kind);
  [[nodiscard]] int PrintSelected(CPrinterComm& comm, Operator& op, StoredKind kind);
  // The printer's command-set flag '0' or '1' from "^G1", nobody told:
  // kStorageOk, a failed query's code, or kStorageCommandSetUnknown.
  [[nodiscard]] int ReadCommandSetFlag(CPrinterComm& comm, char* flag);

  // "Send File to Printer" for an image: the checks, the confirmation and
  // the store sequence.
  [[nodiscard]] int SendPicture(CPrinterComm& comm, Operator& op,
                                const SendProgress& progress = {});
  // The checks the page makes before it asks; kStorageOk when the picture
  // may go.
  [[nodiscard]] int CheckPicture(CPrinterComm& comm, Operator& op);
  [[nodiscard]] int StoreGraphic(CPrinterComm& comm, Operator& op,
                                 const SendProgress& progress = {});
};

}  // namespace vidodez
