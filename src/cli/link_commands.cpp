#include "cli/link_commands.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "cli/cli_json.h"
#include "cli/cli_texts.h"
#include "cli/progress_bar.h"
#include "core/link/io_error_texts.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/link/printer_link.h"
#include "core/link/status_tables.h"
#include "core/platform/text_encoding.h"
#include "core/storage/storage_texts.h"

namespace vidodez::cli {
namespace {

// A display name as JSON text, without its closing line feed.
std::string JsonName(const std::string& display_name) {
  return JsonText(display_name.substr(0, display_name.size() - 1));
}

int List(CliEnv& env) {
  std::vector<std::string> names;
  std::vector<int> usb_ports;
  (void)EnumeratePrinters(*env.usb, &names, &usb_ports);
  if (env.json) {
    nlohmann::ordered_json printers = nlohmann::ordered_json::array();
    for (size_t i = 0; i < names.size(); ++i) {
      const std::string& name = names[i];
      printers.push_back({{"name", JsonName(name)},
                          {"model", JsonText(ModelName(name))},
                          {"usbPort", usb_ports[i]},
                          {"portNumber", PortNumberFromName(name)}});
    }
    return WriteJson(env, printers);
  }
  // The display name ends in a line feed of its own.
  std::string out;
  for (const auto& name : names) out += name;
  return WriteOut(env, out);
}

// The status failure with the cause the status request met.
std::string NoStatus(const CliEnv& env) {
  std::string message = Say(CliText::kNoStatus, env.language);
  const IoCause& cause = env.comm->status_cause();
  std::string words = IoErrorMessage(cause.error, cause.device, env.language);
  return words.empty() ? message : message + "\n" + words;
}

int Status(CliEnv& env) {
  std::string name;
  if (int rc = ResolvePrinter(env, &name); rc != kExitOk) return rc;
  int status = env.comm->GetPrinterStatus(name);
  if (status < 0) {
    Fail(NoStatus(env));
    return kExitFailed;
  }
  if (env.json) {
    return WriteJson(env, {{"printer", JsonName(name)},
                           {"model", JsonText(ModelName(name))},
                           {"status", status},
                           {"ready", status == kStatusReady},
                           {"message", StatusMessage(status, env.language)}});
  }
  return WriteOut(env, std::string(StatusMessage(status, env.language)) + "\n");
}

// The operator's text as the printer takes it, in GBK, as the console sends
// it; false, with the refusal told, for text that has no GBK form.
bool ToPrinterText(const CliEnv& env, const std::string& typed, std::string* bytes) {
  if (platform::Utf8ToGbk(typed, bytes) == 0) return true;
  Fail(StorageMessage(StorageText::kTextNotGbk, env.language).text);
  return false;
}

int Query(CliEnv& env, const std::string& text) {
  std::string command;
  if (!ToPrinterText(env, text, &command)) return kExitFailed;
  std::string name;
  if (int rc = ResolvePrinter(env, &name); rc != kExitOk) return rc;
  int rc = PrinterLink(*env.comm, name).Query(command);
  if (rc != kPortOk) {
    // Any other result is the open's, whose cause says why.
    const char* message = QueryResultMessage(rc, env.language);
    std::string open_failed = Say(CliText::kOpenFailed, env.language);
    Fail(LinkFailure(env, message != nullptr ? message : open_failed.c_str()));
    return kExitFailed;
  }
  if (env.json) {
    return WriteJson(env, {{"printer", JsonName(name)},
                           {"command", text},
                           {"reply", JsonText(env.comm->GetReply())}});
  }
  return WriteOut(env, env.comm->GetReply());
}

// Opens the chosen printer for sending: kExitOk with the link open.
int Open(CliEnv& env, PrinterLink& link) {
  if (link.Open() == kPortOk) return kExitOk;
  Fail(LinkFailure(env, Say(CliText::kOpenFailed, env.language).c_str()));
  return kExitFailed;
}

int Send(CliEnv& env, const std::string& text) {
  std::string command;
  if (!ToPrinterText(env, text, &command)) return kExitFailed;
  std::string name;
  if (int rc = ResolvePrinter(env, &name); rc != kExitOk) return rc;
  PrinterLink link(*env.comm, name);
  if (int rc = Open(env, link); rc != kExitOk) return rc;
  bool sent = link.SendLine(command) == kPortOk;
  link.Close();
  if (!sent) {
    Fail(LinkFailure(env, QueryResultMessage(kQueryWriteFailed, env.language)));
    return kExitFailed;
  }
  return kExitOk;
}

// Sends on a worker while this thread draws the progress bar and, with
// --watch, prints the printer's status every 500 ms, as the window's refresh
// does during a long transfer.
int SendShown(CliEnv& env, PrinterLink& link, const std::string& name, const std::string& path,
              bool watch, ProgressBar& bar) {
  constexpr auto kStep = std::chrono::milliseconds(50);
  constexpr int kStepsPerStatus = 10;
  std::atomic<bool> done{false};
  std::atomic<uint64_t> sent{0}, total{0};
  int rc = kPortOk;
  std::thread sender([&] {
    rc = link.SendFile(path, [&sent, &total](uint64_t now_sent, uint64_t now_total) {
      sent.store(now_sent, std::memory_order_relaxed);
      total.store(now_total, std::memory_order_relaxed);
      return true;
    });
    done = true;
  });
  for (int step = 0; !done; ++step) {
    if (watch && step % kStepsPerStatus == 0) {
      int status = env.comm->GetPrinterStatus(name);
      bar.Clear();
      Fail(status >= 0 ? StatusMessage(status, env.language) : NoStatus(env));
    }
    bar.Draw(sent, total);
    std::this_thread::sleep_for(kStep);
  }
  sender.join();
  bar.Draw(sent, total);
  bar.Finish();
  return rc;
}

int SendFile(CliEnv& env, const std::string& path, bool watch) {
  std::string name;
  if (int rc = ResolvePrinter(env, &name); rc != kExitOk) return rc;
  PrinterLink link(*env.comm, name);
  if (int rc = Open(env, link); rc != kExitOk) return rc;
  ProgressBar bar(stderr, env.language);
  int rc =
      watch || bar.shown() ? SendShown(env, link, name, path, watch, bar) : link.SendFile(path);
  link.Close();
  if (rc == kPortOk) return kExitOk;
  if (rc == kFileOpenFailed) Fail(Say(CliText::kCannotOpenFile, env.language) + " " + path);
  else if (rc == kFileReadFailed) Fail(Say(CliText::kCannotReadFile, env.language) + " " + path);
  else Fail(LinkFailure(env, QueryResultMessage(kQueryWriteFailed, env.language)));
  return kExitFailed;
}

}  // namespace

void AddLinkCommands(CLI::App& app, CliEnv& env, int* exit_code) {
  auto add_printer = [&env](CLI::App* command) { AddPrinterOption(command, env); };

  auto* list = app.add_subcommand("list", "list the printers, one display name per line");
  list->add_flag("--json", env.json, "print the list as JSON");
  list->callback([&env, exit_code] { *exit_code = List(env); });

  auto* status = app.add_subcommand("status", "print the printer's status message");
  add_printer(status);
  status->add_flag("--json", env.json, "print the printer, its status and its message as JSON");
  status->callback([&env, exit_code] { *exit_code = Status(env); });

  auto* query = app.add_subcommand("query", "send one command and print the printer's reply");
  add_printer(query);
  auto query_text = std::make_shared<std::string>();
  query->add_option("TEXT", *query_text, "the command")->required();
  query->add_flag("--json", env.json, "print the printer, the command and its reply as JSON");
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
  send_file->footer("On a terminal, stderr shows the progress of the send.");
  send_file->callback(
      [&env, exit_code, send_path, watch] { *exit_code = SendFile(env, *send_path, *watch); });
}

}  // namespace vidodez::cli
