#include "cli/font_cli.h"

#include <memory>
#include <vector>

#include "cli/cli_operator.h"
#include "cli/cli_texts.h"
#include "cli/progress_bar.h"
#include "cli/signals.h"
#include "core/font/font_codes.h"
#include "core/font/font_command_files.h"
#include "core/font/font_download_command.h"
#include "core/font/font_download_page.h"
#include "core/font/font_test_program.h"
#include "core/font/font_texts.h"
#include "core/link/io_error_texts.h"
#include "core/link/port_codes.h"
#include "core/link/transfer_progress.h"

namespace vidodez::cli {
namespace {

struct FontArgs {
  std::string font;
  std::string type;
  std::string storage;
  std::string id;
  std::string name;
  std::string code_page;
  std::string out;
  bool yes = false;
  bool overwrite = false;
};

FontCommandType TypeOf(const FontArgs& args) {
  return args.type == "VRLZ" ? FontCommandType::VRLZ : FontCommandType::VRLE;
}
FontStorage StorageOf(const FontArgs& args) {
  return args.storage == "SDRAM" ? FontStorage::SDRAM : FontStorage::FLASH;
}

int FailWith(int font_code, const CliEnv& env) {
  Fail(Pick(FontCodeText(font_code), env.language));
  return kExitFailed;
}

// The ID's position in the type's list, as the page's list would have it
// chosen; an ID the list lacks is a usage error with the page's words.
int IdIndex(const FontArgs& args, const CliEnv& env, int* index) {
  const FontCommandType type = TypeOf(args);
  const int code = args.id.size() == 1 ? CheckFontId(type, args.id[0]) : kFontNoId;
  if (code != kFontOk) {
    Fail(Pick(FontCodeText(code), env.language));
    return kExitUsage;
  }
  for (int i = 0; i < FontIdCount(type); ++i) {
    if (FontIdAtIndex(type, i) == args.id[0]) *index = i;
  }
  return kExitOk;
}

int CheckCodePage(const FontArgs& args, const CliEnv& env) {
  if (args.code_page.empty()) return kExitOk;
  // VRLZ's test program has no character set to choose.
  if (TypeOf(args) == FontCommandType::VRLZ) {
    Fail(Say(CliText::kCodePageVrleOnly, env.language));
    return kExitUsage;
  }
  if (FindCodePage(args.code_page) != nullptr) return kExitOk;
  std::string names;
  for (const CodePage& page : CodePages())
    names += std::string(names.empty() ? "" : ", ") + page.name;
  Fail("--code-page: not one of " + names);
  return kExitUsage;
}

int Convert(const CliEnv& env, const FontArgs& args) {
  FontDownloadJob job;
  job.font_path = args.font;
  job.font_name = FontNameFromPath(args.font);
  job.command_type = TypeOf(args);
  job.storage = StorageOf(args);
  if (int code = TakeFontFileSize(args.font, &job.font_size); code != kFontOk) {
    return FailWith(code, env);
  }
  const std::string out =
      args.out.empty() ? CommandFilePath("", DownloadFileName(job.font_name)) : args.out;
  int error = 0;
  const SignalsRemoveUnfinishedFiles signals;
  if (int code = WriteCommandFile(
          out, [&job](const CommandSink& write) { return BuildFontDownloadCommand(job, write); },
          &error);
      code != kFontOk) {
    if (code != kFontCommandFileFailed) return FailWith(code, env);
    // Where and why: a folder, a full disk, a missing folder.
    Fail(std::string(Pick(FontCodeText(code), env.language)) + " " + out + ": " +
         SystemErrorText(error));
    return kExitFailed;
  }
  return kExitOk;
}

int TestProgram(const CliEnv& env, const FontArgs& args) {
  int index = 0;
  if (int rc = IdIndex(args, env, &index); rc != kExitOk) return rc;
  if (int rc = CheckCodePage(args, env); rc != kExitOk) return rc;
  std::string program;
  if (int code = BuildFontTestProgram(TypeOf(args), args.id[0], args.name, StorageOf(args),
                                      &program, args.code_page);
      code != kFontOk) {
    return FailWith(code, env);
  }
  if (!args.out.empty()) {
    return WriteCommandFile(args.out, program) == kFontOk ? kExitOk
                                                          : FailWith(kFontCommandFileFailed, env);
  }
  return WriteTextMode(program, [&env](const std::string& chunk) { return WriteOut(env, chunk); });
}

// What the page leaves unsaid but a script must hear: a file that could not
// be written, a printer that is not USB. The page has told everything else.
int Outcome(const CliEnv& env, int code) {
  if (code == kFontOk) return kExitOk;
  if (code == kFontCommandFileFailed || code == kFontNoDesktop) return FailWith(code, env);
  if (code == kPrinterNotUsb) Fail(Say(CliText::kNotUsb, env.language));
  return kExitFailed;
}

// The page as the arguments set it, on the chosen printer.
int PreparePage(CliEnv& env, const FontArgs& args, FontDownloadPage* page) {
  if (int rc = IdIndex(args, env, &page->id_index); rc != kExitOk) return rc;
  if (int rc = ResolvePrinter(env, &page->printer); rc != kExitOk) return rc;
  page->command_type = TypeOf(args);
  page->storage = StorageOf(args);
  return kExitOk;
}

int Download(CliEnv& env, const FontArgs& args) {
  FontDownloadPage page;
  if (int rc = PreparePage(env, args, &page); rc != kExitOk) return rc;
  CliOperator op(args.yes, env.language);
  op.AnswerWith(kFontTextTable, static_cast<int>(FontText::kConfirmReplaceFile), args.overwrite,
                "--overwrite");
  op.set_chosen_file(args.font);
  if (int code = page.Browse(*env.comm, op); code != kFontOk) return kExitFailed;
  ProgressBar bar(stderr, env.language);
  HeldTransferSignals signals(env.language, bar.shown());
  int shown = -1;
  const int code =
      page.Download(*env.comm, op, signals.Watching([&bar, &shown](uint64_t sent, uint64_t total) {
        // Drawn when the shown thousandth changes, not for every chunk.
        if (const int now = TransferPerMille(sent, total); now != shown) {
          shown = now;
          bar.Draw(sent, total);
        }
        return true;
      }));
  bar.Finish();
  return Outcome(env, code);
}

int PrintTest(CliEnv& env, const FontArgs& args) {
  FontDownloadPage page;
  if (int rc = PreparePage(env, args, &page); rc != kExitOk) return rc;
  page.font_name = args.name;
  CliOperator op(false, env.language);
  return Outcome(env, page.PrintTest(*env.comm, op));
}

}  // namespace

void AddFontCommands(CLI::App& app, CliEnv& env, int* exit_code) {
  auto args = std::make_shared<FontArgs>();
  auto* font = app.add_subcommand("font", "TrueType fonts for the printer");
  font->require_subcommand(1);
  const std::vector<std::string> types{"VRLE", "VRLZ"};
  const std::vector<std::string> storages{"SDRAM", "FLASH"};
  auto add_kind = [&](CLI::App* command) {
    command->add_option("--type", args->type, "the command language")
        ->required()
        ->check(CLI::IsMember(types));
    command->add_option("--storage", args->storage, "where the printer keeps the font")
        ->required()
        ->check(CLI::IsMember(storages));
  };
  auto add_printer = [&env](CLI::App* command) {
    command->add_option("-p,--printer", env.printer,
                        "a position in the list or the start of a name");
  };
  auto add_id = [&](CLI::App* command) {
    command->add_option("--id", args->id, "the font ID: A to Z for VRLE, 0 to 9 for VRLZ")
        ->required();
  };

  auto* convert = font->add_subcommand("convert", "write the download file of a TrueType font");
  convert->add_option("FONT", args->font, "the TrueType file")->required();
  add_kind(convert);
  convert->add_option("-o,--output", args->out, "the file to write (default: NAME.prn here)");
  convert->callback([&env, exit_code, args] { *exit_code = Convert(env, *args); });

  auto* program =
      font->add_subcommand("test-program", "write the program that prints a font's characters");
  add_kind(program);
  add_id(program);
  program->add_option("--name", args->name, "the font's name in the printer")->required();
  program->add_option("--code-page", args->code_page, "VRLE's character set, e.g. \"DOS 850\"");
  program->add_option("-o,--output", args->out, "the file to write (default: standard output)");
  program->callback([&env, exit_code, args] { *exit_code = TestProgram(env, *args); });

  auto* download = font->add_subcommand("download", "download a TrueType font to the printer");
  download->add_option("FONT", args->font, "the TrueType file")->required();
  add_kind(download);
  add_id(download);
  download->add_flag("--yes", args->yes, "answer the download's confirmation with OK");
  download->add_flag("--overwrite", args->overwrite,
                     "replace a NAME.prn here that this program did not write");
  add_printer(download);
  download->callback([&env, exit_code, args] { *exit_code = Download(env, *args); });

  auto* print = font->add_subcommand("print-test", "print the characters of a downloaded font");
  add_kind(print);
  add_id(print);
  print->add_option("--name", args->name, "the font's name in the printer")->required();
  add_printer(print);
  print->callback([&env, exit_code, args] { *exit_code = PrintTest(env, *args); });
}

}  // namespace vidodez::cli
