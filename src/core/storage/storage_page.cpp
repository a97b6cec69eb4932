#include "core/storage/storage_page.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/graphic/graphic_codes.h"
#include "core/graphic/pcx_codec.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/printer_link.h"
#include "core/platform/text_encoding.h"
#include "core/shell/file_dialog_texts.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"
#include "core/storage/storage_codes.h"
#include "core/storage/storage_texts.h"

namespace vidodez {
namespace {

struct KindTexts {
  StorageText empty, select_delete, confirm_delete, confirm_delete_all, select_print;
};

const KindTexts& TextsOf(StoredKind kind) {
  static const KindTexts kForms{
      StorageText::kNoForm, StorageText::kSelectFormToDelete, StorageText::kConfirmDeleteForm,
      StorageText::kConfirmDeleteAllForms, StorageText::kSelectFormToPrint};
  static const KindTexts kFonts{
      StorageText::kNoFont, StorageText::kSelectFontToDelete, StorageText::kConfirmDeleteFont,
      StorageText::kConfirmDeleteAllFonts, StorageText::kSelectFormToPrint};
  static const KindTexts kGraphics{StorageText::kNoGraphic, StorageText::kSelectGraphicToDelete,
                                   StorageText::kConfirmDeleteGraphic,
                                   StorageText::kConfirmDeleteAllGraphics,
                                   StorageText::kSelectGraphicToPrint};
  switch (kind) {
    case StoredKind::kForm:
      return kForms;
    case StoredKind::kFont:
      return kFonts;
    case StoredKind::kGraphic:
      break;
  }
  return kGraphics;
}

// True for a regular file that can be opened for reading.
bool CanReadFile(const std::string& path) {
  int fd = -1;
  if (OpenInputFile(path, &fd) != kShellOk) return false;
  CloseInputFile(fd);
  return true;
}

// `code` after telling the operator `text`.
int Refuse(Operator& op, StorageText text, const std::string& language, int code) {
  op.Tell(StorageMessage(text, language));
  return code;
}

// Whether the picture at `path` can be sent: a regular file smaller than the
// output buffer that the PCX reader takes whole. A file the printer cannot
// use must never get as far as the delete of the graphic it would replace.
int CheckPictureFile(const std::string& path, const std::string& language, Operator& op) {
  std::vector<std::uint8_t> bytes;
  const int code = ReadInputFile(path, kOutputBufferSize - 1, &bytes);
  if (code == kInputTooLarge) {
    return Refuse(op, StorageText::kPictureTooLarge, language, kGraphicTooLarge);
  }
  if (code != kShellOk) {
    op.Tell(InputFileMessage(code, path, kOutputBufferSize - 1, language));
    return code;
  }
  if (const int decoded = DecodePcx(bytes, nullptr, nullptr); decoded != kGraphicOk) {
    op.Tell(GraphicMessage(decoded, language));
    return decoded;
  }
  return kStorageOk;
}

// Opens the chosen printer for sending; the operator is told why it did not
// open, unless it is no USB printer: those are never the page's.
int OpenChosenPrinter(PrinterLink& link, CPrinterComm& comm, Operator& op) {
  return OpenTellingWhy(link, comm, op,
                        StorageMessage(StorageText::kOpenFailed, comm.GetLanguage()));
}

// `rc` of a send that failed, after telling the operator with the cause.
int SendFailed(Operator& op, StorageText text, CPrinterComm& comm, int rc) {
  op.Tell(WithCause(StorageMessage(text, comm.GetLanguage()), comm));
  return rc;
}

// The flag for a delete of `kind`, or kStorageCommandSetUnknown after
// telling the operator it could not be read: a delete without it would send
// a bare line and drop the entry from the list although the printer kept it.
int DeleteFlag(StoragePage& page, CPrinterComm& comm, Operator& op, StoredKind kind, char* flag) {
  *flag = '0';
  if (kind == StoredKind::kForm) return kStorageOk;
  if (page.ReadCommandSetFlag(comm, flag) == kStorageOk) return kStorageOk;
  return Refuse(op, StorageText::kCommandSetUnknown, comm.GetLanguage(), kStorageCommandSetUnknown);
}

}  // namespace

StoredList& StoragePage::List(StoredKind kind) {
  switch (kind) {
    case StoredKind::kForm:
      return forms;
    case StoredKind::kFont:
      return fonts;
    case StoredKind::kGraphic:
      break;
  }
  return graphics;
}

int StoragePage::SendPageCommand(CPrinterComm& comm, Operator& op, const std::string& text) {
  PrinterLink link(comm, printer);
  if (int rc = OpenChosenPrinter(link, comm, op); rc != kPortOk) return rc;
  if (int rc = link.SendLine(text); rc != kPortOk) {
    return SendFailed(op, StorageText::kCommandFailed, comm, rc);
  }
  return kStorageOk;
}

int StoragePage::SendCommandText(CPrinterComm& comm, Operator& op) {
  const std::string& language = comm.GetLanguage();
  // An editor's byte-order mark is no character for the printer.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::string_view typed = command_text;
  if (typed.starts_with(kByteOrderMark)) typed.remove_prefix(kByteOrderMark.size());
  std::string text = ConsoleText(std::string(typed));
  if (text.empty()) return Refuse(op, StorageText::kNoCommand, language, kStorageNoCommand);
  std::string gbk;
  if (platform::Utf8ToGbk(text, &gbk) != 0) {
    return Refuse(op, StorageText::kTextNotGbk, language, kStorageTextNotGbk);
  }
  if (gbk.size() > kMaxCommandText) {
    return Refuse(op, StorageText::kCommandTooLong, language, kStorageCommandTooLong);
  }
  return SendPageCommand(comm, op, gbk);
}

void StoragePage::SetFileType(int type) {
  if (type == file_type) return;
  file_type = type;
  file_name.clear();
  graphic_id.clear();
}

int StoragePage::ChooseTextFile(CPrinterComm& comm, Operator& op) {
  FileChoice choice;
  choice.title = Pick(kOpenFileTitle, comm.GetLanguage());
  std::string path;
  if (!op.ChooseFileToOpen(choice, &path)) return kStorageCancelled;
  if (!CanReadFile(path)) return kStorageFileUnreadable;
  file_name = path;
  return kStorageOk;
}

void StoragePage::SetChosenPicture(const std::string& path) {
  file_name = path;
  graphic_id = path.empty() ? std::string() : BaseNameForId(path);
}

int StoragePage::SendFile(CPrinterComm& comm, Operator& op, const SendProgress& progress) {
  if (file_type == 1) return SendPicture(comm, op, progress);
  const std::string& language = comm.GetLanguage();
  PrinterLink link(comm, printer);
  if (int rc = OpenChosenPrinter(link, comm, op); rc != kPortOk) return rc;
  // The box can be typed in: what it shows is what goes, checked as a
  // browsed file is.
  if (file_name.empty())
    return Refuse(op, StorageText::kSelectFile, language, kStorageNoFileChosen);
  if (!CanReadFile(file_name)) {
    return Refuse(op, StorageText::kNoFile, language, kStorageFileUnreadable);
  }
  if (int rc = link.SendFile(file_name, progress); rc != kPortOk) {
    return SendFailed(op, StorageText::kSendFailed, comm, rc);
  }
  return kStorageOk;
}

int StoragePage::GetList(CPrinterComm& comm, Operator& op, StoredKind kind) {
  StoredList& list = List(kind);
  list.names.clear();
  list.selected = -1;
  int rc = PrinterLink(comm, printer).Query(kStoredListCommand);
  if (IsQueryFailure(rc)) {
    op.Tell(QueryResultOperatorMessage(rc, comm));
    return rc;
  }
  if (rc != kPortOk) {
    // The printer could not be opened (busy, gone): say so rather than
    // showing an empty list as if the printer held nothing.
    op.Tell(WithCause(StorageMessage(StorageText::kOpenFailed, comm.GetLanguage()), comm));
    return rc;
  }
  if (!IsStoredListReply(comm.GetReply())) {
    return Refuse(op, StorageText::kNotAList, comm.GetLanguage(), kQueryUnexpectedReply);
  }
  list.names = ParseStoredList(comm.GetReply(), kind);
  list.buttons_enabled = !list.names.empty();
  if (list.names.empty()) op.Tell(StorageMessage(TextsOf(kind).empty, comm.GetLanguage()));
  return kStorageOk;
}

int StoragePage::ReadCommandSetFlag(CPrinterComm& comm, char* flag) {
  int rc = PrinterLink(comm, printer).Query(kReadSettingsCommand);
  if (IsQueryFailure(rc)) return rc;
  PrinterSettingsRecord record;
  int field_count = kSettingsNotKnown;
  if (ParseSettingsReply(comm.GetReply(), &record, &field_count) != kConfigOk ||
      (record.CommandSetFlag != "0" && record.CommandSetFlag != "1")) {
    return kStorageCommandSetUnknown;
  }
  *flag = record.CommandSetFlag.view()[0];
  return kStorageOk;
}

int StoragePage::DeleteSelected(CPrinterComm& comm, Operator& op, StoredKind kind) {
  StoredList& list = List(kind);
  const std::string& language = comm.GetLanguage();
  if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.names.size()) {
    return Refuse(op, TextsOf(kind).select_delete, language, kStorageNothingSelected);
  }
  if (!op.Confirm(StorageMessage(TextsOf(kind).confirm_delete, language))) return kStorageCancelled;
  std::string name = list.names[static_cast<size_t>(list.selected)];
  if (!NameFitsCommand(name)) {
    return Refuse(op, StorageText::kNameUnusable, language, kStorageNameUnusable);
  }
  char flag = '0';
  if (int rc = DeleteFlag(*this, comm, op, kind, &flag); rc != kStorageOk) return rc;
  if (int rc = SendPageCommand(comm, op, DeleteOneCommand(kind, flag, name)); rc != kStorageOk) {
    return rc;
  }
  list.names.erase(list.names.begin() + list.selected);
  list.selected = -1;
  return kStorageOk;
}

int StoragePage::DeleteAll(CPrinterComm& comm, Operator& op, StoredKind kind) {
  StoredList& list = List(kind);
  if (!op.Confirm(StorageMessage(TextsOf(kind).confirm_delete_all, comm.GetLanguage()))) {
    return kStorageCancelled;
  }
  char flag = '0';
  if (int rc = DeleteFlag(*this, comm, op, kind, &flag); rc != kStorageOk) return rc;
  if (int rc = SendPageCommand(comm, op, DeleteAllCommand(kind, flag)); rc != kStorageOk) return rc;
  list.names.clear();
  list.selected = -1;
  return kStorageOk;
}

int StoragePage::PrintSelected(CPrinterComm& comm, Operator& op, StoredKind kind) {
  if (kind == StoredKind::kFont) return kStorageFontsNotPrintable;
  StoredList& list = List(kind);
  const std::string& language = comm.GetLanguage();
  if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.names.size()) {
    return Refuse(op, TextsOf(kind).select_print, language, kStorageNothingSelected);
  }
  const std::string& name = list.names[static_cast<size_t>(list.selected)];
  if (!NameFitsCommand(name)) {
    return Refuse(op, StorageText::kNameUnusable, language, kStorageNameUnusable);
  }
  return SendPageCommand(comm, op, PrintCommand(kind, name));
}

int StoragePage::CheckPicture(CPrinterComm& comm, Operator& op) {
  const std::string& language = comm.GetLanguage();
  if (file_name.empty()) return Refuse(op, StorageText::kNoFile, language, kStorageNoFileChosen);
  if (!HasPcxExtension(file_name))
    return Refuse(op, StorageText::kPcxOnly, language, kStorageNotPcx);
  if (graphic_id.empty()) return Refuse(op, StorageText::kIdEmpty, language, kStorageIdEmpty);
  if (graphic_id.find('*') != std::string::npos) {
    return Refuse(op, StorageText::kIdHasAsterisk, language, kStorageIdHasAsterisk);
  }
  if (!NameFitsCommand(graphic_id)) {
    return Refuse(op, StorageText::kNameUnusable, language, kStorageNameUnusable);
  }
  return CheckPictureFile(file_name, language, op);
}

int StoragePage::SendPicture(CPrinterComm& comm, Operator& op, const SendProgress& progress) {
  if (int rc = CheckPicture(comm, op); rc != kStorageOk) return rc;
  // The answer only chooses between storing ("ZS") and not ("ZN"); the
  // picture is downloaded and printed either way.
  store_graphic = op.Confirm(StorageMessage(StorageText::kConfirmDownload, comm.GetLanguage()));
  return StoreGraphic(comm, op, progress);
}

int StoragePage::StoreGraphic(CPrinterComm& comm, Operator& op, const SendProgress& progress) {
  const std::string& language = comm.GetLanguage();
  // Checked before the port opens and before the old graphic is deleted, so
  // a picture that cannot be sent never costs the one the printer has.
  if (int rc = CheckPictureFile(file_name, language, op); rc != kStorageOk) return rc;
  PrinterLink link(comm, printer);
  if (int rc = OpenChosenPrinter(link, comm, op); rc != kPortOk) return rc;
  std::string id;
  if (platform::Utf8ToGbk(graphic_id, &id) != 0) {
    link.Close();
    return Refuse(op, StorageText::kTextNotGbk, language, kStorageTextNotGbk);
  }
  if (id.size() > kMaxGraphicIdBytes) {
    focus_graphic_id = true;
    link.Close();
    return Refuse(op, StorageText::kIdTooLong, language, kStorageIdTooLong);
  }
  int rc = link.SendLine(StoreGraphicPrologue(store_graphic, id));
  if (rc == kPortOk) rc = link.SendGraphic(id, file_name, progress);
  if (rc == kPortOk) rc = link.SendLine(StoreGraphicTestPrint(id));
  if (rc != kPortOk) return SendFailed(op, StorageText::kSendFailed, comm, rc);
  return kStorageOk;
}

}  // namespace vidodez
