#pragma once
// The network page's model: the wired addresses and the Wi-Fi choices the
// operator made on the page, the states the page's rules give its controls,
// and the page's operations (read the addresses, send the wired settings or
// the Wi-Fi configuration, restore the Wi-Fi module, ping). The window binds
// its controls to these fields; the command line fills them from its
// arguments.

#include <string>
#include <string_view>
#include <vector>

#include "core/config/printer_settings_record.h"
#include "core/config/settings_commands.h"
#include "core/link/printer_comm.h"
#include "core/network/icmp_pinger.h"
#include "core/network/network_addresses.h"
#include "core/network/wifi_command.h"
#include "core/shell/operator.h"

namespace vidodez {

// The command that restores the Wi-Fi module's factory settings.
inline constexpr char kWifiFactoryCommand[] = "#HF>SF";
// The Wi-Fi module's addresses, on printers of 40 fields or more.
inline constexpr char kReadWifiAddressesCommand[] = "G0\r\n";
// The page pings with two requests.
inline constexpr int kPagePingCount = 2;

// DHCP is for a Wi-Fi module that joins a network (Client(STA)): one that
// serves its own (Server(AP)) hands addresses out and takes none. The page
// greys the option out in that mode, the command line refuses --dhcp with it.
inline bool DhcpAllowedInMode(int mode) { return mode == kWirelessModeClient; }

// The edit the window moves the focus to after a refusal.
enum class NetworkFocus { kNone, kNetworkName, kPassword };

struct NetworkPage {
  // --- the operator's choices ---
  std::string printer;  // the display name chosen in the page's selector
  NetworkAddresses addresses = InitialAddresses();
  int mode = kWirelessModeClient;             // WirelessModeCombo
  int channel = 0;                            // ChannelCombo position; kNoSelection for none
  int security = kPreferredSecurityPosition;  // SecurityModeCombo position
  std::string network_name;                   // WifiNameEdit, UTF-8 as typed
  std::string password;                       // PasskeyEdit, UTF-8 as typed
  bool wifi = false;  // WifiSettingOp: "Send to Printer" sends the Wi-Fi settings
  bool dhcp = false;  // DhcpSettingOp
  bool utf8 = false;  // CodingModeOp: the name goes out converted to UTF-8

  // --- what the page's rules make of the controls ---
  bool dhcp_enabled = true;           // DhcpSettingOp
  bool address_edits_enabled = true;  // the four address octet edits
  bool password_shown = true;         // PasskeyEdit and PasskeyLabel
  NetworkFocus focus = NetworkFocus::kNone;

  // --- what the page knows of the printer ---
  PrinterSettingsRecord record;            // the reply read last
  int field_count = kSettingsReadPending;  // the program's, as the lists last took it
  WifiSettings last_sent;                  // the Wi-Fi values of the last send

  // The entries of the channel and security lists for the printer's field
  // count and the mode.
  std::vector<std::string> ChannelEntries(std::string_view language = "eng") const {
    return ChannelList(field_count, language);
  }
  std::vector<std::string> SecurityEntries(std::string_view language = "eng") const {
    return SecurityList(mode, field_count, language);
  }

  // --- the page's rules, run on "itemselect" / "selectchanged" ---
  // The security list refilled for the mode and its preselection, the
  // channel list's position for the mode, and the mode's addresses.
  void ChooseMode(int new_mode);
  // "Open" hides the password.
  void ChooseSecurity(int position);
  void SetWifiOption(bool selected);
  // DHCP can be chosen: the printer's settings carry it and the mode allows it.
  bool DhcpOffered() const;
  // Any other option changed: the four address edits are enabled again.
  void OtherOptionChanged();
  // After OtherOptionChanged: the four address edits are disabled while
  // DHCP is chosen.
  void SetDhcpOption(bool selected);
  // Both lists refilled for the field count: the channel position kept
  // where the list still has it, the security list's preselection.
  void RefillLists();
  // The list update after a quiet read and at every switch to the page:
  // the lists refilled unless a read is pending, DHCP offered only to
  // printers whose settings carry it.
  void UpdateLists();
  // At every switch to the page: the name is converted to UTF-8 by default
  // where the program speaks Chinese.
  void FollowLanguage(std::string_view language);

  // --- operations; codes of network_codes.h, or the link's or the settings
  // reply's own; 0 success ---
  // One command line to the chosen printer: kNetworkOk, kWriteLineFailed
  // after telling the operator, or the open's code (told, but for no printer
  // at all or one that is not USB).
  [[nodiscard]] int SendNetworkCommand(CPrinterComm& comm, Operator& op,
                                       const std::string& command);
  // Asks the chosen printer and, when its reply holds settings, fills
  // `record` and `field_count`. A reply without settings is a failed read
  // (kSettingsReplyEmpty, kSettingsReplyUnmarked, kSettingsReplyUnfit) that
  // leaves both as they were. With `show_messages` the operator is told why
  // a read failed; `confirm` asks twice (PrinterLink::Query).
  [[nodiscard]] int ReadNetworkSettings(CPrinterComm& comm, Operator& op, bool show_messages,
                                        const std::string& command, bool confirm = false);
  // "^G1", or "G0" for the Wi-Fi module where the printer has one.
  std::string AddressCommand() const;
  // "Get IP Address": the printer's address, mask, gateway and port into
  // the edits.
  [[nodiscard]] int GetAddresses(CPrinterComm& comm, Operator& op);
  // "Send to Printer": the wired settings, or with `wifi` the Wi-Fi ones.
  [[nodiscard]] int SendToPrinter(CPrinterComm& comm, Operator& op);
  // Reads the printer, checks the addresses, writes them over its settings;
  // the countdown follows the write.
  [[nodiscard]] int SendWiredSettings(CPrinterComm& comm, Operator& op);
  // The page's checks in their order, the Wi-Fi line, the countdown.
  [[nodiscard]] int SendWifiSettings(CPrinterComm& comm, Operator& op);
  // "Wi-Fi Reset", after the operator agreed.
  [[nodiscard]] int RestoreWifiFactorySettings(CPrinterComm& comm, Operator& op);
  // "Ping": the address check, two requests to the address typed, each
  // reported to `observe` as it ends, and the answer told. Touches neither
  // the link nor the model, so it may run on a worker with a copy.
  [[nodiscard]] int Ping(Operator& op, std::string_view language,
                         const PingObserver& observe = {}) const;
  // The network end of each status refresh: arms or runs the quiet read on
  // the program's field count (the link's), then the list update when this
  // page's read or another page's changed it.
  [[nodiscard]] int AutoReadOnStatus(CPrinterComm& comm, Operator& op, int status);

 private:
  // DHCP off, as its option unselected: the address edits come back.
  void ClearDhcp();
  // The Wi-Fi values of the page for a send, after the checks that tell the
  // operator; kNetworkOk or the refusal's code.
  [[nodiscard]] int CollectWifiSettings(CPrinterComm& comm, Operator& op, WifiSettings* settings);
};

}  // namespace vidodez
