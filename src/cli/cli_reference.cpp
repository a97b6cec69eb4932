#include "cli/cli_reference.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace vidodez::cli {
namespace {

struct Command {
  std::string path;  // "" for the program itself, else "settings get"
  const CLI::App* app;
};

void Collect(const CLI::App& app, const std::string& path, std::vector<Command>* out) {
  out->push_back({path, &app});
  // A subcommand without a group is hidden from --help, and so from here.
  for (const CLI::App* sub :
       app.get_subcommands([](const CLI::App* s) { return !s->get_group().empty(); })) {
    Collect(*sub, path.empty() ? sub->get_name() : path + " " + sub->get_name(), out);
  }
}

std::vector<Command> Commands(const CLI::App& app) {
  std::vector<Command> commands;
  Collect(app, "", &commands);
  return commands;
}

// The options --help shows, without --help itself on every command but the
// program's own.
std::vector<const CLI::Option*> ShownOptions(const Command& command) {
  const CLI::Option* help = command.app->get_help_ptr();
  const bool keep_help = command.path.empty();
  return command.app->get_options([help, keep_help](const CLI::Option* o) {
    return !o->get_group().empty() && (keep_help || o != help);
  });
}

std::vector<std::string> FlagNames(const CLI::Option& option) {
  std::vector<std::string> names;
  for (const std::string& s : option.get_snames()) names.push_back("-" + s);
  for (const std::string& l : option.get_lnames()) names.push_back("--" + l);
  return names;
}

// Flags have no value type; every option taking a value has one.
bool TakesValue(const CLI::Option& option) { return !option.get_type_name().empty(); }

// The value's type without the checks CLI11 appends ("TEXT" of "TEXT:{a,b}").
std::string ValueType(const CLI::Option& option) {
  const std::string full = option.get_type_name();
  return full.substr(0, full.find(':'));
}

// The values a membership check allows ("{eng,chi}" after the type), or none.
std::vector<std::string> Choices(const CLI::Option& option) {
  const std::string full = option.get_type_name();
  const size_t open = full.find(":{");
  const size_t close = full.find('}', open);
  std::vector<std::string> choices;
  if (open == std::string::npos || close == std::string::npos) return choices;
  std::istringstream list(full.substr(open + 2, close - open - 2));
  for (std::string choice; std::getline(list, choice, ',');) choices.push_back(choice);
  return choices;
}

std::string Join(const std::vector<std::string>& words, const char* separator) {
  std::string joined;
  for (const std::string& word : words) {
    if (!joined.empty()) joined += separator;
    joined += word;
  }
  return joined;
}

// Text for scdoc, where "*", "_" and "\" would start markup.
std::string Scdoc(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '*' || c == '_' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

void WriteManOption(const CLI::Option& option, std::ostream& out) {
  const std::string type = Scdoc(option.get_positional() ? option.get_name() : ValueType(option));
  const bool many = option.get_expected_max() > 1;
  if (option.get_positional()) {
    out << "_" << type << "_" << (many ? "..." : "");
  } else {
    out << "*" << Scdoc(Join(FlagNames(option), ", ")) << "*";
    if (TakesValue(option)) out << " _" << type << "_";
  }
  std::vector<std::string> words;
  if (!option.get_description().empty()) words.push_back(Scdoc(option.get_description()));
  if (std::vector<std::string> choices = Choices(option); !choices.empty()) {
    words.push_back("(" + Scdoc(Join(choices, ", ")) + ")");
  }
  out << "\n\t" << Join(words, " ") << "\n\n";
}

// "vidodez-cli settings set [options] NAME=VALUE..."
std::string Synopsis(const Command& command, const std::vector<const CLI::Option*>& options) {
  std::string line = "vidodez-cli " + command.path;
  bool has_flags = false;
  std::string operands;
  for (const CLI::Option* option : options) {
    if (!option->get_positional()) {
      has_flags = true;
      continue;
    }
    std::string name = option->get_name() + (option->get_expected_max() > 1 ? "..." : "");
    operands += " " + (option->get_required() ? name : "[" + name + "]");
  }
  if (has_flags) line += " [options]";
  return Scdoc(line + operands);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// How the completion offers the value of `option`.
std::string ValueKind(const CLI::Option& option) {
  if (std::vector<std::string> choices = Choices(option); !choices.empty()) {
    return "words:" + Join(choices, " ");
  }
  return ValueType(option) == kPrinterType ? "printer" : "file";
}

// The completion's key of a command: bash takes no empty key, so the program
// itself is "vidodez-cli" and every command is below it.
std::string Key(const Command& command) {
  return command.path.empty() ? "vidodez-cli" : "vidodez-cli " + command.path;
}

}  // namespace

void WriteManCommands(const CLI::App& app, std::ostream& out) {
  const std::vector<Command> commands = Commands(app);
  out << "# OPTIONS\n\n";
  for (const CLI::Option* option : ShownOptions(commands.front())) WriteManOption(*option, out);
  out << "Every command takes *-h, --help* too.\n\n# COMMANDS\n\n";
  for (size_t i = 1; i < commands.size(); ++i) {
    const Command& command = commands[i];
    const std::vector<const CLI::Option*> options = ShownOptions(command);
    out << "## " << Scdoc(command.path) << "\n\n"
        << Synopsis(command, options) << "\n\n"
        << Scdoc(command.app->get_description()) << "\n\n";
    for (const CLI::Option* option : options) WriteManOption(*option, out);
    if (const std::string footer = command.app->get_footer(); !footer.empty()) {
      out << Scdoc(footer) << "\n\n";
    }
  }
}

void WriteCompletionTables(const CLI::App& app, std::ostream& out) {
  const std::vector<Command> commands = Commands(app);
  std::ostringstream subs, flags, values, operands;
  for (const Command& command : commands) {
    std::vector<std::string> names;
    for (const CLI::App* sub :
         command.app->get_subcommands([](const CLI::App* s) { return !s->get_group().empty(); })) {
      names.push_back(sub->get_name());
    }
    const std::string key = Key(command);
    subs << "  [" << Quoted(key) << "]=" << Quoted(Join(names, " ")) << "\n";
    std::vector<std::string> all_flags;
    bool takes_operands = false;
    for (const CLI::Option* option :
         command.app->get_options([](const CLI::Option* o) { return !o->get_group().empty(); })) {
      if (option->get_positional()) {
        takes_operands = true;
        continue;
      }
      for (const std::string& name : FlagNames(*option)) {
        all_flags.push_back(name);
        if (TakesValue(*option)) {
          std::string field = key;
          field += '|';
          field += name;
          values << "  [" << Quoted(field) << "]=" << Quoted(ValueKind(*option)) << "\n";
        }
      }
    }
    flags << "  [" << Quoted(key) << "]=" << Quoted(Join(all_flags, " ")) << "\n";
    if (takes_operands) operands << "  [" << Quoted(key) << "]=1\n";
  }
  out << "local -A commands=(\n"
      << subs.str() << ")\n"
      << "local -A options=(\n"
      << flags.str() << ")\n"
      << "local -A values=(\n"
      << values.str() << ")\n"
      << "local -A operands=(\n"
      << operands.str() << ")\n";
}

bool AnswerReference(const CLI::App& app, int argc, const char* const* argv, int* exit_code) {
  if (argc < 2 || std::string_view(argv[1]) != "--reference") return false;
  const std::string_view kind = argc == 3 ? argv[2] : "";
  std::ostringstream text;
  if (kind == "man") {
    WriteManCommands(app, text);
  } else if (kind == "bash") {
    WriteCompletionTables(app, text);
  } else {
    std::fputs("vidodez-cli: --reference takes man or bash\n", stderr);
    *exit_code = kExitUsage;
    return true;
  }
  const std::string bytes = text.str();
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  *exit_code = std::fflush(stdout) == 0 && written ? kExitOk : kExitFailed;
  return true;
}

}  // namespace vidodez::cli
