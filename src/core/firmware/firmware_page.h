#pragma once
// The firmware page's model: the printer chosen, the firmware list, what
// "Get Info" read, and the page's operations. The window binds its controls
// to these fields; the command line fills them from its arguments.

#include <string>
#include <vector>

#include "core/config/printer_settings_record.h"
#include "core/firmware/firmware_list.h"
#include "core/firmware/firmware_protocol.h"
#include "core/link/printer_comm.h"
#include "core/link/transfer_progress.h"
#include "core/shell/operator.h"

namespace vidodez {

// What an upgrade's transfer came to, for the page's progress area.
enum class UploadEnd {
  kNone,    // nothing was sent: refused, cancelled, or the printer not opened
  kSent,    // every byte was handed to the printer
  kBroken,  // the printer went away (or stopped taking data) half-way
};

struct FirmwareUpgradePage {
  std::string printer;               // the display name chosen in the page's selector
  std::vector<std::string> folders;  // the firmware folders, in list order
  std::vector<FirmwareListNode> rows;

  PrinterSettingsRecord record;  // the settings "Get Info" read last
  int field_count = -1;
  FirmwareInfo info;  // what the version and ID labels show
  UploadEnd last_upload = UploadEnd::kNone;

  // --- operations; codes of firmware_codes.h or the link's, 0 success.
  // Lists the folders again, stamping the new images among them.
  void RefreshList(const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());
  // Expands or collapses the folder row `index`; false for any other row.
  bool ToggleRow(size_t index);

  // "Get Info": asks the printer for its settings; a reply sets `info`, to
  // the cleared record when it holds no settings (which is told). A query
  // that read nothing is told; a printer that could not be opened is not.
  [[nodiscard]] int GetInfo(CPrinterComm& comm, Operator& op);

  // A click on the "Upgrade" button named `button_name`: upgrades that row's
  // file. kFirmwareNoSuchRow for any other name, with nothing shown.
  [[nodiscard]] int Upgrade(CPrinterComm& comm, Operator& op, const std::string& button_name,
                            const SendProgress& progress = {});
  // Asks the upgrade's question for the file at `path` ("File not found!"
  // when it is gone), then sends it whole, unchanged but for an image's
  // stamp (FirmwareUploadFile; a file it refuses is told and not asked
  // about), in chunks of kFileChunkSize, `progress` told after each. An open
  // that fails is not told, but for no printer chosen; a printer that is not
  // USB gets nothing. A half-written image can leave a printer that does not
  // start: a progress that answers false does not stop the upload.
  [[nodiscard]] int UpgradeFile(CPrinterComm& comm, Operator& op, const std::string& path,
                                const SendProgress& progress = {});
};

}  // namespace vidodez
