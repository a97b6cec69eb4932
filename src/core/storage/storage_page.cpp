#include "core/storage/storage_page.h"

#include <unistd.h>

#include <cstdint>
#include <vector>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/graphic/graphic_codes.h"
#include "core/graphic/pcx_codec.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/platform/text_encoding.h"
#include "core/shell/file_dialog_texts.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"
#include "core/storage/storage_texts.h"

namespace vidodez {
namespace {

struct KindTexts {
  StorageText empty, select_delete, confirm_delete, confirm_delete_all, select_print;
};

const KindTexts& TextsOf(StoredKind kind) {
  static const KindTexts kForms{StorageText::kNoForm, StorageText::kSelectFormToDelete,
                                StorageText::kConfirmDeleteForm, StorageText::kConfirmDeleteAllForms,
                                StorageText::kSelectFormToPrint};
  static const KindTexts kFonts{StorageText::kNoFont, StorageText::kSelectFontToDelete,
                                StorageText::kConfirmDeleteFont, StorageText::kConfirmDeleteAllFonts,
                                StorageText::kSelectFormToPrint};
  static const KindTexts kGraphics{StorageText::kNoGraphic, StorageText::kSelectGraphicToDelete,
                                   StorageText::kConfirmDeleteGraphic,
                                   StorageText::kConfirmDeleteAllGraphics,
                                   StorageText::kSelectGraphicToPrint};
  switch (kind) {
    case StoredKind::kForm: return kForms;
    case StoredKind::kFont: return kFonts;
    case StoredKind::kGraphic: break;
  }
  return kGraphics;
}

// True for a regular file that can be opened for reading.
bool CanReadFile(const std::string& path) {
  int fd = -1;
  if (OpenInputFile(path, &fd) != kShellOk) return false;
  ::close(fd);
  return true;
}

// Whether the picture at `path` can be sent: a regular file smaller than the
// output buffer that the PCX reader takes whole. A file the printer cannot
// use must never get as far as the delete of the graphic it would replace.
bool PictureCanBeSent(const std::string& path, const std::string& language, Operator& op) {
  std::vector<std::uint8_t> bytes;
  const int code = ReadInputFile(path, kOutputBufferSize - 1, &bytes);
  if (code == kInputTooLarge) {
    op.Tell(StorageMessage(StorageText::kPictureTooLarge, language));
    return false;
  }
  if (code != kShellOk) {
    op.Tell(InputFileMessage(code, path, kOutputBufferSize - 1, language));
    return false;
  }
  if (const int decoded = DecodePcx(bytes, nullptr, nullptr); decoded != kGraphicOk) {
    op.Tell(GraphicMessage(decoded, language));
    return false;
  }
  return true;
}

bool IsQueryFailure(int rc) { return rc >= kQueryEmptyReply && rc <= kNoUsablePrinter; }

// Opens the chosen printer for sending: kPageSent with the link open,
// kPageNoPort or kPageOpenFailed with the operator told.
int OpenChosenPrinter(const std::string& printer, CPrinterComm& comm, Operator& op) {
  const std::string& language = comm.GetLanguage();
  if (printer.empty()) {
    op.Tell(StorageMessage(StorageText::kOpenFailed, language));
    return kPageNoPort;
  }
  // Only USB printers are the page's; anything else is silently left alone.
  if (!IsUsbName(printer)) return kPageNoPort;
  if (comm.OpenLink(0, PortNumberFromName(printer), 9600) != kPortOk || comm.port().IsPortClosed()) {
    comm.CloseLink();
    op.Tell(WithCause(StorageMessage(StorageText::kOpenFailed, language), comm));
    return kPageOpenFailed;
  }
  return kPageSent;
}


// The flag for a delete of `kind`, or '\0' after telling the operator it
// could not be read: a delete without it would send a bare line and drop
// the entry from the list although the printer kept it.
char DeleteFlag(StoragePage& page, CPrinterComm& comm, Operator& op, StoredKind kind) {
  if (kind == StoredKind::kForm) return '0';
  char flag = page.ReadCommandSetFlag(comm);
  if (flag == '0' || flag == '1') return flag;
  op.Tell(StorageMessage(StorageText::kCommandSetUnknown, comm.GetLanguage()));
  return '\0';
}

}  // namespace

StoredList& StoragePage::List(StoredKind kind) {
  switch (kind) {
    case StoredKind::kForm: return forms;
    case StoredKind::kFont: return fonts;
    case StoredKind::kGraphic: break;
  }
  return graphics;
}

int StoragePage::SendPageCommand(CPrinterComm& comm, Operator& op, const std::string& text) {
  int rc = OpenChosenPrinter(printer, comm, op);
  if (rc != kPageSent) return rc;
  if (!comm.SendCommand(text))
    op.Tell(WithCause(StorageMessage(StorageText::kCommandFailed, comm.GetLanguage()), comm));
  comm.CloseLink();
  return kPageSent;
}

int StoragePage::QueryPagePrinter(CPrinterComm& comm, const std::string& query) {
  if (printer.empty() || !IsUsbName(printer)) return kNoUsablePrinter;
  return comm.QueryPrinter(PortNumberFromName(printer), query);
}

void StoragePage::SendCommandText(CPrinterComm& comm, Operator& op) {
  std::string text = ConsoleText(command_text);
  if (text.empty()) {
    op.Tell(StorageMessage(StorageText::kNoCommand, comm.GetLanguage()));
    return;
  }
  std::string gbk;
  if (platform::Utf8ToGbk(text, &gbk) != 0) {
    op.Tell(StorageMessage(StorageText::kTextNotGbk, comm.GetLanguage()));
    return;
  }
  (void)SendPageCommand(comm, op, gbk);
}

void StoragePage::SetFileType(int type) {
  if (type == file_type) return;
  file_type = type;
  file_name.clear();
  graphic_id.clear();
}

bool StoragePage::ChooseTextFile(CPrinterComm& comm, Operator& op) {
  FileChoice choice;
  choice.title = Pick(kOpenFileTitle, comm.GetLanguage());
  std::string path;
  if (!op.ChooseFileToOpen(choice, &path) || !CanReadFile(path)) return false;
  file_name = path;
  return true;
}

void StoragePage::SetChosenPicture(const std::string& path) {
  file_name = path;
  graphic_id = path.empty() ? std::string() : BaseNameForId(path);
}

void StoragePage::SendFile(CPrinterComm& comm, Operator& op, const SendProgress& progress) {
  if (file_type == 1) {
    (void)SendPicture(comm, op, progress);
    return;
  }
  if (OpenChosenPrinter(printer, comm, op) != kPageSent) return;
  // The box can be typed in: what it shows is what goes, checked as a
  // browsed file is.
  if (file_name.empty()) {
    op.Tell(StorageMessage(StorageText::kSelectFile, comm.GetLanguage()));
  } else if (!CanReadFile(file_name)) {
    op.Tell(StorageMessage(StorageText::kNoFile, comm.GetLanguage()));
  } else if (comm.SendFile(file_name, progress) != kPortOk) {
    op.Tell(WithCause(StorageMessage(StorageText::kSendFailed, comm.GetLanguage()), comm));
  }
  comm.CloseLink();
}

int StoragePage::GetList(CPrinterComm& comm, Operator& op, StoredKind kind) {
  StoredList& list = List(kind);
  list.names.clear();
  list.selected = -1;
  int rc = QueryPagePrinter(comm, "^S1\r\n");
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
    op.Tell(StorageMessage(StorageText::kNotAList, comm.GetLanguage()));
    return kQueryUnexpectedReply;
  }
  list.names = ParseStoredList(comm.GetReply(), kind);
  list.buttons_enabled = !list.names.empty();
  if (list.names.empty()) op.Tell(StorageMessage(TextsOf(kind).empty, comm.GetLanguage()));
  return rc;
}

char StoragePage::ReadCommandSetFlag(CPrinterComm& comm) {
  int rc = QueryPagePrinter(comm, "^G1\r\n");
  if (IsQueryFailure(rc)) return static_cast<char>(rc & 0xff);
  PrinterSettingsRecord record;
  int field_count = kSettingsNotKnown;
  if (ParseSettingsReply(comm.GetReply(), &record, &field_count) != kConfigOk) return '\0';
  return record.CommandSetFlag.empty() ? '\0' : record.CommandSetFlag.view()[0];
}

void StoragePage::DeleteSelected(CPrinterComm& comm, Operator& op, StoredKind kind) {
  StoredList& list = List(kind);
  const std::string& language = comm.GetLanguage();
  if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.names.size()) {
    op.Tell(StorageMessage(TextsOf(kind).select_delete, language));
    return;
  }
  if (!op.Confirm(StorageMessage(TextsOf(kind).confirm_delete, language))) return;
  std::string name = list.names[static_cast<size_t>(list.selected)];
  if (!NameFitsCommand(name)) {
    op.Tell(StorageMessage(StorageText::kNameUnusable, language));
    return;
  }
  char flag = DeleteFlag(*this, comm, op, kind);
  if (flag == '\0') return;
  if (SendPageCommand(comm, op, DeleteOneCommand(kind, flag, name)) != kPageSent) return;
  list.names.erase(list.names.begin() + list.selected);
  list.selected = -1;
}

void StoragePage::DeleteAll(CPrinterComm& comm, Operator& op, StoredKind kind) {
  StoredList& list = List(kind);
  if (!op.Confirm(StorageMessage(TextsOf(kind).confirm_delete_all, comm.GetLanguage()))) return;
  char flag = DeleteFlag(*this, comm, op, kind);
  if (flag == '\0') return;
  if (SendPageCommand(comm, op, DeleteAllCommand(kind, flag)) != kPageSent) return;
  list.names.clear();
  list.selected = -1;
}

void StoragePage::PrintSelected(CPrinterComm& comm, Operator& op, StoredKind kind) {
  if (kind == StoredKind::kFont) return;
  StoredList& list = List(kind);
  if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.names.size()) {
    op.Tell(StorageMessage(TextsOf(kind).select_print, comm.GetLanguage()));
    return;
  }
  const std::string& name = list.names[static_cast<size_t>(list.selected)];
  if (!NameFitsCommand(name)) {
    op.Tell(StorageMessage(StorageText::kNameUnusable, comm.GetLanguage()));
    return;
  }
  (void)SendPageCommand(comm, op, PrintCommand(kind, name));
}

int StoragePage::CheckPicture(CPrinterComm& comm, Operator& op) {
  const std::string& language = comm.GetLanguage();
  auto refuse = [&](StorageText text) {
    op.Tell(StorageMessage(text, language));
    return kPageNoPort;
  };
  if (file_name.empty()) return refuse(StorageText::kNoFile);
  if (!HasPcxExtension(file_name)) return refuse(StorageText::kPcxOnly);
  if (graphic_id.empty()) return refuse(StorageText::kIdEmpty);
  if (graphic_id.find('*') != std::string::npos) return refuse(StorageText::kIdHasAsterisk);
  if (!NameFitsCommand(graphic_id)) return refuse(StorageText::kNameUnusable);
  if (!PictureCanBeSent(file_name, language, op)) return kPageNoPort;
  return kPageSent;
}

int StoragePage::SendPicture(CPrinterComm& comm, Operator& op, const SendProgress& progress) {
  if (CheckPicture(comm, op) != kPageSent) return kPageNoPort;
  // The answer only chooses between storing ("ZS") and not ("ZN"); the
  // picture is downloaded and printed either way.
  store_graphic = op.Confirm(StorageMessage(StorageText::kConfirmDownload, comm.GetLanguage()));
  return StoreGraphic(comm, op, progress);
}

int StoragePage::StoreGraphic(CPrinterComm& comm, Operator& op, const SendProgress& progress) {
  const std::string& language = comm.GetLanguage();
  // Checked before the port opens and before the old graphic is deleted, so
  // a picture that cannot be sent never costs the one the printer has.
  if (!PictureCanBeSent(file_name, language, op)) return kPageNoPort;
  if (OpenChosenPrinter(printer, comm, op) != kPageSent) return kPageNoPort;
  auto refuse = [&](StorageText text) {
    comm.CloseLink();
    op.Tell(StorageMessage(text, language));
    return kPageNoPort;
  };
  std::string id;
  if (platform::Utf8ToGbk(graphic_id, &id) != 0) return refuse(StorageText::kTextNotGbk);
  if (id.size() > kMaxGraphicIdBytes) {
    focus_graphic_id = true;
    return refuse(StorageText::kIdTooLong);
  }
  bool sent = comm.SendCommand(StoreGraphicPrologue(store_graphic, id)) &&
              comm.SendGraphic(id, file_name, progress) == kPortOk &&
              comm.SendCommand(StoreGraphicTestPrint(id));
  if (!sent) op.Tell(WithCause(StorageMessage(StorageText::kSendFailed, language), comm));
  comm.CloseLink();
  return sent ? kPageSent : kPageNoPort;
}

}  // namespace vidodez
