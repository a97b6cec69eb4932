#include "gui/pages/port_selector.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QSignalBlocker>

#include "core/link/port_names.h"
#include "core/link/status_tables.h"
#include "core/platform/text_encoding.h"
#include "core/shell/texts.h"
#include "gui/pages/page_ui.h"
#include "gui/window/controls.h"
#include "gui/window/skin_combo_box.h"

namespace vidodez::gui {
namespace {

constexpr Text kConnected{"Connected", "已连接打印机"};
constexpr Text kUnconnected{"Unconnected", "未连接打印机"};
constexpr Text kNoPrinter{"No printer connected", "当前未连接任何打印机"};
constexpr Text kInterface{"Interface", "通讯接口"};
constexpr Text kUsb{"USB", "USB"};
constexpr Text kPort{"Port", "端口"};
constexpr Text kDropTip{"Hide or Display", "隐藏或显示面板"};
constexpr Text kModelTip{"Printer selected", "当前选择的打印机"};

// A printer's own bytes (GBK for the maker's Chinese models) as the screen
// shows them; the name without its closing line feed.
QString Shown(const std::string& printer_bytes) {
  return QString::fromStdString(platform::GbkForDisplay(printer_bytes)).trimmed();
}

}  // namespace

PortSelector::PortSelector(QWidget* root, QString device_prefix, QString label_prefix)
    : root_(root),
      device_prefix_(std::move(device_prefix)),
      label_prefix_(std::move(label_prefix)),
      connected_text_(kConnected.eng),
      unconnected_text_(kUnconnected.eng),
      no_printer_text_(kNoPrinter.eng) {}

int PortSelector::drop_width() const {
  auto* combo = FindControl<SkinComboBox>(root_, device_prefix_ + "Port");
  return combo != nullptr ? combo->drop_width() : 0;
}

void PortSelector::Init(platform::UsbPrintingClass& usb, CPrinterComm& comm, SelectorState& state) {
  if (auto* combo = FindControl<SkinComboBox>(root_, device_prefix_ + "Port")) {
    combo->SetDropWidth(kDefaultDropWidth);
  }
  std::vector<std::string> names;
  (void)EnumeratePrinters(usb, &names);
  state.entry_count = static_cast<int>(names.size());
  Fill(names, state.remembered_index);
  selected_name_ = SelectedName(names, state.remembered_index);
  (void)comm;
}

void PortSelector::Refresh(platform::UsbPrintingClass& usb, CPrinterComm& comm,
                           SelectorState& state) {
  const SelectorRefresh refresh = RefreshSelection(usb, comm, state);
  Fill(refresh.names, state.remembered_index);
  selected_name_ = refresh.selected_name;
  Show(comm.GetLanguage(), refresh.status);
}

void PortSelector::Fill(const std::vector<std::string>& names, int remembered) {
  auto* combo = FindControl<SkinComboBox>(root_, device_prefix_ + "Port");
  if (combo == nullptr) return;
  const QSignalBlocker quiet(combo);
  if (names != names_) {
    names_ = names;
    combo->clear();
    for (const std::string& name : names) combo->addItem(Shown(name));
  }
  if (names.empty()) {
    combo->SetDropWidth(kDefaultDropWidth);
    return;
  }
  // The first of the longest entries sets the list's width.
  size_t longest = 0;
  for (size_t i = 1; i < names.size(); ++i) {
    if (names[i].size() > names[longest].size()) longest = i;
  }
  combo->setCurrentIndex(remembered >= 0 && remembered < combo->count() ? remembered : -1);
  const int measured = QFontMetrics(combo->font()).horizontalAdvance(Shown(names[longest])) + 24;
  combo->SetDropWidth(std::max(measured, kDefaultDropWidth));
}

void PortSelector::Show(const std::string& language, int status) {
  shown_status_ = status;
  QRgb colour = kNotReadyColour;
  if (status >= 0) {
    connected_text_ = StatusMessage(status, language);
    if (status == kStatusReady) colour = kReadyColour;
  }
  auto* model = FindControl<QLabel>(root_, label_prefix_ + "ConnectPrinterName");
  auto* state = FindControl<QLabel>(root_, label_prefix_ + "PritnerIsConnect");
  const bool named = !selected_name_.empty();
  if (model != nullptr) {
    model->setText(named ? Shown(ModelName(selected_name_))
                         : QString::fromStdString(no_printer_text_));
  }
  if (state != nullptr) {
    state->setText(QString::fromStdString(named ? connected_text_ : unconnected_text_));
    state->setStyleSheet(QStringLiteral("color: %1;").arg(QColor(colour).name()));
    state->setProperty("statusColour", static_cast<uint>(colour));
  }
}

bool PortSelector::Handle(const Notification& n, SelectorState& state, RefreshTimer& timer) {
  const QString combo_name = device_prefix_ + "Port";
  if (n.Is(kDropDown, combo_name)) {
    timer.StopRefresh();
    return true;
  }
  // A list closed without a choice must not leave the status frozen: the
  // refresh runs again however the list closed.
  if (n.Is(kCloseUp, combo_name)) {
    timer.StartRefresh();
    return true;
  }
  if (n.Is(kItemSelect, combo_name)) {
    if (auto* combo = FindControl<QComboBox>(root_, combo_name)) {
      state.remembered_index = combo->currentIndex();
      selected_name_ = SelectedName(names_, state.remembered_index);
    }
    timer.StartRefresh();
    return true;
  }
  if (n.Is(kClick, device_prefix_ + "DropBtn")) {
    if (auto* bar = FindControl<QWidget>(root_, device_prefix_ + "PrinterDropBar")) {
      bar->setVisible(!bar->isVisible());
    }
    return true;
  }
  return false;
}

void PortSelector::SetTexts(const std::string& language) {
  SetControlTexts(root_, "Label", label_prefix_ + "PortTypeLabel", Pick(kInterface, language));
  SetControlTexts(root_, "Label", label_prefix_ + "PortTypeNameLabel", Pick(kUsb, language));
  SetControlTexts(root_, "Label", label_prefix_ + "PortHintLabel", Pick(kPort, language));
  SetControlTexts(root_, "Button", device_prefix_ + "DropBtn", nullptr, Pick(kDropTip, language),
                  true);
  SetControlTexts(root_, "Label", label_prefix_ + "ConnectPrinterName", nullptr,
                  Pick(kModelTip, language), true);
  connected_text_ = Pick(kConnected, language);
  unconnected_text_ = Pick(kUnconnected, language);
  no_printer_text_ = Pick(kNoPrinter, language);
  // What is shown already speaks the new language at once, not a tick later.
  Show(language, shown_status_);
}

}  // namespace vidodez::gui
