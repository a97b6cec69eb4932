#include "cli/settings_cli.h"

#include <unistd.h>

#include <algorithm>
#include <memory>

#include "cli/cli_json.h"
#include "cli/cli_operator.h"
#include "core/config/config_codes.h"
#include "core/config/model_list.h"
#include "core/config/settings_page.h"

namespace vidodez::cli {
namespace {

struct SettingsArgs {
  std::string file;
  std::string unit = "dot";
  bool yes = false;
  std::vector<std::string> choices;
};

// The folder of the running program, where "MARLIX.dat" is shipped.
std::string ProgramFolder() {
  char path[4096];
  ssize_t size = readlink("/proc/self/exe", path, sizeof path - 1);
  if (size <= 0) return ".";
  std::string text(path, static_cast<size_t>(size));
  size_t slash = text.rfind('/');
  return slash == std::string::npos ? "." : text.substr(0, slash);
}

int PreparePage(CliEnv& env, SettingsPage* page) {
  page->model_list_path = ProgramFolder() + "/" + kModelListFileName;
  return ResolvePrinter(env, &page->printer);
}

int Outcome(int rc, const CliOperator& op) {
  return rc == kConfigOk && !op.refused() ? kExitOk : kExitFailed;
}

int Get(CliEnv& env) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(false);
  if (int rc = page.ReadSettingsFromPrinter(*env.comm, op, true); rc != kConfigOk) {
    return kExitFailed;
  }
  if (env.json) {
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    for (const RecordField& field : RecordFields()) {
      fields[field.name] = JsonText(std::string((page.record.*field.slot).view()));
    }
    return WriteJson(env, {{"fieldCount", page.field_count}, {"fields", fields}});
  }
  std::string out = "FieldCount=" + std::to_string(page.field_count) + "\n";
  for (const RecordField& field : RecordFields()) {
    out += std::string(field.name) + "=" + std::string((page.record.*field.slot).view()) + "\n";
  }
  return WriteOut(env, out);
}

int Save(CliEnv& env, const SettingsArgs& args) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(true);
  op.set_chosen_file(args.file);
  return Outcome(page.SaveSettingsToFile(*env.comm, op), op);
}

int Load(CliEnv& env, const SettingsArgs& args) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(true);
  op.set_chosen_file(args.file);
  return Outcome(page.LoadSettingsFromFile(*env.comm, op), op);
}

int Set(CliEnv& env, const SettingsArgs& args) {
  SettingsPage page;
  page.unit = args.unit == "inch" ? 1 : (args.unit == "mm" ? 2 : 0);
  // The sensor type decides which threshold field a threshold goes to, so
  // it is chosen first whatever the order of the arguments.
  std::vector<std::string> choices = args.choices;
  std::stable_partition(choices.begin(), choices.end(), [](const std::string& choice) {
    return choice.rfind("MediaSensorType=", 0) == 0;
  });
  for (const std::string& choice : choices) {
    size_t equals = choice.find('=');
    int rc = equals == std::string::npos
                 ? kSettingsChoiceInvalid
                 : page.ChooseByFieldName(std::string_view(choice).substr(0, equals),
                                          std::string_view(choice).substr(equals + 1));
    if (rc != kConfigOk) {
      Fail("cannot set " + choice);
      return kExitUsage;
    }
  }
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(args.yes);
  // The send is refused unless the printer is ready, as on the page.
  int status = env.comm->GetPrinterStatus(page.printer);
  return Outcome(page.SendSettings(*env.comm, op, status), op);
}

using Action = int (SettingsPage::*)(CPrinterComm&, Operator&);

int RunAction(CliEnv& env, Action action, bool yes) {
  SettingsPage page;
  if (int rc = PreparePage(env, &page); rc != kExitOk) return rc;
  CliOperator op(yes);
  return Outcome((page.*action)(*env.comm, op), op);
}

}  // namespace

void AddSettingsCommands(CLI::App& app, CliEnv& env, int* exit_code) {
  auto args = std::make_shared<SettingsArgs>();
  auto add_printer = [&env](CLI::App* command) {
    command->add_option("-p,--printer", env.printer, "a position in the list or the start of a name");
  };

  auto* settings = app.add_subcommand("settings", "the printer's settings");
  settings->require_subcommand(1);
  auto* get = settings->add_subcommand("get", "print every settings field and the field count");
  add_printer(get);
  get->add_flag("--json", env.json, "print the fields as JSON");
  get->callback([&env, exit_code] { *exit_code = Get(env); });

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
  set->add_option("--unit", args->unit, "unit of offsets and the calibration length")
      ->check(CLI::IsMember({"dot", "inch", "mm"}));
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
        ActionCommand{"factory-reset", "restore the factory settings",
                      &SettingsPage::RestoreFactorySettings},
        ActionCommand{"test-page", "print the test page", &SettingsPage::PrintTestPage}}) {
    auto* sub = app.add_subcommand(command.name, command.help);
    add_printer(sub);
    Action action = command.action;
    sub->callback([&env, exit_code, action] { *exit_code = RunAction(env, action, false); });
  }
  auto* clear = app.add_subcommand("clear-buffer", "clear the printer's buffer");
  add_printer(clear);
  clear->add_flag("--yes", args->yes, "answer the confirmation with OK");
  clear->callback([&env, exit_code, args] {
    *exit_code = RunAction(env, &SettingsPage::ClearBuffer, args->yes);
  });
}

}  // namespace vidodez::cli
