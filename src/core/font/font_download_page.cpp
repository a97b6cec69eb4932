#include "core/font/font_download_page.h"

#include <utility>

#include "core/font/font_codes.h"
#include "core/font/font_command_files.h"
#include "core/font/font_download_command.h"
#include "core/font/font_test_program.h"
#include "core/font/font_texts.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/printer_link.h"
#include "core/shell/file_dialog_texts.h"

namespace vidodez {
namespace {

// `code` after telling the operator its text.
int Refuse(Operator& op, int code, const std::string& language) {
  op.Tell(FontMessage(code, language));
  return code;
}

std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The page's open: only a printer that is not USB goes unmentioned.
int OpenForFont(PrinterLink& link, CPrinterComm& comm, Operator& op) {
  return OpenTellingWhy(link, comm, op, FontPageMessage(FontText::kOpenFailed, comm.GetLanguage()));
}

// Closes the wait hint however the conversion ends.
class WaitHint {
 public:
  explicit WaitHint(Operator& op) : op_(op) { op_.BeginWait(); }
  ~WaitHint() { op_.EndWait(); }
  WaitHint(const WaitHint&) = delete;
  WaitHint& operator=(const WaitHint&) = delete;

 private:
  Operator& op_;
};

}  // namespace

FontDownloadJob FontDownloadPage::Job() const {
  FontDownloadJob job;
  job.font_path = font_path;
  job.font_size = font_size;
  job.font_name = font_name;
  job.font_id = FontId();
  job.command_type = command_type;
  job.storage = storage;
  return job;
}

int FontDownloadPage::Browse(CPrinterComm& comm, Operator& op) {
  const std::string& language = comm.GetLanguage();
  FileChoice choice;
  choice.title = Pick(kOpenFileTitle, language);
  choice.filter_name = Pick(kFontFilterName, language);
  choice.pattern = kFontFilterPattern;
  std::string path;
  if (!op.ChooseFileToOpen(choice, &path) || path.empty()) {
    // The file stays chosen, but a download now sends none of its bytes.
    font_size = 0;
    return kFontCancelled;
  }
  std::uint32_t size = 0;
  if (int code = TakeFontFileSize(path, &size); code != kFontOk) return Refuse(op, code, language);
  font_path = path;
  font_title = FontFileTitle(path);
  font_name = FontNameFromPath(path);
  font_size = size;
  shown_path = AsciiLower(font_title);
  return kFontOk;
}

int FontDownloadPage::Download(CPrinterComm& comm, Operator& op, const SendProgress& progress) {
  const std::string& language = comm.GetLanguage();
  if (shown_path.empty()) return Refuse(op, kFontNoFont, language);
  std::string gbk_name;
  if (int code = FontNameForPrinter(font_name, &gbk_name); code != kFontOk) {
    return Refuse(op, code, language);
  }
  {
    // Closed before the question, which the operator must be able to read.
    WaitHint wait(op);
    if (int code = CheckConversion(op, language); code != kFontOk) return code;
  }
  return print_to_file ? WriteDesktopFiles(op, language) : SendDownload(comm, op, progress);
}

int FontDownloadPage::CheckConversion(Operator& op, const std::string& language) const {
  if (font_path.empty()) return Refuse(op, kFontNoFont, language);
  // A file gone since Browse is said so, rather than ending without a word.
  int fd = -1;
  if (int code = OpenFontFile(font_path, &fd, nullptr); code != kFontOk) {
    return Refuse(op, code, language);
  }
  CloseFontFile(fd);
  std::string gbk_name;
  if (int code = FontNameForPrinter(font_name, &gbk_name); code != kFontOk) {
    return Refuse(op, code, language);
  }
  if (int code = CheckFontId(command_type, FontId()); code != kFontOk) {
    return Refuse(op, code, language);
  }
  return kFontOk;
}

int FontDownloadPage::WriteDownloadCommand(
    Operator& op, const std::string& language,
    const std::function<int(const CommandSource&)>& write_file) const {
  int code = kFontOk;
  {
    WaitHint wait(op);
    const FontDownloadJob job = Job();
    code = write_file(
        [&job](const CommandSink& write) { return BuildFontDownloadCommand(job, write); });
  }
  // A file that cannot be written ends the download without a word, as it
  // always did; the font's own failures are told.
  if (code == kFontOk || code == kFontCommandFileFailed || code == kFontNoDesktop) return code;
  return Refuse(op, code, language);
}

int FontDownloadPage::SendDownload(CPrinterComm& comm, Operator& op, const SendProgress& progress) {
  const std::string& language = comm.GetLanguage();
  if (!op.Confirm(FontPageMessage(FontText::kConfirmDownload, language))) {
    print_test_enabled = true;
    return kFontCancelled;
  }
  // Written first and sent from the file, with the file's line ends; a file
  // of that name that is the operator's own is replaced only when they say so.
  const std::string path = CommandFilePath("", DownloadFileName(font_name));
  if (!MayReplaceCommandFile(path)) {
    OperatorMessage question = FontPageMessage(FontText::kConfirmReplaceFile, language);
    question.text.insert(0, path);
    if (!op.Confirm(question)) {
      print_test_enabled = true;
      return kFontCancelled;
    }
  }
  if (int code = WriteDownloadCommand(
          op, language,
          [&path](const CommandSource& source) { return WriteCommandFile(path, source); });
      code != kFontOk) {
    return code;
  }
  print_test_enabled = true;
  PrinterLink link(comm, printer);
  if (int rc = OpenForFont(link, comm, op); rc != kPortOk) return rc;
  if (int rc = link.SendFile(path, progress); rc != kPortOk) {
    // The window is closing: nothing more is said.
    if (rc == kSendStopped) return rc;
    op.Tell(WithCause(FontPageMessage(FontText::kSendFailed, language), comm));
    return rc;
  }
  return kFontOk;
}

int FontDownloadPage::WriteDesktopFiles(Operator& op, const std::string& language) {
  if (!op.Confirm(FontPageMessage(FontText::kConfirmPrintToFile, language))) {
    print_test_enabled = true;
    return kFontCancelled;
  }
  std::string path;
  if (int code = WriteDownloadCommand(op, language,
                                      [&](const CommandSource& source) {
                                        return WriteDesktopCommandFile(
                                            DesktopCommandFileName(command_type, font_name), source,
                                            &path);
                                      });
      code != kFontOk) {
    return code;
  }
  std::string program;
  if (int code =
          BuildFontTestProgram(command_type, FontId(), font_name, storage, &program, code_page);
      code != kFontOk) {
    return code;
  }
  if (int code = WriteDesktopCommandFile(DesktopTestFileName(command_type), program, &path);
      code != kFontOk) {
    return code;
  }
  print_test_enabled = true;
  return kFontOk;
}

int FontDownloadPage::PrintTest(CPrinterComm& comm, Operator& op) {
  const std::string& language = comm.GetLanguage();
  // No ID (a position the list lacks): nothing written, nothing sent.
  if (int code = CheckFontId(command_type, FontId()); code != kFontOk) return code;
  std::string program;
  if (int code =
          BuildFontTestProgram(command_type, FontId(), font_name, storage, &program, code_page);
      code != kFontOk) {
    return Refuse(op, code, language);
  }
  std::string path;
  if (int code = WriteDesktopCommandFile(TestPrintFileName(font_name), program, &path);
      code != kFontOk) {
    return code;
  }
  PrinterLink link(comm, printer);
  if (int rc = OpenForFont(link, comm, op); rc != kPortOk) return rc;
  if (int rc = link.SendLine(program); rc != kPortOk) {
    op.Tell(WithCause(FontPageMessage(FontText::kCommandFailed, language), comm));
    return rc;
  }
  return kFontOk;
}

}  // namespace vidodez
