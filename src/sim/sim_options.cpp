#include "sim/sim_options.h"

#include <charconv>
#include <chrono>
#include <cmath>

#include "core/shell/units.h"
#include "sim/label_bitmap.h"

namespace vidodez::sim {
namespace {

bool ParseInt(const std::string& text, int base, long low, long high, long* value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, *value, base);
  return !text.empty() && ec == std::errc() && ptr == end && *value >= low && *value <= high;
}

bool ParseReplyMode(const std::string& text, ReplyMode* mode) {
  static const std::pair<const char*, ReplyMode> kModes[] = {
      {"normal", ReplyMode::kNormal},     {"none", ReplyMode::kNone},
      {"empty", ReplyMode::kEmpty},       {"split", ReplyMode::kSplit},
      {"oversize", ReplyMode::kOversize}, {"slow", ReplyMode::kSlow}};
  for (const auto& [name, value] : kModes) {
    if (text == name) {
      *mode = value;
      return true;
    }
  }
  return false;
}

// Seconds with up to three decimals, 0 to an hour.
bool ParseSeconds(const std::string& text, std::chrono::milliseconds* value) {
  const char* end = text.data() + text.size();
  double seconds = 0;
  auto [ptr, ec] = std::from_chars(text.data(), end, seconds, std::chars_format::fixed);
  if (text.empty() || ec != std::errc() || ptr != end || !(seconds >= 0 && seconds <= 3600))
    return false;
  *value = std::chrono::milliseconds(std::llround(seconds * 1000));
  return true;
}

// A gigabyte a second is faster than the bus goes anyway.
constexpr long kMaxWriteRate = 1L << 30;

// A minute is far past any wait of the program's.
constexpr long kMaxReplyDelayMs = 60000;

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

const char kSimUsage[] =
    "usage: vidodez-printer-sim [options]\n"
    "  --bus DIR              simulated USB bus folder (else VIDODEZ_SIM_BUS, else\n"
    "                         $XDG_RUNTIME_DIR/vidodez-sim)\n"
    "  --gadget DEV           serve the kernel's printer gadget DEV instead of the bus\n"
    "  --port-number N        USB port number (default 1)\n"
    "  --description TEXT     port description (default \"MarliXPrinters \" + model)\n"
    "  --model TEXT           model name (default VT-4100)\n"
    "  --vid HEX, --pid HEX   USB vendor and product (default 0471 and 0168)\n"
    "  --serial TEXT          serial number (default SIM + port number in four digits)\n"
    "  --fields 32|39|40|41   fields of the settings reply (default 41)\n"
    "  --status BYTE          port status byte (default 24)\n"
    "  --wire-log FILE        append every received byte to FILE\n"
    "  --reply-mode MODE      normal|none|empty|split|oversize|slow\n"
    "  --state-dir DIR        keep the printer's state in DIR across restarts\n"
    "  --command-set-flag 0|1 the command-set flag of the settings reply (default 0)\n"
    "  --list-reply TEXT      answer \"^S1\" with TEXT as given\n"
    "  --upgrade-seconds N    how long each status step of a firmware upgrade\n"
    "                         lasts, in seconds, decimals allowed (default 3)\n"
    "  --write-rate BYTES     take in at most BYTES bytes a second (a slow printer;\n"
    "                         default 0, as fast as they come; simulated bus only)\n"
    "  --reply-delay MS       answer every command MS milliseconds after it\n"
    "                         arrived (a slow printer; default 0)\n"
    "  --label-dir DIR        write every printed label into DIR as NNNN-KIND.png\n"
    "                         and tell it on the output, one line a label\n"
    "  --dpi 203|300|600      the print head's resolution (default: the settings'\n"
    "                         resolution code, 203 dpi as delivered)\n"
    "  --label-size WxH       the label in dots (default 4 by 6 inches)\n"
    "  --version              print the version and the commit it was built from\n"
    "Runs until SIGINT or SIGTERM; SIGUSR1 unplugs, SIGUSR2 plugs back in.\n"
    "\n"
    "Fonts: a \"DT\" or \"~DT\" download (CR LF or CR CR LF line ends) is stored\n"
    "only when its hex payload holds exactly the announced size, under the name\n"
    "it was sent with; \"^S1\" lists it with \"#\", ZF\"NAME\" or ^ZF\"NAME\"\n"
    "deletes it. Test programs are taken; their \"CF...\", \"^CW...\", \"P...\" and\n"
    "\"^XZ\" lines count as printed.\n"
    "\n"
    "Firmware: a transfer that begins with a part number of printable ASCII\n"
    "padded with NUL (at least one) to 16 bytes, then four lower-case hex\n"
    "digits, starts an image; every byte until 300 ms of quiet belongs to it.\n"
    "When the part number is the settings reply's field 7 and the checksum is\n"
    "right, the status goes to 19 (updating), then 107 (upgrade complete), then\n"
    "24 (ready), each for --upgrade-seconds; the new version, reported in field\n"
    "6 from upgrade complete on, is the text in the image's bytes 20 to 47 up to\n"
    "the first NUL (1 to 9 printable characters without \"*\" or blanks; else\n"
    "the version stays). Otherwise the status is 106 (upgrade error) for\n"
    "--upgrade-seconds, then 24 with the old version.\n"
    "\n"
    "Network: \"#PS>S\" sets the wired address, mask, gateway, port and DHCP\n"
    "that \"^G1\" reports. \"#UM>WL\" (a malformed one changes nothing) is\n"
    "applied by the \"#HF>ST\" after it; \"#HF>SF\" restores the Wi-Fi factory\n"
    "settings (AP, MarliX-Printer, channel 06, WPA2-PSK/AES, 12345678,\n"
    "010.010.100.254). On printers of 40 fields or more \"G0\" answers the\n"
    "settings reply with the Wi-Fi address, mask and gateway.\n"
    "\n"
    "Labels: \"U\" prints the configuration label; a label composed of VRLE\n"
    "(\"N\", \"A\", \"B\", \"b\", \"LO\", \"X\", \"GG\", \"FR\", \"CF\", \"P\"/\"W\")\n"
    "or VRLZ (\"^XA\", \"^FO\", \"^A\", \"^FD\", \"^GB\", \"^BC\", \"^BQ\", \"^XG\",\n"
    "\"^CW\", \"^XZ\") commands prints at its print command; commands it does\n"
    "not understand are skipped and named on the label's line. Resident fonts\n"
    "are DejaVu Sans Mono in fixed cells; downloaded fonts are drawn with\n"
    "FreeType, barcodes (Code 128, QR) with zint. A graphic download or form\n"
    "definition whose bytes stop coming for 5 s is given up.\n"
    "\n"
    "State in --state-dir, per serial: SERIAL.settings (one field a line),\n"
    "SERIAL.calibration, SERIAL.stored (\"F|T|G NAMEHEX DATAHEX\" a line: forms,\n"
    "fonts, graphics) and SERIAL.wifi (mode=, ssid=, channel=, security=,\n"
    "password=, dhcp=, address=, mask=, gateway=; the name and password as the\n"
    "bytes sent), SERIAL.labels (the labels printed).\n";

int ParseSimCommandLine(const std::vector<std::string>& args, SimCommandLine* line,
                        std::string* error) {
  PrinterOptions& p = line->printer;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--help" || option == "-h") {
      line->help = true;
      continue;
    }
    if (option == "--version") {
      line->version = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      *error = "unknown option or missing value: " + option;
      return 2;
    }
    const std::string& value = args[++i];
    long number = 0;
    bool ok = true;
    if (option == "--bus") {
      line->bus_dir = value;
    } else if (option == "--gadget") {
      line->gadget = value;
    } else if (option == "--port-number") {
      ok = ParseInt(value, 10, 1, 999, &number);
      p.port_number = static_cast<int>(number);
    } else if (option == "--description") {
      ok = !HasLineBreak(value);
      p.description = value;
    } else if (option == "--model") {
      ok = !value.empty() && !HasLineBreak(value);
      p.model = value;
    } else if (option == "--vid" || option == "--pid") {
      ok = ParseInt(value, 16, 0, 0xffff, &number);
      (option == "--vid" ? p.vid : p.pid) = static_cast<uint16_t>(number);
    } else if (option == "--serial") {
      // The serial becomes part of file names and of the device path.
      ok = !value.empty() && value.find_first_of("/#\\\r\n") == std::string::npos;
      p.serial = value;
    } else if (option == "--fields") {
      ok = ParseInt(value, 10, 32, 41, &number) &&
           (number == 32 || number == 39 || number == 40 || number == 41);
      p.fields = static_cast<int>(number);
    } else if (option == "--status") {
      ok = ParseInt(value, 10, 0, 255, &number);
      p.status = static_cast<uint8_t>(number);
    } else if (option == "--wire-log") {
      p.wire_log = value;
    } else if (option == "--reply-mode") {
      ok = ParseReplyMode(value, &p.reply_mode);
    } else if (option == "--state-dir") {
      p.state_dir = value;
    } else if (option == "--command-set-flag") {
      ok = value == "0" || value == "1";
      p.command_set_flag = value.empty() ? '0' : value[0];
    } else if (option == "--list-reply") {
      p.list_reply = value;
    } else if (option == "--upgrade-seconds") {
      std::chrono::milliseconds step{};
      ok = ParseSeconds(value, &step);
      p.upgrade_step = step;
    } else if (option == "--write-rate") {
      ok = ParseInt(value, 10, 0, kMaxWriteRate, &number);
      p.write_rate = static_cast<uint64_t>(number);
    } else if (option == "--label-dir") {
      ok = !value.empty();
      line->label_dir = value;
    } else if (option == "--dpi") {
      ok = ParseInt(value, 10, 203, 600, &number) &&
           !ResolutionCodeForDpi(static_cast<int>(number)).empty();
      p.dpi = static_cast<int>(number);
    } else if (option == "--label-size") {
      // WxH in dots.
      const size_t x = value.find('x');
      long width = 0, height = 0;
      ok = x != std::string::npos && ParseInt(value.substr(0, x), 10, 1, kMaxLabelSide, &width) &&
           ParseInt(value.substr(x + 1), 10, 1, kMaxLabelSide, &height);
      p.label_width = static_cast<int>(width);
      p.label_height = static_cast<int>(height);
    } else if (option == "--reply-delay") {
      ok = ParseInt(value, 10, 0, kMaxReplyDelayMs, &number);
      p.reply_delay = std::chrono::milliseconds(number);
    } else {
      *error = "unknown option: " + option;
      return 2;
    }
    if (!ok) {
      *error = "invalid value for " + option;
      *error += ": ";
      *error += value;
      return 2;
    }
  }
  return 0;
}

}  // namespace vidodez::sim
