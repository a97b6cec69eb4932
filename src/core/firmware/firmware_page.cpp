#include "core/firmware/firmware_page.h"

#include "core/config/settings_commands.h"
#include "core/config/settings_page_texts.h"
#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_texts.h"
#include "core/firmware/firmware_upload.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/printer_link.h"

namespace vidodez {

void FirmwareUpgradePage::RefreshList(const FirmwareFileCalls& calls) {
  rows = RefreshFirmwareList(folders, calls);
}

bool FirmwareUpgradePage::ToggleRow(size_t index) { return ToggleFirmwareFolder(&rows, index); }

int FirmwareUpgradePage::GetInfo(CPrinterComm& comm, Operator& op) {
  const int rc = PrinterLink(comm, printer).Query(kReadSettingsCommand);
  if (IsQueryFailure(rc)) op.Tell(QueryResultOperatorMessage(rc, comm));
  const std::string reply = comm.GetReply();
  const int read = InterpretFirmwareInfo(rc, reply, &record, &field_count, &info);
  if (rc == kPortOk && read != kPortOk)
    op.Tell(SettingsReplyRefusal(read, reply, comm.GetLanguage()));
  return read;
}

int FirmwareUpgradePage::Upgrade(CPrinterComm& comm, Operator& op, const std::string& button_name,
                                 const SendProgress& progress) {
  const FirmwareListNode* row = FindFirmwareButton(rows, button_name);
  if (row == nullptr) return kFirmwareNoSuchRow;
  // The row may go with the list while the upload runs: keep the path.
  const std::string path = row->path;
  return UpgradeFile(comm, op, path, progress);
}

int FirmwareUpgradePage::UpgradeFile(CPrinterComm& comm, Operator& op, const std::string& path,
                                     const SendProgress& progress) {
  last_upload = UploadEnd::kNone;
  const std::string& language = comm.GetLanguage();
  OperatorMessage question;
  if (const int rc = UpgradeQuestion(path, language, &question); rc != kFirmwareOk) {
    // Either answer ends the action.
    if (rc == kFirmwareFileNotFound)
      (void)op.Confirm(FirmwareMessage(FirmwareText::kFileNotFound, language));
    return rc;
  }
  // Refused before the question: a file that is not sent needs no answer.
  FirmwareUploadFile file;
  if (const int rc = file.Prepare(path); rc != kFirmwareOk) {
    op.Tell(UploadRefusal(rc, language));
    return rc;
  }
  if (!op.Confirm(question)) return kFirmwareUpgradeCancelled;

  PrinterLink link(comm, printer);
  if (const int rc = link.Open(); rc != kPortOk) {
    if (rc == kNoUsablePrinter) op.Tell(FirmwareMessage(FirmwareText::kOpenFailed, language));
    return rc;
  }
  const int rc = link.SendFile(file.path(), [&progress](uint64_t sent, uint64_t total) {
    if (progress) (void)progress(sent, total);
    return true;
  });
  link.Close();
  if (rc == kPortOk) {
    last_upload = UploadEnd::kSent;
  } else if (rc != kFileOpenFailed) {
    last_upload = UploadEnd::kBroken;
  }
  return rc;
}

}  // namespace vidodez
