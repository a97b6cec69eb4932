#include "cli/firmware_cli.h"

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/cli_json.h"
#include "cli/cli_operator.h"
#include "cli/cli_texts.h"
#include "cli/progress_bar.h"
#include "cli/signals.h"
#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_files.h"
#include "core/firmware/firmware_folder.h"
#include "core/firmware/firmware_names.h"
#include "core/firmware/firmware_page.h"
#include "core/firmware/firmware_texts.h"
#include "core/link/port_codes.h"
#include "core/link/status_tables.h"
#include "core/platform/user_folders.h"
#include "core/shell/texts.h"

namespace vidodez::cli {
namespace {

struct FirmwareArgs {
  std::string folder;
  std::vector<std::string> files;
  std::string file;
  bool yes = false;
  bool watch = false;
};

enum class FirmwareCliText {
  kFolderUnreadable,
  kNotAFile,
  kTooShort,
  kNotWritten,
  kWritten,
  kAlreadyStamped,
  kWatchTimedOut,
  kCount
};

constexpr std::array<Text, static_cast<size_t>(FirmwareCliText::kCount)> kFirmwareTexts{{
    {"The folder cannot be read.", "无法读取文件夹。"},
    {"Not a file.", "不是文件。"},
    {"Shorter than 20 bytes: no place for a checksum.", "文件不足 20 字节，无处写入校验和。"},
    {"The checksum could not be written:", "无法写入校验和："},
    {"written", "已写入"},
    {"already stamped", "已有校验和"},
    {"The printer did not become ready again.", "打印机未重新就绪。"},
}};

std::string Words(FirmwareCliText text, const CliEnv& env) {
  return Pick(kFirmwareTexts[static_cast<size_t>(text)], env.language);
}

// The four bytes found at an image's checksum, readable whatever they hold.
std::string ShownBytes(const std::string& bytes) {
  std::string shown;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f) {
      shown.push_back(static_cast<char>(c));
    } else {
      static constexpr char kDigits[] = "0123456789abcdef";
      shown += "\\x";
      shown.push_back(kDigits[c >> 4]);
      shown.push_back(kDigits[c & 0xf]);
    }
  }
  return shown;
}

// Whether a file name's bytes are whole UTF-8 characters, none of them a
// control character (C1's included: 0x9b starts a terminal's escape codes).
bool PlainText(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x20 || c == 0x7f) return false;
    if (c < 0x80) {
      ++i;
      continue;
    }
    const size_t length = c >= 0xc2 && c < 0xe0    ? 2
                          : c >= 0xe0 && c < 0xf0  ? 3
                          : c >= 0xf0 && c <= 0xf4 ? 4
                                                   : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xc0) != 0x80) return false;
    if (c == 0xc2 && static_cast<unsigned char>(bytes[i + 1]) < 0xa0) return false;
    i += length;
  }
  return true;
}

// A name as a terminal may show it: as it is when it is plain text, else in
// double quotes with every other byte, a quote and a backslash escaped, so a
// line feed or an escape code in a file name can neither forge a line nor
// reach the terminal.
std::string Listed(const std::string& name) {
  if (PlainText(name)) return name;
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"' || c == '\\') {
      quoted += {'\\', c};
    } else {
      quoted += ShownBytes(std::string(1, c));
    }
  }
  return quoted + "\"";
}

// The bytes in hex, for a path that is no UTF-8: JSON shows it with U+FFFD,
// which loses them.
std::string HexBytes(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex.push_back(kDigits[c >> 4]);
    hex.push_back(kDigits[c & 0xf]);
  }
  return hex;
}

const char* KindOf(const FirmwareListNode& row) { return row.is_folder ? "folder" : "file"; }

const char* TooltipName(FirmwareTooltip tooltip) {
  switch (tooltip) {
    case FirmwareTooltip::kUpgradeIndicator:
      return "upgrade";
    case FirmwareTooltip::kShortIndicator:
      return "command";
    case FirmwareTooltip::kNone:
      break;
  }
  return nullptr;
}

int List(CliEnv& env, const FirmwareArgs& args) {
  std::vector<std::string> folders;
  if (args.folder.empty()) {
    folders = FirmwareFolders(platform::ProgramFolder());
  } else {
    std::vector<FirmwareEntry> entries;
    if (ScanFirmwareFolder(args.folder, &entries) != kFirmwareOk) {
      Fail(Words(FirmwareCliText::kFolderUnreadable, env) + " " + args.folder);
      return kExitFailed;
    }
    folders = {args.folder};
  }
  // A listing only looks: the page stamps, `firmware stamp` stamps.
  const std::vector<FirmwareListNode> rows =
      RefreshFirmwareList(folders, DefaultFirmwareFileCalls(), FirmwareStamping::kLeave);
  if (env.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const FirmwareListNode& row : rows) {
      nlohmann::ordered_json entry{{"folder", folders[static_cast<size_t>(row.folder_index)]},
                                   {"kind", KindOf(row)},
                                   {"name", row.text},
                                   {"path", row.relative_path}};
      if (!PlainText(row.relative_path)) entry["pathBytes"] = HexBytes(row.relative_path);
      if (!row.is_folder) {
        entry["button"] = row.button_name;
        const char* tooltip = TooltipName(row.tooltip);
        entry["tooltip"] = tooltip != nullptr ? nlohmann::ordered_json(tooltip) : nullptr;
      }
      list.push_back(std::move(entry));
    }
    return WriteJson(env, list);
  }
  // Relative paths, a folder's with "/" after it; with more than one firmware
  // folder each one's rows under its name, as ls lists several folders.
  std::string out;
  int heading = -1;
  for (const FirmwareListNode& row : rows) {
    if (folders.size() > 1 && row.folder_index != heading) {
      if (heading >= 0) out += "\n";
      heading = row.folder_index;
      out += Listed(folders[static_cast<size_t>(heading)]) + ":\n";
    }
    out += Listed(row.relative_path + (row.is_folder ? "/" : "")) + "\n";
  }
  return WriteOut(env, out);
}

// Stamps one file and says what came of it; false when it is neither
// stamped now nor stamped already.
bool StampOne(const CliEnv& env, const std::string& path, std::string* out) {
  StampResult result;
  switch (StampFirmwareImage(path, &result)) {
    case kFirmwareOk:
      *out += path + ": " +
              (result.written ? result.checksum + " " + Words(FirmwareCliText::kWritten, env)
                              : ShownBytes(result.found) + " " +
                                    Words(FirmwareCliText::kAlreadyStamped, env)) +
              "\n";
      return true;
    case kFirmwareFileNotFound:
    case kFirmwareFileOpenFailed:
      Fail(path + ": " + Say(CliText::kCannotOpenFile, env.language));
      break;
    case kFirmwareNotAFile:
      Fail(path + ": " + Words(FirmwareCliText::kNotAFile, env));
      break;
    case kFirmwareImageTooShort:
      Fail(path + ": " + Words(FirmwareCliText::kTooShort, env));
      break;
    case kFirmwareImageTooLarge:
      Fail(path + ": " + UploadRefusal(kFirmwareImageTooLarge, env.language).text);
      break;
    case kFirmwareFileWriteFailed:
      Fail(path + ": " + Words(FirmwareCliText::kNotWritten, env) + " " + result.checksum);
      break;
    default:
      Fail(path + ": " + Say(CliText::kCannotReadFile, env.language));
      break;
  }
  return false;
}

int Stamp(CliEnv& env, const FirmwareArgs& args) {
  bool all = true;
  std::string out;
  for (const std::string& path : args.files) all = StampOne(env, path, &out) && all;
  const int written = WriteOut(env, out);
  return all ? written : kExitFailed;
}

int Info(CliEnv& env) {
  FirmwareUpgradePage page;
  if (int rc = ResolvePrinter(env, &page.printer); rc != kExitOk) return rc;
  CliOperator op(false, env.language);
  const int rc = page.GetInfo(*env.comm, op);
  if (rc != kPortOk) {
    // The page says nothing of a printer that would not open; a script
    // needs to hear why.
    if (op.told() == 0) Fail(LinkFailure(env, Say(CliText::kOpenFailed, env.language).c_str()));
    return kExitFailed;
  }
  if (env.json) {
    return WriteJson(env,
                     {{"version", JsonText(page.info.version)}, {"id", JsonText(page.info.id)}});
  }
  return WriteOut(env, JsonText(page.info.version) + "\n" + JsonText(page.info.id) + "\n");
}

// After an upload: prints each status the printer goes through until it is
// ready again after an upgrade, or still ready a while after the upload (a
// command file starts no upgrade). 0 for a completed upgrade or none.
int WatchUpgrade(CliEnv& env, const std::string& name) {
  using Clock = std::chrono::steady_clock;
  constexpr auto kPoll = std::chrono::milliseconds(100);
  constexpr auto kReadyWithoutUpgrade = std::chrono::seconds(10);
  constexpr auto kLimit = std::chrono::minutes(10);
  const Clock::time_point start = Clock::now();
  std::optional<int> shown;
  bool upgrading = false;
  bool failed = false;
  while (Clock::now() - start < kLimit) {
    const int status = env.comm->GetPrinterStatus(name);
    if (status != shown) {
      shown = status;
      const std::string line = status >= 0 ? StatusMessage(status, env.language) + std::string("\n")
                                           : Say(CliText::kNoStatus, env.language) + "\n";
      if (WriteOut(env, line) != kExitOk) return kExitFailed;
    }
    if (status == kStatusUpgradeError) failed = true;
    if (status == kStatusReady && (upgrading || Clock::now() - start >= kReadyWithoutUpgrade))
      return failed ? kExitFailed : kExitOk;
    if (status != kStatusReady) upgrading = true;
    std::this_thread::sleep_for(kPoll);
  }
  Fail(Words(FirmwareCliText::kWatchTimedOut, env));
  return kExitFailed;
}

// Draws the upload's progress as send-file draws it, when stderr is a
// terminal: redrawn at most every kRedraw, and at the end.
constexpr std::chrono::milliseconds kRedraw{50};

SendProgress ShownOn(ProgressBar& bar) {
  using Clock = std::chrono::steady_clock;
  if (!bar.shown()) return {};
  return [&bar, next = Clock::time_point()](uint64_t sent, uint64_t total) mutable {
    const Clock::time_point now = Clock::now();
    if (now >= next || sent == total) {
      bar.Draw(sent, total);
      next = now + kRedraw;
    }
    return true;
  };
}

int Upgrade(CliEnv& env, const FirmwareArgs& args) {
  FirmwareUpgradePage page;
  if (int rc = ResolvePrinter(env, &page.printer); rc != kExitOk) return rc;
  // The page asks OK or Cancel of a file that is gone; here nothing is
  // asked of it.
  if (!FirmwareFileExists(args.file)) {
    Fail(FirmwareMessage(FirmwareText::kFileNotFound, env.language).text);
    return kExitFailed;
  }
  CliOperator op(args.yes, env.language);
  ProgressBar bar(stderr, env.language);
  std::optional<HeldTransferSignals> signals(std::in_place, env.language, bar.shown());
  const int rc = page.UpgradeFile(*env.comm, op, args.file, signals->Watching(ShownOn(bar)));
  bar.Finish();
  if (rc == kPortOk) {
    Fail(FirmwareMessage(FirmwareText::kUploadEnded, env.language).text);
    // A signal held during the upload ends the program here, not the watch.
    signals.reset();
    return args.watch ? WatchUpgrade(env, page.printer) : kExitOk;
  }
  // A refused question or file and a missing printer were told.
  if (op.refused() || op.told() > 0) return kExitFailed;
  if (page.last_upload == UploadEnd::kBroken) {
    Fail(LinkFailure(env, FirmwareMessage(FirmwareText::kUploadBroken, env.language).text.c_str()));
  } else if (rc == kFileOpenFailed || rc == kFileReadFailed || rc == kFirmwareFileOpenFailed ||
             rc == kFirmwareFileReadFailed) {
    Fail(Say(CliText::kCannotReadFile, env.language) + " " + args.file);
  } else {
    // The page says nothing of a printer that would not open.
    Fail(LinkFailure(env, Say(CliText::kOpenFailed, env.language).c_str()));
  }
  return kExitFailed;
}

}  // namespace

void AddFirmwareCommands(CLI::App& app, CliEnv& env, int* exit_code) {
  auto args = std::make_shared<FirmwareArgs>();
  auto add_printer = [&env](CLI::App* command) {
    command->add_option("-p,--printer", env.printer,
                        "a position in the list or the start of a name");
  };
  auto* firmware = app.add_subcommand("firmware", "firmware images and printer command files");
  firmware->require_subcommand(1);

  auto* list = firmware->add_subcommand(
      "list", "the firmware folders' entries in the page's order (nothing is stamped)");
  list->add_option("--folder", args->folder, "list this folder instead of the firmware folders");
  list->add_flag("--json", env.json, "print the list as JSON");
  list->callback([&env, exit_code, args] { *exit_code = List(env, *args); });

  auto* stamp = firmware->add_subcommand(
      "stamp", "write the checksum into images whose four bytes at offset 16 are zero");
  stamp->add_option("FILE", args->files, "the images")->required();
  stamp->callback([&env, exit_code, args] { *exit_code = Stamp(env, *args); });

  auto* info = firmware->add_subcommand("info", "print the printer's firmware version and ID");
  add_printer(info);
  info->add_flag("--json", env.json, "print them as JSON");
  info->callback([&env, exit_code] { *exit_code = Info(env); });

  auto* upgrade = firmware->add_subcommand(
      "upgrade", "stamp an image if it needs it, confirm, and send the file to the printer");
  add_printer(upgrade);
  upgrade->add_option("FILE", args->file, "the image or command file")->required();
  upgrade->add_flag("--yes", args->yes, "answer the confirmation with OK");
  upgrade->add_flag("--watch", args->watch,
                    "then print the printer's status as it changes until it is ready again");
  upgrade->callback([&env, exit_code, args] { *exit_code = Upgrade(env, *args); });
}

}  // namespace vidodez::cli
