#include "cli/link_commands.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <nlohmann/json.hpp>

#include "cli/cli_texts.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/link/status_tables.h"

namespace vidodez::cli {
namespace {

int List(CliEnv& env) {
  std::vector<std::string> names;
  (void)EnumeratePrinters(*env.usb, &names);
  if (env.json) {
    nlohmann::json printers = nlohmann::json::array();
    for (const auto& name : names) {
      std::string bare = name.substr(0, name.size() - 1);
      printers.push_back({{"name", bare}, {"port", PortNumberFromName(name)}, {"model", ModelText(name)}});
    }
    WriteOut(printers.dump(2) + "\n");
    return kExitOk;
  }
  // The display name ends in a line feed of its own.
  for (const auto& name : names) WriteOut(name);
  return kExitOk;
}

int Status(CliEnv& env) {
  std::string name;
  if (int rc = ResolvePrinter(env, &name); rc != kExitOk) return rc;
  int status = env.comm->GetPrinterStatus(name);
  if (status < 0) {
    Fail(LinkFailure(env, Say(CliText::kNoStatus, env.language).c_str()));
    return kExitFailed;
  }
  WriteOut(std::string(StatusMessage(status, env.language)) + "\n");
  return kExitOk;
}

int Query(CliEnv& env, const std::string& text) {
  std::string name;
  if (int rc = ResolvePrinter(env, &name); rc != kExitOk) return rc;
  int rc = env.comm->QueryPrinter(PortNumberFromName(name), text);
  if (rc != kPortOk) {
    const char* message = QueryResultMessage(rc, env.language);
    std::string fallback = Say(CliText::kOpenFailed, env.language) + " (" + PortCodeName(rc) + ")";
    Fail(LinkFailure(env, message != nullptr ? message : fallback.c_str()));
    return kExitFailed;
  }
  WriteOut(env.comm->GetReply());
  return kExitOk;
}

// Opens the chosen printer for sending; kExitOk with the link open.
int OpenChosen(CliEnv& env) {
  std::string name;
  if (int rc = ResolvePrinter(env, &name); rc != kExitOk) return rc;
  int rc = env.comm->OpenLink(0, PortNumberFromName(name), 9600);
  if (rc != kPortOk || env.comm->port().IsPortClosed()) {
    env.comm->CloseLink();
    Fail(LinkFailure(env, Say(CliText::kOpenFailed, env.language).c_str()));
    return kExitFailed;
  }
  return kExitOk;
}

int Send(CliEnv& env, const std::string& text) {
  if (int rc = OpenChosen(env); rc != kExitOk) return rc;
  bool sent = env.comm->SendCommand(text);
  env.comm->CloseLink();
  if (!sent) {
    Fail(LinkFailure(env, QueryResultMessage(kQueryWriteFailed, env.language)));
    return kExitFailed;
  }
  return kExitOk;
}

// Sends on a worker while this thread reads the printer's status every
// 500 ms, as the window's refresh does during a long transfer.
int SendWatched(CliEnv& env, const std::string& name, const std::string& path) {
  std::atomic<bool> done{false};
  int rc = kPortOk;
  std::thread sender([&] {
    rc = env.comm->SendFile(path);
    done = true;
  });
  while (!done) {
    int status = env.comm->GetPrinterStatus(name);
    Fail(status >= 0 ? StatusMessage(status, env.language) : Say(CliText::kNoStatus, env.language));
    for (int i = 0; i < 10 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  sender.join();
  return rc;
}

int SendFile(CliEnv& env, const std::string& path, bool watch) {
  if (int rc = OpenChosen(env); rc != kExitOk) return rc;
  std::string name;
  (void)ResolvePrinter(env, &name);
  int rc = watch ? SendWatched(env, name, path) : env.comm->SendFile(path);
  env.comm->CloseLink();
  if (rc == kPortOk) return kExitOk;
  if (rc == kFileOpenFailed) Fail(Say(CliText::kCannotOpenFile, env.language) + " " + path);
  else if (rc == kFileReadFailed) Fail(Say(CliText::kCannotReadFile, env.language) + " " + path);
  else Fail(LinkFailure(env, QueryResultMessage(kQueryWriteFailed, env.language)));
  return kExitFailed;
}

}  // namespace

void AddLinkCommands(CLI::App& app, CliEnv& env, int* exit_code) {
  auto add_printer = [&env](CLI::App* command) {
    command->add_option("-p,--printer", env.printer,
                        "a position in the list (1 is the first) or the start of a name (USB02)");
  };

  auto* list = app.add_subcommand("list", "list the printers, one display name per line");
  list->add_flag("--json", env.json, "print the list as JSON");
  list->callback([&env, exit_code] { *exit_code = List(env); });

  auto* status = app.add_subcommand("status", "print the printer's status message");
  add_printer(status);
  status->callback([&env, exit_code] { *exit_code = Status(env); });

  auto* query = app.add_subcommand("query", "send one command and print the printer's reply");
  add_printer(query);
  auto query_text = std::make_shared<std::string>();
  query->add_option("TEXT", *query_text, "the command")->required();
  query->callback([&env, exit_code, query_text] { *exit_code = Query(env, *query_text); });

  auto* send = app.add_subcommand("send", "send one command line");
  add_printer(send);
  auto send_text = std::make_shared<std::string>();
  send->add_option("TEXT", *send_text, "the command")->required();
  send->callback([&env, exit_code, send_text] { *exit_code = Send(env, *send_text); });

  auto* send_file = app.add_subcommand("send-file", "send a file unchanged");
  add_printer(send_file);
  auto send_path = std::make_shared<std::string>();
  auto watch = std::make_shared<bool>(false);
  send_file->add_option("PATH", *send_path, "the file")->required();
  send_file->add_flag("--watch", *watch, "print the printer's status to stderr while sending");
  send_file->callback([&env, exit_code, send_path, watch] {
    *exit_code = SendFile(env, *send_path, *watch);
  });
}

}  // namespace vidodez::cli
