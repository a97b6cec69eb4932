#include "cli/storage_cli.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "cli/cli_json.h"
#include "cli/cli_operator.h"
#include "cli/signals.h"
#include "core/platform/text_encoding.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"
#include "core/storage/storage_codes.h"
#include "core/storage/storage_page.h"

namespace vidodez::cli {
namespace {

struct StorageArgs {
  std::string text;
  std::string file;
  std::string kind;
  std::string name;
  bool all = false;
  bool yes = false;
  std::string id;
  bool no_store = false;
};

const std::map<std::string, StoredKind>& Kinds() {
  static const std::map<std::string, StoredKind> kinds{{"forms", StoredKind::kForm},
                                                       {"fonts", StoredKind::kFont},
                                                       {"graphics", StoredKind::kGraphic}};
  return kinds;
}

// A page on the chosen printer, or kExitFailed with the message printed.
int PreparePage(CliEnv& env, StoragePage* page) { return ResolvePrinter(env, &page->printer); }

int Console(CliEnv& env, const StorageArgs& args) {
  StoragePage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  if (!args.file.empty()) {
    // Never more than one send takes, however large the file (or
    // /dev/zero) is; the page checks the text as it goes out.
    std::vector<std::uint8_t> bytes;
    if (const int code = ReadInputFile(args.file, kMaxCommandText, &bytes); code != kShellOk) {
      Fail(InputFileMessage(code, args.file, kMaxCommandText, env.language).text);
      return kExitFailed;
    }
    page.command_text.assign(bytes.begin(), bytes.end());
  } else {
    page.command_text = args.text;
  }
  CliOperator op(false, env.language);
  return page.SendCommandText(*env.comm, op) == kStorageOk ? kExitOk : kExitFailed;
}

int ListStored(CliEnv& env, const StorageArgs& args) {
  StoragePage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  StoredKind kind = Kinds().at(args.kind);
  CliOperator op(false, env.language);
  // An empty list is an answer, told on stderr, not a failure.
  if (page.GetList(*env.comm, op, kind) != kStorageOk) return kExitFailed;
  const auto& names = page.List(kind).names;
  if (env.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& name : names) list.push_back(JsonText(name));
    return WriteJson(env, list);
  }
  std::string out;
  for (const auto& name : names) out += platform::GbkForDisplay(name) + "\n";
  return WriteOut(env, out);
}

// Lists `kind` and selects NAME (typed in UTF-8, matched against the
// printer's GBK bytes), as the operator picks an entry on the page.
int SelectStored(CliEnv& env, StoragePage& page, CliOperator& op, StoredKind kind,
                 const std::string& name) {
  if (page.GetList(*env.comm, op, kind) != kStorageOk) return kExitFailed;
  std::string gbk;
  if (platform::Utf8ToGbk(name, &gbk) != 0) gbk = name;
  StoredList& list = page.List(kind);
  for (size_t i = 0; i < list.names.size(); ++i) {
    if (list.names[i] == gbk || list.names[i] == name) {
      list.selected = static_cast<int>(i);
      return kExitOk;
    }
  }
  Fail("no such entry in the printer: " + name);
  return kExitFailed;
}

int DeleteStored(CliEnv& env, const StorageArgs& args) {
  StoragePage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  StoredKind kind = Kinds().at(args.kind);
  CliOperator op(args.yes, env.language);
  int rc = kStorageOk;
  if (args.all) {
    rc = page.DeleteAll(*env.comm, op, kind);
  } else {
    if (int selected = SelectStored(env, page, op, kind, args.name); selected != kExitOk) {
      return selected;
    }
    rc = page.DeleteSelected(*env.comm, op, kind);
  }
  return rc == kStorageOk ? kExitOk : kExitFailed;
}

int PrintStored(CliEnv& env, const StorageArgs& args) {
  StoragePage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  StoredKind kind = Kinds().at(args.kind);
  CliOperator op(false, env.language);
  if (int rc = SelectStored(env, page, op, kind, args.name); rc != kExitOk) return rc;
  return page.PrintSelected(*env.comm, op, kind) == kStorageOk ? kExitOk : kExitFailed;
}

int StoreGraphic(CliEnv& env, const StorageArgs& args) {
  StoragePage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  page.file_type = 1;
  page.file_name = args.file;
  page.graphic_id = args.id;
  CliOperator op(true, env.language);
  if (page.CheckPicture(*env.comm, op) != kStorageOk) return kExitFailed;
  // As after OK ("ZS"), unless --no-store chose the other answer.
  page.store_graphic = !args.no_store;
  HeldTransferSignals signals(env.language, false);
  return page.StoreGraphic(*env.comm, op, signals.Watching({})) == kStorageOk ? kExitOk
                                                                              : kExitFailed;
}

}  // namespace

void AddStorageCommands(CLI::App& app, CLI::App* graphic, CliEnv& env, int* exit_code) {
  auto args = std::make_shared<StorageArgs>();
  auto add_printer = [&env](CLI::App* command) { AddPrinterOption(command, env); };
  std::vector<std::string> kind_names{"forms", "fonts", "graphics"};

  auto* console =
      app.add_subcommand("console", "send typed commands; every line break becomes CR LF");
  add_printer(console);
  auto* text = console->add_option("TEXT", args->text, "the commands");
  console->add_option("--file", args->file, "read the commands from a file")->excludes(text);
  console->callback([&env, exit_code, args] { *exit_code = Console(env, *args); });

  auto* stored = app.add_subcommand("stored", "forms, fonts and graphics stored in the printer");
  stored->require_subcommand(1);
  auto* list = stored->add_subcommand("list", "list one kind");
  list->add_option("KIND", args->kind)->required()->check(CLI::IsMember(kind_names));
  list->add_flag("--json", env.json, "print the list as JSON");
  add_printer(list);
  list->callback([&env, exit_code, args] { *exit_code = ListStored(env, *args); });

  auto* remove = stored->add_subcommand("delete", "delete one entry, or all of a kind");
  remove->add_option("KIND", args->kind)->required()->check(CLI::IsMember(kind_names));
  auto* name = remove->add_option("NAME", args->name, "the entry");
  remove->add_flag("--all", args->all, "every entry of the kind")->excludes(name);
  remove->add_flag("--yes", args->yes, "answer the confirmation with OK");
  add_printer(remove);
  remove->callback([&env, exit_code, args] {
    if (!args->all && args->name.empty()) {
      Fail("name an entry or give --all");
      *exit_code = kExitUsage;
      return;
    }
    *exit_code = DeleteStored(env, *args);
  });

  auto* print = stored->add_subcommand("print", "print a stored form or graphic");
  print->add_option("KIND", args->kind)->required()->check(CLI::IsMember({"forms", "graphics"}));
  print->add_option("NAME", args->name, "the entry")->required();
  add_printer(print);
  print->callback([&env, exit_code, args] { *exit_code = PrintStored(env, *args); });

  auto* store = graphic->add_subcommand(
      "store", "download a PCX picture as a stored graphic and test-print it");
  store->add_option("FILE", args->file, "the PCX file")->required();
  store->add_option("--id", args->id, "the graphic's name in the printer (at most 8 bytes)")
      ->required();
  store->add_flag("--no-store", args->no_store, "send the ZN form instead of ZS");
  add_printer(store);
  store->callback([&env, exit_code, args] { *exit_code = StoreGraphic(env, *args); });
}

}  // namespace vidodez::cli
