#pragma once
// The font page's model: the font chosen, the ID, command type, storage and
// code page, and the page's operations (Browse, Download or Print to File,
// Print Test). The window binds its controls to these fields; the command
// line fills them from its arguments.

#include <cstdint>
#include <functional>
#include <string>

#include "core/font/font_command_files.h"
#include "core/font/font_job.h"
#include "core/link/printer_comm.h"
#include "core/link/transfer_progress.h"
#include "core/shell/operator.h"

namespace vidodez {

struct FontDownloadPage {
  std::string printer;  // the display name chosen in the page's selector
  FontCommandType command_type = FontCommandType::VRLE;
  FontStorage storage = FontStorage::FLASH;
  // The position chosen in the ID list. A change of command type keeps it
  // ("C" becomes "2"); a position the list lacks is no ID.
  int id_index = 0;
  bool print_to_file = false;
  // The VRLE test program's code page: a name of CodePages(), or "" for
  // none.
  std::string code_page;

  // What Browse took: the file, its name with extension, the font's name
  // and the size the download sends.
  std::string font_path;
  std::string font_title;
  std::string font_name;
  std::uint32_t font_size = 0;
  // The path box: the title in lower case, checked before anything else.
  std::string shown_path;

  // Print Test is offered once a download or print to file has been
  // answered, and stays offered.
  bool print_test_enabled = false;

  char FontId() const { return FontIdAtIndex(command_type, id_index); }
  FontDownloadJob Job() const;

  // --- operations; codes of font_codes.h or the link's, 0 success.
  // The file dialog; Cancel keeps the choice but sends no bytes of it
  // (size 0). A file that cannot be read is refused with a message.
  [[nodiscard]] int Browse(CPrinterComm& comm, Operator& op);
  // The checks, the conversion under the wait hint, then the question and
  // either the download file written and sent, or the two desktop files.
  // `progress` hears the download file's send.
  [[nodiscard]] int Download(CPrinterComm& comm, Operator& op, const SendProgress& progress = {});
  // The test program written to the desktop, then sent as text. Nothing at
  // all without an ID; a file that cannot be written stops it silently.
  [[nodiscard]] int PrintTest(CPrinterComm& comm, Operator& op);

 private:
  // The checks before the question: the font still there, its name, the ID.
  int CheckConversion(Operator& op, const std::string& language) const;
  // The download command made from the font while `write_file` writes it,
  // under the wait hint; the font's failures are told.
  int WriteDownloadCommand(Operator& op, const std::string& language,
                           const std::function<int(const CommandSource&)>& write_file) const;
  int SendDownload(CPrinterComm& comm, Operator& op, const SendProgress& progress);
  int WriteDesktopFiles(Operator& op, const std::string& language);
};

}  // namespace vidodez
