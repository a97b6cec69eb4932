#include "gui/settings/printer_config_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalBlocker>
#include <iterator>

#include "core/config/model_list.h"
#include "core/shell/units.h"
#include "gui/guides/setting_guides.h"
#include "gui/settings/printer_config_texts.h"
#include "gui/window/controls.h"

namespace vidodez::gui {
namespace {

const SelectorPageInfo kPrinterConfig{
    "PrinterConfigSkin.ui", "AdvPC", "Adv", {"Printer settings", "打印机功能设置"},
    {"Read, edit, save and send the printer's settings; calibrate, reset and test.",
     "读取、编辑、保存并发送打印机设置；校准、复位与打印测试页。"}};

// An option pair: `off` selects value 0 of the field, `on` value 1.
struct OptionPair {
  int SettingsPage::*field;
  const char* off;
  const char* on;
};

constexpr OptionPair kPairs[] = {
    {&SettingsPage::tear, "STearOffDisableOp", "STearOffEnableOp"},
    {&SettingsPage::cutter, "SCutterDisableOp", "SCutterEnableOp"},
    {&SettingsPage::peel, "SPeelOffDisableOp", "SPeelOffEnableOp"},
    {&SettingsPage::direction, "SPositiveOp", "SReverseOp"},
    {&SettingsPage::menu_language, "SChiOp", "SEngOp"},
    {&SettingsPage::after_error, "ContinPrintEnableOp", "AddContinPrintEnableOp"},
    {&SettingsPage::resume_feed, "PrintBlankDisableOp", "PrintBlankEnableOp"},
};

struct ListControl {
  int SettingsPage::*field;
  const char* name;
};

constexpr ListControl kLists[] = {
    {&SettingsPage::darkness, "SDarkNessCombo"},     {&SettingsPage::speed, "SPrintingSpeedCombo"},
    {&SettingsPage::print_method, "SPrintModeCombo"}, {&SettingsPage::sensor_type, "SMediaSensorsCombo"},
    {&SettingsPage::media_height, "SMediaHeiCombo"},  {&SettingsPage::threshold, "SDetectThCombo"},
    {&SettingsPage::baud_rate, "SBoudRateCombo"},     {&SettingsPage::parity, "SParityBitCombo"},
    {&SettingsPage::data_bit, "SDataBitCombo"},
};

struct EditControl {
  SettingsEdit edit;
  const char* name;
  int max_length;
  const char* unit_label;  // null: not a numeric box that follows the unit
};

// The cut frequency field holds two characters; a third typed digit would be
// cut off at send, so the box takes no more than the field does.
constexpr EditControl kEdits[] = {
    {SettingsEdit::kTearOffset, "STearOffsetEdit", 6, "STearOffsetUnitLabel"},
    {SettingsEdit::kCuttingOffset, "SCuttingOffsetEdit", 6, "SCuttingOffsetUnitLabel"},
    {SettingsEdit::kCutFrequency, "SCuttingPapeNumEdit", 2, nullptr},
    {SettingsEdit::kBladeStopDelay, "SCutterStopPosEdit", 3, nullptr},
    {SettingsEdit::kPeelingOffset, "SPeelingOffsetEdit", 6, "SPeelingOffsetUnitLabel"},
    {SettingsEdit::kCalibrationLength, "SCalibrationLenEdit", 4, "SCalibrationLenUnitLabel"},
    {SettingsEdit::kVerticalOffset, "SVerticalOffsetEdit", 6, "SVerticalOffsetUnitLabel"},
    {SettingsEdit::kHorizontalOffset, "SHorizontalOffsetEdit", 6, "SHorizontalOffsetUnitLabel"},
    {SettingsEdit::kFeedOffset, "SPositiongingOffsetEdit", 6, "SPositiongingOffsetUnitLabel"},
};

// The controls that only printers with the longer settings line have.
constexpr const char* kExtendedControls[] = {
    "AddContinPrintEnableOp", "ContinPrintEnableOp", "PrintBlankEnableOp",
    "PrintBlankDisableOp",    "SMediaHeiCombo",      "SDetectThCombo"};

struct FixedList {
  const char* name;
  QSize item;
};

constexpr char kSpeeds[][4] = {"0", "1", "2", "2.5", "3", "3.5", "4",
                               "5", "6", "7", "8",   "9", "10"};
constexpr char kBaudRates[][7] = {"9600", "19200", "38400", "57600", "115200"};
constexpr char kDataBits[][5] = {"8bit", "7bit"};

QStringList Numbers(int first, int last) {
  QStringList items;
  for (int i = first; i <= last; ++i) items << QString::number(i);
  return items;
}

template <std::size_t N, std::size_t M>
QStringList Items(const char (&items)[N][M]) {
  QStringList list;
  for (const auto& item : items) list << QString::fromUtf8(item);
  return list;
}

void SizeItems(QComboBox* combo, QSize size) {
  for (int i = 0; i < combo->count(); ++i) combo->setItemData(i, size, Qt::SizeHintRole);
}

// Sets both options of a pair without raising "selectchanged"; neither when
// `value` is kNeither, which auto-exclusive buttons allow only while the
// exclusion is lifted.
void ShowPair(QWidget* root, const OptionPair& pair, int value) {
  auto* off = FindControl<QAbstractButton>(root, pair.off);
  auto* on = FindControl<QAbstractButton>(root, pair.on);
  if (off == nullptr || on == nullptr) return;
  const QSignalBlocker quiet_off(off);
  const QSignalBlocker quiet_on(on);
  const bool exclusive = off->autoExclusive();
  off->setAutoExclusive(false);
  on->setAutoExclusive(false);
  off->setChecked(value == 0);
  on->setChecked(value == 1);
  off->setAutoExclusive(exclusive);
  on->setAutoExclusive(exclusive);
}

int PairValue(QWidget* root, const OptionPair& pair) {
  auto* off = FindControl<QAbstractButton>(root, pair.off);
  auto* on = FindControl<QAbstractButton>(root, pair.on);
  if (on != nullptr && on->isChecked()) return 1;
  if (off != nullptr && off->isChecked()) return 0;
  return kNeither;
}

void ShowIndex(QWidget* root, const char* name, int index) {
  auto* combo = FindControl<QComboBox>(root, name);
  if (combo == nullptr) return;
  const QSignalBlocker quiet(combo);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

QStringList Entries(std::span<const Text> texts, const std::string& language) {
  QStringList items;
  for (const Text& t : texts) items << QString::fromUtf8(Pick(t, language));
  return items;
}

}  // namespace

PrinterConfigUI::PrinterConfigUI(PageContext& context, QWidget* parent)
    : SelectorPageUI(context, kPrinterConfig, parent),
      operator_(context.dialogs, context.skins, this,
                [&comm = context.comm] { return comm.GetLanguage(); }) {
  model_.model_list_path =
      QDir(context.skins.program_folder()).filePath(kModelListFileName).toStdString();
}

void PrinterConfigUI::Init() {
  SelectorPageUI::Init();
  model_.unit = context_.comm.GetUnit();
  for (const EditControl& e : kEdits) {
    if (auto* edit = FindControl<QLineEdit>(this, e.name)) edit->setMaxLength(e.max_length);
  }
  FillLists();
  Load();
}

void PrinterConfigUI::FillLists() {
  const auto fill = [this](const char* name, const QStringList& items, QSize item) {
    SetComboItems(this, name, items, -1);
    if (auto* combo = FindControl<QComboBox>(this, name)) SizeItems(combo, item);
  };
  fill("SDarkNessCombo", Numbers(0, 20), QSize(130, 28));
  fill("SDetectThCombo", Numbers(2, 24), QSize(130, 28));
  fill("SPrintingSpeedCombo", Items(kSpeeds), QSize(130, 28));
  fill("SBoudRateCombo", Items(kBaudRates), QSize(80, 20));
  fill("SDataBitCombo", Items(kDataBits), QSize(80, 20));
  for (const ListControl& l : kLists) ShowIndex(this, l.name, model_.*l.field);
}

void PrinterConfigUI::RefillLanguageLists() {
  const std::string& lang = language();
  SetComboItems(this, "SPrintModeCombo", Entries(PrintMethodEntries(), lang), model_.print_method);
  SetComboItems(this, "SMediaSensorsCombo", Entries(SensorTypeEntries(), lang), model_.sensor_type);
  SetComboItems(this, "SParityBitCombo", Entries(ParityEntries(), lang), model_.parity);
  SetComboItems(this, "SMediaHeiCombo", Entries(MediaHeightEntries(), lang), model_.media_height);
  // A list filled afresh selects its first entry; the page's own choice wins.
  for (const ListControl& l : kLists) ShowIndex(this, l.name, model_.*l.field);
}

void PrinterConfigUI::Start() { FollowUnit(); }

void PrinterConfigUI::FollowUnit() {
  // The model knows the unit its boxes are in; the link holds the one they
  // must show, whenever the system page changed it.
  if (model_.unit == context_.comm.GetUnit()) return;
  Store();
  model_.FollowUnit(context_.comm.GetUnit());
  Load();
}

void PrinterConfigUI::SetTexts() {
  SelectorPageUI::SetTexts();
  const std::string& lang = language();
  if (lang != "chi" && lang != "eng") return;
  for (const SettingsControlText& t : SettingsControlTexts()) {
    const bool has_tip = t.tool_tip.eng != nullptr || t.tool_tip.chi != nullptr;
    const char* tip = has_tip ? Pick(t.tool_tip, lang) : nullptr;
    SetControlTexts(this, t.kind, t.name, t.text.eng != nullptr ? Pick(t.text, lang) : nullptr,
                    tip != nullptr ? tip : "", has_tip);
  }
  // The labels name the unit the boxes are written in.
  FollowUnit();
  const char* unit = UnitName(model_.unit, lang);
  for (const EditControl& e : kEdits) {
    if (e.unit_label != nullptr) SetControlTexts(this, "Label", e.unit_label, unit);
  }
  RefillLanguageLists();
}

void PrinterConfigUI::RefreshPage() {
  SelectorPageUI::RefreshPage();
  // An operation's wait window lets the refresh timer run; the controls then
  // lag behind the model, so nothing is taken from them here.
  if (busy_) return;
  model_.printer = selector().selected_name();
  const int count_before = model_.field_count;
  operator_.set_parent(window());
  model_.AutoReadOnStatus(context_.comm, operator_, context_.selector.last_status_index);
  if (model_.field_count != count_before) Load();
}

void PrinterConfigUI::Store() {
  model_.printer = selector().selected_name();
  for (const OptionPair& p : kPairs) model_.*p.field = PairValue(this, p);
  for (const ListControl& l : kLists) {
    if (auto* combo = FindControl<QComboBox>(this, l.name)) model_.*l.field = combo->currentIndex();
  }
  for (const EditControl& e : kEdits) {
    if (auto* edit = FindControl<QLineEdit>(this, e.name)) {
      model_.Edit(e.edit) = edit->text().toStdString();
    }
  }
}

void PrinterConfigUI::Load() {
  for (const OptionPair& p : kPairs) ShowPair(this, p, model_.*p.field);
  for (const ListControl& l : kLists) ShowIndex(this, l.name, model_.*l.field);
  for (const EditControl& e : kEdits) {
    if (auto* edit = FindControl<QLineEdit>(this, e.name)) {
      const QString text = QString::fromStdString(model_.Edit(e.edit));
      if (edit->text() != text) edit->setText(text);
    }
  }
  ShowExtendedEnabled();
}

void PrinterConfigUI::ShowExtendedEnabled() {
  for (const char* name : kExtendedControls) {
    if (auto* control = FindControl<QWidget>(this, name)) {
      control->setEnabled(model_.extended_enabled);
    }
  }
}

void PrinterConfigUI::Run(int (SettingsPage::*operation)(CPrinterComm&, Operator&)) {
  if (busy_) return;
  busy_ = true;
  Store();
  operator_.set_parent(window());
  (void)(model_.*operation)(context_.comm, operator_);
  Load();
  busy_ = false;
}

void PrinterConfigUI::OpenGuide(const QString& button) {
  RunSettingGuide(button, context_.skins, language(), window());
}

bool PrinterConfigUI::HandleOption(const Notification& n) {
  using Interlock = void (SettingsPage::*)(Operator&, std::string_view);
  struct Chosen {
    const char* option;
    Interlock interlock;
  };
  static constexpr Chosen kChosen[] = {
      {"SCutterEnableOp", &SettingsPage::OnCutterEnabled},
      {"SPeelOffEnableOp", &SettingsPage::OnPeelEnabled},
      {"STearOffDisableOp", &SettingsPage::OnTearDisabled},
      {"ContinPrintEnableOp", &SettingsPage::OnPrintNextChosen},
      {"PrintBlankDisableOp", &SettingsPage::OnNoFeedChosen},
  };
  if (n.type != kSelectChanged) return false;
  const OptionPair* pair = nullptr;
  for (const OptionPair& p : kPairs) {
    if (n.sender == p.off || n.sender == p.on) pair = &p;
  }
  if (pair == nullptr) return false;
  // Every choice reaches the model at once: a refresh that reloads the
  // page from it must not undo the operator's clicks.
  model_.*pair->field = PairValue(this, *pair);
  for (const Chosen& c : kChosen) {
    if (n.sender != c.option) continue;
    Store();
    operator_.set_parent(window());
    (model_.*c.interlock)(operator_, language());
    Load();
  }
  return true;
}

bool PrinterConfigUI::HandleList(const Notification& n) {
  if (n.type != kItemSelect) return false;
  for (const ListControl& l : kLists) {
    if (n.sender != l.name) continue;
    Store();
    if (n.sender == "SMediaSensorsCombo") {
      operator_.set_parent(window());
      model_.OnSensorTypeChosen(operator_, language());
      Load();
    }
    return true;
  }
  return false;
}

bool PrinterConfigUI::HandleEdit(const Notification& n) {
  if (n.type != kTextChanged) return false;
  for (const EditControl& e : kEdits) {
    if (n.sender != e.name) continue;
    auto* edit = FindControl<QLineEdit>(this, e.name);
    if (edit == nullptr) return true;
    model_.Edit(e.edit) = edit->text().toStdString();
    operator_.set_parent(window());
    model_.OnEditChanged(e.edit, operator_, language());
    const QString text = QString::fromStdString(model_.Edit(e.edit));
    if (edit->text() != text) edit->setText(text);
    return true;
  }
  return false;
}

void PrinterConfigUI::Notify(const Notification& n) {
  if (n.type == kClick) {
    if (n.sender == "SAdvGetInfoFromPrinter") return Run(&SettingsPage::RetrieveFromPrinter);
    if (n.sender == "SAdvSaveConfigToINIBtn") return Run(&SettingsPage::SaveSettingsToFile);
    if (n.sender == "SAdvGetInfoFormINIBtn") return Run(&SettingsPage::LoadSettingsFromFile);
    if (n.sender == "SMediaCalibratioBtn") return Run(&SettingsPage::MediaCalibration);
    if (n.sender == "SPrintSelfCheckPageBtn") return Run(&SettingsPage::PrintTestPage);
    if (n.sender == "SAdvResetBtn") return Run(&SettingsPage::RestoreFactorySettings);
    if (n.sender == "SClearAllBtn") return Run(&SettingsPage::ClearBuffer);
    if (n.sender == "SAdvSendBtn") {
      if (busy_) return;
      busy_ = true;
      Store();
      operator_.set_parent(window());
      (void)model_.SendSettings(context_.comm, operator_, context_.selector.last_status_index);
      Load();
      busy_ = false;
      return;
    }
    if (n.sender == "SAdvResetSetting") {
      Store();
      model_.ResetAll();
      return Load();
    }
    if (IsGuideButton(n.sender)) return OpenGuide(n.sender);
  }
  // A question box runs its own event loop; the refresh stays out meanwhile.
  const bool was_busy = busy_;
  busy_ = true;
  const bool handled = HandleOption(n) || HandleList(n) || HandleEdit(n);
  busy_ = was_busy;
  if (handled) return;
  SelectorPageUI::Notify(n);
}

}  // namespace vidodez::gui
