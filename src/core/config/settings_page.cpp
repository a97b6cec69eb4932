#include "core/config/settings_page.h"

#include <algorithm>
#include <charconv>

#include "core/config/config_codes.h"
#include "core/config/model_list.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_input.h"
#include "core/config/settings_page_texts.h"
#include "core/shell/units.h"

namespace vidodez {
namespace {

// The list entry the record's field holds; `current` for a value the list
// does not have.
int EntryOf(const PrinterSettingsRecord& record, SettingsListId id, int current) {
  const SettingsList& list = SettingsListOf(id);
  const int index = ListIndexOfValue(list, (record.*list.field).view());
  return index != kNoSelection ? index : current;
}

// An option pair from a field: `off_value` selects 0, `on_value` 1.
int PairFromField(const SettingSlot& slot, const char* off_value, const char* on_value,
                  int current) {
  if (slot == off_value) return 0;
  if (slot == on_value) return 1;
  return current;
}

}  // namespace

bool ParseTypedNumber(std::string_view text, float* value) {
  *value = 0.0f;
  if (text.empty()) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto [ptr, ec] = std::from_chars(begin, end, *value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) return false;
  // As the page always did, text that is no number (a lone "-") reads as 0.
  if (ec != std::errc()) *value = 0.0f;
  return true;
}

int& SettingsPage::Choice(SettingsListId list) {
  switch (list) {
    case SettingsListId::kDarkness:
      return darkness;
    case SettingsListId::kSpeed:
      return speed;
    case SettingsListId::kPrintMethod:
      return print_method;
    case SettingsListId::kSensorType:
      return sensor_type;
    case SettingsListId::kMediaHeight:
      return media_height;
    case SettingsListId::kThreshold:
      return threshold;
    case SettingsListId::kBaudRate:
      return baud_rate;
    case SettingsListId::kParity:
      return parity;
    case SettingsListId::kDataBit:
      break;
  }
  return data_bit;
}

std::string& SettingsPage::Edit(SettingsEdit edit) {
  switch (edit) {
    case SettingsEdit::kTearOffset:
      return tear_offset;
    case SettingsEdit::kCuttingOffset:
      return cutting_offset;
    case SettingsEdit::kCutFrequency:
      return cut_frequency;
    case SettingsEdit::kBladeStopDelay:
      return blade_stop_delay;
    case SettingsEdit::kPeelingOffset:
      return peeling_offset;
    case SettingsEdit::kCalibrationLength:
      return calibration_length;
    case SettingsEdit::kVerticalOffset:
      return vertical_offset;
    case SettingsEdit::kHorizontalOffset:
      return horizontal_offset;
    case SettingsEdit::kFeedOffset:
      break;
  }
  return feed_offset;
}

std::vector<SettingsPage::OffsetBinding> SettingsPage::Offsets() {
  using R = PrinterSettingsRecord;
  return {{&R::TearoffOffset, &tear_offset},          {&R::CuttingOffset, &cutting_offset},
          {&R::PeelingOffset, &peeling_offset},       {&R::VerticalOffset, &vertical_offset},
          {&R::HorizontalOffset, &horizontal_offset}, {&R::PositioningOffset, &feed_offset}};
}

std::string* SettingsPage::LengthEdit(const RecordField& field) {
  if (field.slot == &PrinterSettingsRecord::CalibrationLen) return &calibration_length;
  for (auto [slot, edit] : Offsets()) {
    if (slot == field.slot) return edit;
  }
  return nullptr;
}

void SettingsPage::FillFromRecord() {
  const std::string_view resolution = record.ResolutionCode.view();
  for (auto [field, edit] : Offsets()) {
    const SettingSlot& slot = record.*field;
    int dots = 0;
    if (!slot.empty() && ParseSignedOffset(slot.view(), &dots)) {
      *edit = DotsToUnit(static_cast<float>(dots), resolution, unit);
    }
  }
  cut_frequency = record.CutterFrequency.str();
  blade_stop_delay = record.CutterStopPosition.str();

  using L = SettingsListId;
  for (L list : {L::kDarkness, L::kSpeed, L::kBaudRate, L::kParity, L::kDataBit, L::kPrintMethod,
                 L::kSensorType}) {
    Choice(list) = EntryOf(record, list, Choice(list));
  }

  if (HasExtendedFields(field_count)) {
    threshold = ThresholdFromRecord(record, EntryOf(record, L::kSensorType, kSensorTransmissive));
    media_height = EntryOf(record, L::kMediaHeight, media_height);
    after_error = PairFromField(record.PrintingState, "0", "1", after_error);
    resume_feed = PairFromField(record.PrintingBlank, "0", "1", resume_feed);
  }
  if (!record.CalibrationLen.empty()) {
    float millimetres = 0.0f;
    (void)ParseTypedNumber(record.CalibrationLen.view(), &millimetres);
    calibration_length = ConvertUnit(millimetres, resolution, kUnitMillimetres, unit);
  }

  cutter = PairFromField(record.Cutter, "0", "1", cutter);
  tear = PairFromField(record.TearOff, "0", "1", tear);
  peel = PairFromField(record.Peel, "0", "2", peel);
  direction = PairFromField(record.PrintDirection, "0", "1", direction);
  menu_language = PairFromField(record.MachineLanguage, "0", "1", menu_language);
}

void SettingsPage::ResetAll() {
  for (std::string* edit :
       {&tear_offset, &cutting_offset, &cut_frequency, &blade_stop_delay, &peeling_offset,
        &calibration_length, &vertical_offset, &horizontal_offset, &feed_offset}) {
    edit->clear();
  }
  for (const SettingsList& list : SettingsLists()) Choice(list.id) = kNoSelection;
  for (int* pair :
       {&tear, &cutter, &peel, &direction, &menu_language, &after_error, &resume_feed}) {
    *pair = kNeither;
  }
  sensor_thresholds.fill(kNoSelection);
  named_fields.clear();
  kept_values.clear();
}

void SettingsPage::ChangeUnit(int new_unit) {
  const std::string_view resolution = record.ResolutionCode.view();
  float value = 0.0f;
  for (auto binding : Offsets()) {
    if (ParseTypedNumber(*binding.edit, &value)) {
      *binding.edit = ConvertUnitFine(value, resolution, unit, new_unit);
    }
  }
  if (ParseTypedNumber(calibration_length, &value)) {
    calibration_length = ConvertUnit(value, resolution, unit, new_unit);
  }
  unit = new_unit;
}

void SettingsPage::FollowUnit(int link_unit) {
  if (link_unit != unit) ChangeUnit(link_unit);
}

int SettingsPage::OnCutterEnabled(Operator& op, std::string_view language) {
  if (peel == 1) {
    if (!op.Confirm(SettingsMessage(SettingsText::kPageCutDisablesPeel, language))) {
      cutter = 0;
      return kSettingsCancelled;
    }
    peel = 0;
    cutter = 1;
  }
  tear = 1;
  return kConfigOk;
}

int SettingsPage::OnPeelEnabled(Operator& op, std::string_view language) {
  if (cutter == 1) {
    if (!op.Confirm(SettingsMessage(SettingsText::kPagePeelDisablesCut, language))) {
      peel = 0;
      return kSettingsCancelled;
    }
    cutter = 0;
    peel = 1;
  }
  tear = 1;
  return kConfigOk;
}

int SettingsPage::OnTearDisabled(Operator& op, std::string_view language) {
  if (cutter == 1) {
    if (!op.Confirm(SettingsMessage(SettingsText::kPageTearOffDisablesCut, language))) {
      tear = 1;
      return kSettingsCancelled;
    }
    cutter = 0;
  }
  if (peel == 1) {
    if (!op.Confirm(SettingsMessage(SettingsText::kPageTearOffDisablesPeel, language))) {
      tear = 1;
      return kSettingsCancelled;
    }
    peel = 0;
  }
  return kConfigOk;
}

int SettingsPage::OnPrintNextChosen(Operator& op, std::string_view language) {
  if (op.Confirm(SettingsMessage(SettingsText::kConfirmPrintNext, language))) return kConfigOk;
  after_error = 1;
  return kSettingsCancelled;
}

int SettingsPage::OnNoFeedChosen(Operator& op, std::string_view language) {
  if (op.Confirm(SettingsMessage(SettingsText::kConfirmNoFeed, language))) return kConfigOk;
  resume_feed = 1;
  return kSettingsCancelled;
}

int SettingsPage::OnSensorTypeChosen(Operator& op, std::string_view language) {
  const bool supported =
      sensor_type != kSensorUpperReflective || CheckUpperReflectiveModel(op, language);
  threshold = ThresholdFromRecord(record, sensor_type);
  return supported ? kConfigOk : kSettingsModelNotSupported;
}

std::string UpperReflectiveModelName(const std::string& display_name) {
  size_t bracket = display_name.find('[');
  if (bracket == std::string::npos) return {};
  std::string model = display_name.substr(bracket);
  // Only these two brackets are taken off here; the selector's model text
  // has rules of its own.
  size_t marliX = model.find("[MarliXPrinters");
  size_t quorin = model.find("[QUORINPrinters");
  size_t first = std::min(marliX, quorin);
  if (first != std::string::npos) model.erase(first, 15);
  std::erase(model, ']');
  while (!model.empty() && (model.back() == '\n' || model.back() == '\r')) model.pop_back();
  return model;
}

bool SettingsPage::CheckUpperReflectiveModel(Operator& op, std::string_view language) const {
  if (printer.empty()) return false;
  int found = FindModelInSupportList(model_list_path, UpperReflectiveModelName(printer));
  if (found == kModelListed) return true;
  op.Tell(SettingsMessage(found == kModelNotListed ? SettingsText::kUpperReflectiveUnsupported
                                                   : SettingsText::kModelListMissing,
                          language));
  return false;
}

int SettingsPage::OnEditChanged(SettingsEdit edit, Operator& op, std::string_view language) {
  int result = ApplyEditRule(edit, &Edit(edit));
  if (result == kInputRefusedDigits)
    op.Tell(SettingsMessage(SettingsText::kInvalidDigits, language));
  if (result == kInputRefusedSigned)
    op.Tell(SettingsMessage(SettingsText::kInvalidSigned, language));
  const bool refused = result == kInputRefusedDigits || result == kInputRefusedSigned;
  return refused ? kSettingsChoiceInvalid : kConfigOk;
}

}  // namespace vidodez
