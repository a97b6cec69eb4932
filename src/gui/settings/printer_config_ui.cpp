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
#include "gui/pages/run_unless_busy.h"
#include "gui/settings/printer_config_texts.h"
#include "gui/window/controls.h"

namespace vidodez::gui {
namespace {

const SelectorPageInfo kPrinterConfig{"AdvPC", "Adv"};

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

// A list of settings_lists.h and its control; the fixed lists keep their
// entries' height, the ones in words follow the language.
struct ListControl {
  SettingsListId list;
  const char* name;
  QSize item;  // empty: the style's own
};

constexpr ListControl kLists[] = {
    {SettingsListId::kDarkness, "SDarkNessCombo", {130, 28}},
    {SettingsListId::kSpeed, "SPrintingSpeedCombo", {130, 28}},
    {SettingsListId::kPrintMethod, "SPrintModeCombo", {}},
    {SettingsListId::kSensorType, "SMediaSensorsCombo", {}},
    {SettingsListId::kMediaHeight, "SMediaHeiCombo", {}},
    {SettingsListId::kThreshold, "SDetectThCombo", {130, 28}},
    {SettingsListId::kBaudRate, "SBoudRateCombo", {80, 20}},
    {SettingsListId::kParity, "SParityBitCombo", {}},
    {SettingsListId::kDataBit, "SDataBitCombo", {80, 20}},
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
constexpr const char* kExtendedControls[] = {"AddContinPrintEnableOp", "ContinPrintEnableOp",
                                             "PrintBlankEnableOp",     "PrintBlankDisableOp",
                                             "SMediaHeiCombo",         "SDetectThCombo"};

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

}  // namespace

PrinterConfigUI::PrinterConfigUI(PageContext& context, QString skin_file, QWidget* parent)
    : SelectorPageUI(context, kPrinterConfig, std::move(skin_file), parent),
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
  const std::string& lang = language();
  for (const ListControl& l : kLists) {
    SetComboItems(this, l.name, TextItems(SettingsListOf(l.list).entries, lang), -1);
    if (auto* combo = FindControl<QComboBox>(this, l.name); combo != nullptr && !l.item.isEmpty())
      SizeItems(combo, l.item);
    // A list filled afresh selects its first entry; the page's own choice wins.
    ShowIndex(this, l.name, model_.Choice(l.list));
  }
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

void PrinterConfigUI::ShowTexts(const std::string& lang) {
  SelectorPageUI::ShowTexts(lang);
  SetControlTexts(this, SettingsControlTexts(), lang);
  // The labels name the unit the boxes are written in.
  FollowUnit();
  const char* unit = UnitName(model_.unit, lang);
  for (const EditControl& e : kEdits) {
    if (e.unit_label != nullptr) SetControlTexts(this, "Label", e.unit_label, unit);
  }
  FillLists();
}

void PrinterConfigUI::RefreshPage() {
  SelectorPageUI::RefreshPage();
  // An operation's wait window lets the refresh timer run; the controls then
  // lag behind the model, so nothing is taken from them here.
  if (busy_) return;
  model_.printer = selector().selected_name();
  const int count_before = model_.field_count;
  (void)model_.AutoReadOnStatus(context_.comm, operator_, context_.selector.last_status_index);
  if (model_.field_count != count_before) Load();
}

void PrinterConfigUI::Store() {
  model_.printer = selector().selected_name();
  for (const OptionPair& p : kPairs) model_.*p.field = PairValue(this, p);
  for (const ListControl& l : kLists) {
    if (auto* combo = FindControl<QComboBox>(this, l.name))
      model_.Choice(l.list) = combo->currentIndex();
  }
  for (const EditControl& e : kEdits) {
    if (auto* edit = FindControl<QLineEdit>(this, e.name)) {
      model_.Edit(e.edit) = edit->text().toStdString();
    }
  }
}

void PrinterConfigUI::Load() {
  for (const OptionPair& p : kPairs) ShowPair(this, p, model_.*p.field);
  for (const ListControl& l : kLists) ShowIndex(this, l.name, model_.Choice(l.list));
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
  RunUnlessBusy(busy_, [&] {
    Store();
    (void)(model_.*operation)(context_.comm, operator_);
    Load();
  });
}

void PrinterConfigUI::OpenGuide(const QString& button) {
  RunSettingGuide(button, context_.skins, language(), window());
}

bool PrinterConfigUI::HandleOption(const Notification& n) {
  using Interlock = int (SettingsPage::*)(Operator&, std::string_view);
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
    (void)(model_.*c.interlock)(operator_, language());
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
      (void)model_.OnSensorTypeChosen(operator_, language());
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
    (void)model_.OnEditChanged(e.edit, operator_, language());
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
      return RunUnlessBusy(busy_, [&] {
        Store();
        (void)model_.SendSettings(context_.comm, operator_, context_.selector.last_status_index);
        Load();
      });
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
