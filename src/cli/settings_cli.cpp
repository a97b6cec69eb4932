#include "cli/settings_cli.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "cli/cli_json.h"
#include "cli/cli_operator.h"
#include "cli/cli_texts.h"
#include "cli/cli_units.h"
#include "core/config/config_codes.h"
#include "core/config/model_list.h"
#include "core/config/settings_page.h"
#include "core/config/settings_page_texts.h"
#include "core/platform/user_folders.h"
#include "core/shell/units.h"

namespace vidodez::cli {
namespace {

struct SettingsArgs {
  std::string file;
  std::string unit;  // empty: not given
  bool yes = false;
  std::vector<std::string> choices;
};

// The unit words of --unit and of the lengths `get` prints ("dot", "inch",
// "mm"); CLI11 has checked the word, an empty one means dots.
int UnitOfWord(const std::string& word) {
  return std::max(UnitFromWord(word, kPageUnits), kUnitDots);
}

std::string UnitWord(int unit) { return UnitOf(unit).word; }

int PreparePage(CliEnv& env, SettingsPage* page) {
  page->model_list_path = platform::ProgramFolder() + "/" + kModelListFileName;
  return ResolvePrinter(env, &page->printer);
}

// The window stays silent where a printer cannot be opened for a send; the
// command line always says why it failed.
int SettingsOutcome(CliEnv& env, int rc, const CliOperator& op) {
  if (rc == kConfigOk) return kExitOk;
  // The operator's own NAME=VALUE was refused, with the reason told.
  if (rc == kSettingsChoiceInvalid || rc == kSettingsValueOutOfRange ||
      rc == kSettingsFieldNotCarried) {
    return kExitUsage;
  }
  // The page tells why it failed, but for an open that failed on a send.
  if (op.told() == 0 && !op.refused()) {
    Fail(LinkFailure(env, Say(CliText::kOpenFailed, env.language).c_str()));
  }
  return kExitFailed;
}

// Every field as the record holds it, the lengths (offsets and calibration
// length) in `unit` with its word after them, so that `set` takes each line
// back unchanged.
int Get(CliEnv& env, const SettingsArgs& args) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(false, env.language);
  page.unit = UnitOfWord(args.unit);
  env.comm->SetUnit(page.unit);
  if (int rc = page.RetrieveFromPrinter(*env.comm, op); rc != kConfigOk) {
    return SettingsOutcome(env, rc, op);
  }
  std::vector<std::pair<std::string, std::string>> values;
  for (const RecordField& field : RecordFields()) {
    std::string value((page.record.*field.slot).view());
    const std::string* length = page.LengthEdit(field);
    if (length != nullptr && !value.empty()) value = *length + UnitWord(page.unit);
    values.emplace_back(field.name, value);
  }
  if (env.json) {
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    for (const auto& [name, value] : values) fields[name] = JsonText(value);
    return WriteJson(
        env, {{"fieldCount", page.field_count}, {"unit", UnitWord(page.unit)}, {"fields", fields}});
  }
  std::string out = "FieldCount=" + std::to_string(page.field_count) + "\n";
  for (const auto& [name, value] : values) {
    out += name;
    out += '=';
    out += value;
    out += '\n';
  }
  return WriteOut(env, out);
}

int Save(CliEnv& env, const SettingsArgs& args) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(true, env.language);
  op.set_chosen_file(args.file);
  return SettingsOutcome(env, page.SaveSettingsToFile(*env.comm, op), op);
}

int Load(CliEnv& env, const SettingsArgs& args) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(true, env.language);
  op.set_chosen_file(args.file);
  return SettingsOutcome(env, page.LoadSettingsFromFile(*env.comm, op), op);
}

int Set(CliEnv& env, const SettingsArgs& args) {
  SettingsPage page;
  CliOperator op(args.yes, env.language);
  // Lengths are in --unit, else in the unit the first of them names
  // ("1.00mm", as `get` prints it), else in dots.
  page.unit = kUnitDots;
  if (!args.unit.empty()) {
    page.unit = UnitOfWord(args.unit);
  } else {
    for (const std::string& choice : args.choices) {
      size_t equals = choice.find('=');
      const RecordField* field = FindRecordField(std::string_view(choice).substr(0, equals));
      std::string_view number;
      int unit = -1;
      if (equals != std::string::npos && field != nullptr && page.LengthEdit(*field) != nullptr &&
          SplitUnitSuffix(std::string_view(choice).substr(equals + 1), &number, &unit) &&
          unit >= 0) {
        page.unit = unit;
        break;
      }
    }
  }
  env.comm->SetUnit(page.unit);
  for (const std::string& choice : args.choices) {
    size_t equals = choice.find('=');
    if (equals == std::string::npos) {
      Fail(choice + ": " + Say(CliText::kChoiceWithoutValue, env.language));
      return kExitUsage;
    }
    int rc = page.ChooseByFieldName(std::string_view(choice).substr(0, equals),
                                    std::string_view(choice).substr(equals + 1), op, env.language);
    if (rc != kConfigOk) return kExitUsage;
  }
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  // The send is refused unless the printer is ready, as on the page.
  int status = env.comm->GetPrinterStatus(page.printer);
  return SettingsOutcome(env, page.SendSettings(*env.comm, op, status), op);
}

using Action = int (SettingsPage::*)(CPrinterComm&, Operator&);

int RunAction(CliEnv& env, Action action, bool yes) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(yes, env.language);
  return SettingsOutcome(env, (page.*action)(*env.comm, op), op);
}

// The window restores at once; a script erases the printer's settings only
// when told so with --yes, as it clears the buffer.
int FactoryReset(CliEnv& env, bool yes) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(yes, env.language);
  if (!op.Confirm(SettingsMessage(SettingsText::kConfirmFactoryReset, env.language))) {
    return SettingsOutcome(env, kSettingsCancelled, op);
  }
  return SettingsOutcome(env, page.RestoreFactorySettings(*env.comm, op), op);
}

}  // namespace

void AddSettingsCommands(CLI::App& app, CliEnv& env, int* exit_code) {
  auto args = std::make_shared<SettingsArgs>();
  auto add_printer = [&env](CLI::App* command) { AddPrinterOption(command, env); };

  auto* settings = app.add_subcommand("settings", "the printer's settings");
  settings->require_subcommand(1);
  auto* get = settings->add_subcommand("get", "print every settings field and the field count");
  add_printer(get);
  get->add_flag("--json", env.json, "print the fields as JSON");
  get->add_option("--unit", args->unit, "unit of offsets and the calibration length (default dot)")
      ->check(CLI::IsMember(UnitWords(kPageUnits)));
  get->callback([&env, exit_code, args] { *exit_code = Get(env, *args); });

  auto* save = settings->add_subcommand("save", "save the printer's settings to a settings file");
  add_printer(save);
  save->add_option("FILE", args->file, "the .ini file")->required();
  save->callback([&env, exit_code, args] { *exit_code = Save(env, *args); });

  auto* load = settings->add_subcommand("load", "send the settings of a settings file");
  add_printer(load);
  load->add_option("FILE", args->file, "the .ini file")->required()->check(CLI::ExistingFile);
  load->callback([&env, exit_code, args] { *exit_code = Load(env, *args); });

  auto* set = settings->add_subcommand("set", "change settings by field name, e.g. Darkness=15");
  add_printer(set);
  set->add_option("--unit", args->unit,
                  "unit of offsets and the calibration length (default: the unit a value names, "
                  "else dot)")
      ->check(CLI::IsMember(UnitWords(kPageUnits)));
  set->add_flag("--yes", args->yes, "answer the confirmations with OK");
  set->add_option("NAME=VALUE", args->choices, "a record field and its value")->required();
  set->callback([&env, exit_code, args] { *exit_code = Set(env, *args); });

  struct ActionCommand {
    const char* name;
    const char* help;
    Action action;
  };
  for (const ActionCommand& command :
       {ActionCommand{"calibrate", "media calibration", &SettingsPage::MediaCalibration},
        ActionCommand{"test-page", "print the test page", &SettingsPage::PrintTestPage}}) {
    auto* sub = app.add_subcommand(command.name, command.help);
    add_printer(sub);
    Action action = command.action;
    sub->callback([&env, exit_code, action] { *exit_code = RunAction(env, action, false); });
  }
  auto* reset = app.add_subcommand("factory-reset", "restore the factory settings");
  add_printer(reset);
  reset->add_flag("--yes", args->yes, "answer the confirmation with OK");
  reset->callback([&env, exit_code, args] { *exit_code = FactoryReset(env, args->yes); });

  auto* clear = app.add_subcommand("clear-buffer", "clear the printer's buffer");
  add_printer(clear);
  clear->add_flag("--yes", args->yes, "answer the confirmation with OK");
  clear->callback([&env, exit_code, args] {
    *exit_code = RunAction(env, &SettingsPage::ClearBuffer, args->yes);
  });
}

}  // namespace vidodez::cli
