#include "gui/network/printer_nic_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "core/network/network_texts.h"
#include "gui/pages/run_unless_busy.h"
#include "gui/window/controls.h"
#include "gui/window/transfer_runner.h"

namespace vidodez::gui {
namespace {

const SelectorPageInfo kPrinterNic{"PN", "PN"};

// The two captions of the gateway and port rows carry each other's names.
constexpr ControlText kPageTexts[] = {
    {"Label", "NicIPAddressHintLabel", {"IP Address :", "IP地址："}},
    {"Label", "NicSubNetMaskHintLabel", {"Subnet Mask :", "子网掩码："}},
    {"Label", "NicGateWayHintLabel", {"Network Port :", "网络端口："}},
    {"Label", "NicNetPortHintLabel", {"Gateway :", "默认网关："}},
    {"Button", "NicGetIPBtn", {"Get IP Address", "获取IP地址"}},
    {"Button", "NicSettingBtn", {"Send to Printer", "发送到打印机"}},
    {"Button", "NicPingNetBtn", {"Ping", "Ping"}},
    {"Label", "WifiSettingLabel", {"Instructions:", "网络打印设置说明："}},
    {"Combo",
     "WirelessModeCombo",
     {nullptr, nullptr},
     {"DHCP will be greyed out if selecting Server Mode, and the IP address must be specified "
      "manually then.",
      "打印机设置为服务器，必须正确设置右边的IP地址，此时动态分配IP控件不可用"}},
    {"Label", "IPAddHintLabel", {"IP Address Configuration", "IP地址设置"}},
    {"Label", "WirelessModeLabel", {"Wireless Mode:", "无线模式："}},
    {"Label", "ChannelLabel", {"Channel", "网络信道："}},
    {"Label", "SecurityModeLabel", {"Security Type:", "安全类型："}},
    {"Label", "WifiNameLabel", {"Network Name(SSID):", "网络名称(SSID)："}},
    {"Label", "PasskeyLabel", {"Password:", "PSK密码："}},
    // The DHCP row's caption explains the choice.
    {"Label",
     "DHCPLabel",
     {"DHCP:", "动态分配IP："},
     {"When DHCP is enabled, printer IP address will be allocated automatically. Or an IP "
      "address is required to be input manually on the right side.",
      "动态分配IP有效时,打印机动态分配IP，无需设置\n动态分配IP无效时，请在页面右边输入指定IP信息"}},
    {"Option",
     "WifiSettingOp",
     {"Wi-Fi Configuration", "Wi-Fi配置"},
     {"Make sure this Wi-Fi Configuration is checked before applying Wi-Fi setting to the "
      "printer.",
      "若配置Wi-Fi打印，请务必勾选“Wi-Fi配置”复选框"}},
    {"Option",
     "DhcpSettingOp",
     {"DHCP Configuration", "DHCP配置"},
     {"Only available for Wi-Fi Function.", "仅WiFi功能支持"}},
    {"Option",
     "CodingModeOp",
     {"GBK-TO-UTF8", "GBK-TO-UTF8"},
     {"Network name (SSID) encoding setting: tick to set the input text to UTF-8 format. Please "
      "try to alter this option while the SSID is displayed as error or mess code on client "
      "devices under the AP mode, or printer cannot connect to a WLAN network via Wi-Fi while "
      "other Wi-Fi configurations are correct under the STA mode.",
      "网络名称（SSID）的编码设置,"
      "在AP模式下设置后其他移动设备搜索为乱码时或STA模式配置信息正确情况无法"
      "连接Wi-Fi路由时请尝试切换编码设置。"}},
    {"Button",
     "RestoreFactoryBtn",
     {"Wi-Fi Reset", "Wi-Fi 恢复出厂设置"},
     {"It is suggested to restore the Wi-Fi Configuration to factory default under the guidance "
      "of customer service staff.",
      "将打印机Wi-Fi设置恢复到出厂配置，建议您在客服指导下进行操作！"}},
    {"Label",
     "IPAdressLabel",
     {"{p}{y 20}{f 2}Not all MARLIX printers support network printing, please check the printer "
      "user's manual for more information.{n}{n}{c #F27D30}{b}Note:{/b}{/c} Make sure the "
      "\"Wi-Fi Configuration\" box is checked before applying Wi-Fi settings to the printer. "
      "Reboot the printer to ensure its running with the correct parameters.{/f}{/p}",
      "{p}{y 20}{f "
      "5}MARLIX标签打印机支持有线网络打印或无线Wi-Fi打印，请根据您选购的打印机配置进行设置。"
      "{n}{n}若配置Wi-Fi打印，请务必勾选“Wi-"
      "Fi配置”复选框；设置成功后重启打印机，待打印机完全启动后，"
      "即可完成打印机Wi-Fi配置。{/f}{/p}"}},
};

// The three octet edits' groups, left to right, and the port edit.
struct OctetGroup {
  const char* prefix;
  OctetTexts NetworkAddresses::*octets;
};
constexpr OctetGroup kGroups[] = {
    {"NicIPAddressEdit", &NetworkAddresses::address},
    {"NicSubNetMaskEdit", &NetworkAddresses::mask},
    {"NicGateWayEdit", &NetworkAddresses::gateway},
};
constexpr char kPortEdit[] = "NicNetPortEdit";

// "NicIPAddressEdit", "NicIPAddressEdit1" ... for octet 0 to 3.
QString OctetEdit(const char* prefix, size_t octet) {
  return octet == 0 ? QString(prefix) : QString(prefix) + QString::number(octet);
}

QStringList Items(const std::vector<std::string>& entries) {
  QStringList items;
  for (const std::string& entry : entries) items << QString::fromStdString(entry);
  return items;
}

}  // namespace

PrinterNicUI::PrinterNicUI(PageContext& context, QString skin_file, QWidget* parent)
    : SelectorPageUI(context, kPrinterNic, std::move(skin_file), parent),
      bindings_(this),
      operator_(context.dialogs, context.skins, this,
                [&comm = context.comm] { return comm.GetLanguage(); }) {}

void PrinterNicUI::Init() {
  SelectorPageUI::Init();
  for (const OctetGroup& group : kGroups) {
    for (size_t i = 0; i < 4; ++i) {
      const QString name = OctetEdit(group.prefix, i);
      if (auto* edit = FindControl<QLineEdit>(this, name))
        edit->setMaxLength(static_cast<int>(kOctetWidth));
      bindings_.BindLineEdit(name, &(model_.addresses.*group.octets)[i]);
    }
  }
  if (auto* port = FindControl<QLineEdit>(this, kPortEdit))
    port->setMaxLength(static_cast<int>(kPortWidth));
  bindings_.BindLineEdit(kPortEdit, &model_.addresses.port);
  bindings_.BindComboIndex("WirelessModeCombo", &model_.mode);
  bindings_.BindComboIndex("ChannelCombo", &model_.channel);
  bindings_.BindComboIndex("SecurityModeCombo", &model_.security);
  bindings_.BindLineEdit("WifiNameEdit", &model_.network_name);
  bindings_.BindLineEdit("PasskeyEdit", &model_.password);
  bindings_.BindCheck("WifiSettingOp", &model_.wifi);
  bindings_.BindCheck("DhcpSettingOp", &model_.dhcp);
  bindings_.BindCheck("CodingModeOp", &model_.utf8);
  if (auto* replies = FindControl<QLabel>(this, "NicPingReplyLabel")) {
    replies->setTextFormat(Qt::PlainText);
  }
  // The countdown after a send stands over the send button.
  operator_.set_countdown_anchor(FindControl<QWidget>(this, "NicSettingBtn"));
  Load();
}

void PrinterNicUI::Start() {
  Store();
  model_.UpdateLists();
  Load();
}

void PrinterNicUI::ShowTexts(const std::string& lang) {
  SelectorPageUI::ShowTexts(lang);
  SetControlTexts(this, kPageTexts, lang);
  Store();
  model_.RefillLists();
  model_.FollowLanguage(lang);
  Load();
}

void PrinterNicUI::RefreshPage() {
  SelectorPageUI::RefreshPage();
  // An operation's boxes and wait window let the refresh timer run; the
  // model is the operation's until it ends.
  if (busy_) return;
  Store();
  const int count_before = model_.field_count;
  (void)model_.AutoReadOnStatus(context_.comm, operator_, context_.selector.last_status_index);
  if (model_.field_count != count_before) Load();
}

void PrinterNicUI::FillLists() {
  const std::string& lang = language();
  SetComboItems(this, "WirelessModeCombo", Items(WirelessModeList(lang)), model_.mode);
  SetComboItems(this, "ChannelCombo", Items(model_.ChannelEntries(lang)), model_.channel);
  SetComboItems(this, "SecurityModeCombo", Items(model_.SecurityEntries(lang)), model_.security);
}

void PrinterNicUI::Store() {
  bindings_.Store();
  model_.printer = selector().selected_name();
}

void PrinterNicUI::Load() {
  FillLists();
  bindings_.Load();
  if (auto* dhcp = FindControl<QWidget>(this, "DhcpSettingOp"))
    dhcp->setEnabled(model_.dhcp_enabled);
  for (size_t i = 0; i < 4; ++i) {
    if (auto* edit = FindControl<QWidget>(this, OctetEdit(kGroups[0].prefix, i))) {
      edit->setEnabled(model_.address_edits_enabled);
    }
  }
  for (const char* name : {"PasskeyEdit", "PasskeyLabel"}) {
    if (auto* control = FindControl<QWidget>(this, name))
      control->setVisible(model_.password_shown);
  }
  const char* focus = model_.focus == NetworkFocus::kNetworkName ? "WifiNameEdit"
                      : model_.focus == NetworkFocus::kPassword  ? "PasskeyEdit"
                                                                 : nullptr;
  model_.focus = NetworkFocus::kNone;
  if (focus != nullptr) {
    if (auto* edit = FindControl<QLineEdit>(this, focus)) edit->setFocus();
  }
}

void PrinterNicUI::Run(int (NetworkPage::*operation)(CPrinterComm&, Operator&)) {
  RunUnlessBusy(busy_, [&] {
    Store();
    (void)(model_.*operation)(context_.comm, operator_);
    Load();
  });
}

void PrinterNicUI::ShowPingLine(const QString& line) {
  ping_lines_ += (ping_lines_.isEmpty() ? "" : "\n") + line;
  if (auto* replies = FindControl<QLabel>(this, "NicPingReplyLabel")) replies->setText(ping_lines_);
  emit pingLineShown(line);
}

void PrinterNicUI::Ping() {
  if (busy_) return;
  Store();
  ping_lines_.clear();
  if (auto* replies = FindControl<QLabel>(this, "NicPingReplyLabel")) replies->clear();
  // The worker pings a copy of the page: nothing the window does meanwhile
  // reaches it, and the interface thread never reads what it writes.
  const NetworkPage work = model_;
  const std::string lang = language();
  std::array<uint8_t, 4> ip{};
  const std::string address = ParseIpv4Address(JoinAddress(work.addresses.address), &ip) == 0
                                  ? FormatIpv4Address(ip)
                                  : JoinAddress(work.addresses.address);
  TransferJob job;
  job.work = [this, &work, &lang, &address](TransferTask& task) {
    // The page shows what the ping found; the code only ends the job.
    (void)work.Ping(task.op(), lang, [this, &task, &lang, &address](const PingRequest& request) {
      const QString line = QString::fromStdString(PingRequestLine(address, request, lang));
      task.Post([this, line] { ShowPingLine(line); });
    });
  };
  job.page = this;
  job.held = {"NicPingNetBtn", "NicGetIPBtn", "NicSettingBtn", "RestoreFactoryBtn"};
  busy_ = true;
  // Another page's transfer holds the window's one runner: nothing is done.
  (void)context_.transfers.Run(std::move(job), operator_);
  busy_ = false;
}

bool PrinterNicUI::HandleChoice(const Notification& n) {
  if (n.type == kItemSelect) {
    if (n.sender == "WirelessModeCombo") {
      Store();
      model_.ChooseMode(model_.mode);
    } else if (n.sender == "SecurityModeCombo") {
      Store();
      model_.ChooseSecurity(model_.security);
    } else if (n.sender == "ChannelCombo") {
      Store();
      return true;
    } else {
      return false;
    }
    Load();
    return true;
  }
  if (n.type != kSelectChanged) return false;
  // Every option of the window reaches here, the frame's tabs included.
  Store();
  if (n.sender == "WifiSettingOp") {
    model_.SetWifiOption(model_.wifi);
  } else {
    model_.OtherOptionChanged();
    if (n.sender == "DhcpSettingOp") model_.SetDhcpOption(model_.dhcp);
  }
  Load();
  return false;
}

bool PrinterNicUI::HandleEdit(const Notification& n) {
  if (n.type != kTextChanged) return false;
  int (*rule)(std::string*) = nullptr;
  if (n.sender == kPortEdit) rule = ApplyPortRule;
  for (const OctetGroup& group : kGroups) {
    for (size_t i = 0; i < 4; ++i) {
      if (n.sender == OctetEdit(group.prefix, i)) rule = ApplyOctetRule;
    }
  }
  if (rule == nullptr) return false;
  auto* edit = FindControl<QLineEdit>(this, n.sender);
  if (edit == nullptr) return true;
  std::string text = edit->text().toStdString();
  (void)rule(&text);
  const QString ruled = QString::fromStdString(text);
  if (edit->text() != ruled) edit->setText(ruled);
  return true;
}

void PrinterNicUI::Notify(const Notification& n) {
  if (n.type == kClick) {
    if (n.sender == "NicGetIPBtn") return Run(&NetworkPage::GetAddresses);
    if (n.sender == "NicSettingBtn") return Run(&NetworkPage::SendToPrinter);
    if (n.sender == "RestoreFactoryBtn") return Run(&NetworkPage::RestoreWifiFactorySettings);
    if (n.sender == "NicPingNetBtn") return Ping();
  }
  if (HandleChoice(n) || HandleEdit(n)) return;
  SelectorPageUI::Notify(n);
}

}  // namespace vidodez::gui
