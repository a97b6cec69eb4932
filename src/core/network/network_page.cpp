#include "core/network/network_page.h"

#include "core/config/config_codes.h"
#include "core/config/settings_lists.h"
#include "core/config/settings_page_texts.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/printer_link.h"
#include "core/network/network_codes.h"
#include "core/network/network_texts.h"

namespace vidodez {
namespace {

// `code` after telling the operator `text`.
int Refuse(Operator& op, NetworkText text, std::string_view language, int code) {
  op.Tell(NetworkMessage(text, language));
  return code;
}

// `code` after telling the operator why the network rules refused it.
int RefuseCode(Operator& op, std::string_view language, int code) {
  return Refuse(op, NetworkTextOfCode(code), language, code);
}

// The countdown follows a write whether or not it went through, as the
// printers' tools have always done: the printer may have taken part of it.
bool WriteWasTried(int rc) { return rc == kNetworkOk || rc == kWriteLineFailed; }

}  // namespace

void NetworkPage::ChooseMode(int new_mode) {
  mode = new_mode;
  RefillLists();
  channel = DefaultChannelPosition(mode);
  if (mode == kWirelessModeServer) address_edits_enabled = true;
  ApplyModeDefaults(mode, &addresses);
  if (!DhcpOffered()) {
    ClearDhcp();
    dhcp_enabled = false;
  } else if (wifi) {
    dhcp_enabled = true;
  }
}

bool NetworkPage::DhcpOffered() const {
  return HasDhcpField(field_count) && DhcpAllowedInMode(mode);
}

void NetworkPage::ChooseSecurity(int position) {
  security = position;
  password_shown = position != kOpenSecurityPosition;
}

void NetworkPage::SetWifiOption(bool selected) {
  wifi = selected;
  if (!selected) {
    ClearDhcp();
    dhcp_enabled = false;
  } else {
    dhcp_enabled = DhcpOffered();
    if (!dhcp_enabled) ClearDhcp();
  }
}

void NetworkPage::OtherOptionChanged() { address_edits_enabled = true; }

void NetworkPage::SetDhcpOption(bool selected) {
  OtherOptionChanged();
  dhcp = selected;
  address_edits_enabled = !selected;
}

void NetworkPage::ClearDhcp() {
  if (dhcp) SetDhcpOption(false);
}

void NetworkPage::RefillLists() {
  if (channel >= static_cast<int>(ChannelEntries().size())) channel = kNoSelection;
  ChooseSecurity(SecurityPreselection(mode, field_count));
}

void NetworkPage::UpdateLists() {
  if (field_count != kSettingsReadPending) RefillLists();
  dhcp_enabled = DhcpOffered();
  // A disabled option the operator cannot clear must not stay in effect.
  if (!dhcp_enabled) ClearDhcp();
}

void NetworkPage::FollowLanguage(std::string_view language) { utf8 = language == "chi"; }

int NetworkPage::SendNetworkCommand(CPrinterComm& comm, Operator& op, const std::string& command) {
  const std::string& language = comm.GetLanguage();
  PrinterLink link(comm, printer);
  if (int rc = link.Open(); rc != kPortOk) {
    // No printer chosen, or one that is not USB: there was nothing to open.
    if (rc != kNoUsablePrinter && rc != kPrinterNotUsb) {
      op.Tell(WithCause(NetworkMessage(NetworkText::kOpenPortFailed, language), comm));
    }
    return rc;
  }
  if (int rc = link.SendLine(command); rc != kPortOk) {
    op.Tell(WithCause(NetworkMessage(NetworkText::kSendFailed, language), comm));
    return rc;
  }
  return kNetworkOk;
}

int NetworkPage::ReadNetworkSettings(CPrinterComm& comm, Operator& op, bool show_messages,
                                     const std::string& command, bool confirm) {
  int rc = PrinterLink(comm, printer).Query(command, confirm);
  if (IsQueryFailure(rc)) {
    if (show_messages) op.Tell(QueryResultOperatorMessage(rc, comm));
    return rc;
  }
  // The link's last reply belongs to an earlier exchange when the open
  // failed: it must not be taken for this printer's.
  if (rc != kPortOk) {
    if (show_messages) {
      op.Tell(WithCause(NetworkMessage(NetworkText::kOpenPortFailed, comm.GetLanguage()), comm));
    }
    return rc;
  }
  // A reply without settings is no read: empty fields must never reach a
  // settings line.
  const std::string reply = comm.GetReply();
  rc = ParseSettingsReply(reply, &record, &field_count);
  if (rc == kConfigOk) comm.set_settings_field_count(field_count);
  if (rc != kConfigOk && show_messages)
    op.Tell(SettingsReplyRefusal(rc, reply, comm.GetLanguage()));
  return rc;
}

std::string NetworkPage::AddressCommand() const {
  return wifi && HasDhcpField(field_count) ? kReadWifiAddressesCommand : kReadSettingsCommand;
}

int NetworkPage::GetAddresses(CPrinterComm& comm, Operator& op) {
  if (int rc = ReadNetworkSettings(comm, op, true, AddressCommand()); rc != kNetworkOk) return rc;
  AddressesFromRecord(record, &addresses);
  return kNetworkOk;
}

int NetworkPage::SendToPrinter(CPrinterComm& comm, Operator& op) {
  focus = NetworkFocus::kNone;
  return wifi ? SendWifiSettings(comm, op) : SendWiredSettings(comm, op);
}

int NetworkPage::SendWiredSettings(CPrinterComm& comm, Operator& op) {
  const std::string language = comm.GetLanguage();
  // The reply goes back to the printer: asked twice, so a late answer to an
  // earlier command cannot pass for it.
  if (int rc = ReadNetworkSettings(comm, op, true, kReadSettingsCommand, true); rc != kNetworkOk) {
    return rc;
  }
  if (int rc = CheckAddresses(addresses); rc != kNetworkOk) return RefuseCode(op, language, rc);
  std::string line;
  const std::string reply = comm.GetReply();
  int rc = BuildWiredSettingsCommand(reply, addresses, dhcp, &line);
  if (rc != kNetworkOk) {
    NetworkText text = NetworkTextOfCode(rc);
    // Too few fields, or a value that would split the line.
    if (text == NetworkText::kCount) {
      op.Tell(SettingsReplyRefusal(rc, reply, language));
      return rc;
    }
    return Refuse(op, text, language, rc);
  }
  rc = SendNetworkCommand(comm, op, line);
  if (WriteWasTried(rc)) op.WaitWithCountdown(kApplySettingsSeconds);
  return rc;
}

int NetworkPage::CollectWifiSettings(CPrinterComm& comm, Operator& op, WifiSettings* settings) {
  const std::string& language = comm.GetLanguage();
  if (printer.empty()) return Refuse(op, NetworkText::kCheckPort, language, kNoUsablePrinter);
  settings->mode = mode;
  const std::string typed_password = password_shown ? password : std::string();
  if (network_name.empty()) {
    focus = NetworkFocus::kNetworkName;
    return Refuse(op, NetworkText::kNetworkNameEmpty, language, kWifiSsidEmpty);
  }
  NetworkText question = utf8 ? NetworkText::kConfirmUtf8 : NetworkText::kConfirmGbk;
  if (!op.Confirm(NetworkMessage(question, language))) return kNetworkCancelled;
  if (int rc = EncodeSsid(network_name, utf8, &settings->ssid); rc != kNetworkOk) {
    focus = NetworkFocus::kNetworkName;
    return RefuseCode(op, language, rc);
  }
  if (settings->ssid.size() > kWifiTextLimit) {
    focus = NetworkFocus::kNetworkName;
    return Refuse(op, NetworkText::kNetworkNameTooLong, language, kWifiSsidTooLong);
  }
  // The password's length counts the bytes it goes out as.
  int rc = EncodeWifiPassword(typed_password, &settings->password);
  if (rc == kNetworkOk) rc = CheckWifiPassword(mode, security, settings->password);
  if (rc != kNetworkOk) {
    focus = NetworkFocus::kPassword;
    return RefuseCode(op, language, rc);
  }
  if (mode == kWirelessModeClient) {
    if (rc = CheckAddresses(addresses); rc != kNetworkOk) return RefuseCode(op, language, rc);
  }
  settings->channel_code = ChannelCode(channel, field_count);
  if (settings->channel_code < 0) return RefuseCode(op, language, kWifiChannelInvalid);
  if (security < 0 || security >= static_cast<int>(SecurityEntries().size())) {
    return RefuseCode(op, language, kWifiSecurityInvalid);
  }
  settings->security_code = security;
  settings->dhcp = dhcp ? 1 : 0;
  settings->address = addresses.address;
  settings->mask = addresses.mask;
  settings->gateway = addresses.gateway;
  return kNetworkOk;
}

int NetworkPage::SendWifiSettings(CPrinterComm& comm, Operator& op) {
  WifiSettings settings;
  if (int rc = CollectWifiSettings(comm, op, &settings); rc != kNetworkOk) return rc;
  std::string command;
  if (int rc = BuildWifiCommand(settings, &command); rc != kNetworkOk) {
    return RefuseCode(op, comm.GetLanguage(), rc);
  }
  last_sent = settings;
  int rc = SendNetworkCommand(comm, op, command);
  if (WriteWasTried(rc)) op.WaitWithCountdown(kApplySettingsSeconds);
  return rc;
}

int NetworkPage::RestoreWifiFactorySettings(CPrinterComm& comm, Operator& op) {
  const std::string language = comm.GetLanguage();
  if (!op.Confirm(NetworkMessage(NetworkText::kConfirmWifiReset, language))) {
    return kNetworkCancelled;
  }
  int rc = SendNetworkCommand(comm, op, kWifiFactoryCommand);
  // Told even after a failed write, after that write's own message: the
  // module may have taken the command.
  if (WriteWasTried(rc)) op.Tell(NetworkMessage(NetworkText::kDataSent, language));
  return rc;
}

int NetworkPage::Ping(Operator& op, std::string_view language, const PingObserver& observe) const {
  if (int rc = CheckAddresses(addresses); rc != kNetworkOk) return RefuseCode(op, language, rc);
  int rc = PingAddress(JoinAddress(addresses.address), kPagePingCount, observe);
  if (rc == kPingAddressInvalid) return RefuseCode(op, language, rc);
  op.Tell(NetworkMessage(rc == kNetworkOk ? NetworkText::kPingAnswered : NetworkText::kPingFailed,
                         language));
  return rc;
}

int NetworkPage::AutoReadOnStatus(CPrinterComm& comm, Operator& op, int status) {
  int shared = comm.settings_field_count();
  const bool turn = TakeQuietReadTurn(status, &shared);
  comm.set_settings_field_count(shared);
  const bool followed = field_count != shared;
  const int rc = turn ? ReadNetworkSettings(comm, op, false, kReadSettingsCommand) : kNetworkOk;
  if (!turn && !followed) return rc;
  // The lists follow every page's read, the settings page's too.
  field_count = comm.settings_field_count();
  UpdateLists();
  return rc;
}

}  // namespace vidodez
