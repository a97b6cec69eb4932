#include <algorithm>
#include <string>
#include <string_view>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_input.h"
#include "core/config/settings_page.h"
#include "core/config/settings_page_texts.h"
#include "core/config/settings_values.h"
#include "core/shell/units.h"

namespace vidodez {
namespace {

// What `settings get` calls the number of fields of the reply.
constexpr std::string_view kFieldCountName = "FieldCount";

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// A list entry of the field's rule, written with at most two digits ("5" or
// "05"); -1 otherwise.
int EntryNumber(const FieldRule& rule, std::string_view value) {
  int number = 0;
  if (value.size() > 2 || ParseWholeInRange(value, rule.min, rule.max, &number) != kConfigOk ||
      value[0] == '-' || (number - rule.min) % rule.step != 0) {
    return -1;
  }
  return number;
}

class Chooser {
 public:
  Chooser(SettingsPage& page, const RecordField& field, Operator& op, std::string_view language)
      : page_(page), field_(field), op_(op), language_(language) {}

  int Refuse(SettingsText text) {
    op_.Tell(SettingsMessage(text, language_, field_.name, AllowedValuesText(field_.rule)));
    return text == SettingsText::kValueOutOfRange ? kSettingsValueOutOfRange
                                                  : kSettingsChoiceInvalid;
  }

  // A list: the entry's position in the list.
  int Index(int* choice, SettingsListId list, std::string_view value) {
    int number = EntryNumber(field_.rule, value);
    int index = number < 0 ? kNoSelection : ListIndexOfNumber(SettingsListOf(list), number);
    if (index == kNoSelection) return Refuse(SettingsText::kValueNotAllowed);
    *choice = index;
    return kConfigOk;
  }

  // An option pair: the field's lowest value selects 0, its highest 1.
  int Pair(int* choice, std::string_view value) {
    int number = EntryNumber(field_.rule, value);
    if (number < 0 || value.size() != 1) return Refuse(SettingsText::kValueNotAllowed);
    *choice = number == field_.rule.min ? 0 : 1;
    return kConfigOk;
  }

  // An edit box, under the box's own character rule. The page's boxes cut a
  // number down to their limit; a number given by name is refused instead.
  int Edit(SettingsEdit edit, std::string_view value) {
    if (page_.LengthEdit(field_) != nullptr) return Length(edit, value);
    std::string text(value);
    int rule = ApplyEditRule(edit, &text);
    if (rule == kInputRefusedDigits || rule == kInputRefusedSigned || text.empty()) {
      return Refuse(SettingsText::kValueNotAllowed);
    }
    if (rule == kInputClamped) return Refuse(SettingsText::kValueOutOfRange);
    page_.Edit(edit) = text;
    return kConfigOk;
  }

  // A length: a decimal number in the page's unit, which a unit's name after
  // it may repeat ("3.94inch", as `settings get` prints it); its range is
  // known in the printer's units only, and is checked at send.
  int Length(SettingsEdit edit, std::string_view value) {
    std::string_view number = value;
    int unit = page_.unit;
    // What names no unit is judged as part of the number.
    if (SplitUnitSuffix(value, &number, &unit) && unit < 0) {
      number = value;
      unit = page_.unit;
    }
    const char* unit_name = UnitName(page_.unit, language_);
    if (unit != page_.unit) {
      op_.Tell(SettingsMessage(SettingsText::kUnitMismatch, language_, field_.name, unit_name));
      return kSettingsChoiceInvalid;
    }
    if (!IsSignedNumber(number) || number.find_first_of("0123456789") == std::string_view::npos) {
      op_.Tell(SettingsMessage(SettingsText::kLengthNotNumber, language_, field_.name, unit_name));
      return kSettingsChoiceInvalid;
    }
    page_.Edit(edit) = std::string(number);
    return kConfigOk;
  }

 private:
  SettingsPage& page_;
  const RecordField& field_;
  Operator& op_;
  std::string_view language_;
};

// Which choice of the page a field's name picks: an option pair or an edit
// box here, a list by the lists' own table.
enum class Control { kPair, kBox };
struct Binding {
  SettingSlot PrinterSettingsRecord::*slot;
  Control control;
  int SettingsPage::*choice;  // pairs
  SettingsEdit edit;          // boxes
};

using R = PrinterSettingsRecord;
using P = SettingsPage;
using E = SettingsEdit;
constexpr Binding kBindings[] = {
    {&R::MachineLanguage, Control::kPair, &P::menu_language, {}},
    {&R::PrintDirection, Control::kPair, &P::direction, {}},
    {&R::Cutter, Control::kPair, &P::cutter, {}},
    {&R::CutterFrequency, Control::kBox, nullptr, E::kCutFrequency},
    {&R::CutterStopPosition, Control::kBox, nullptr, E::kBladeStopDelay},
    {&R::Peel, Control::kPair, &P::peel, {}},
    {&R::HorizontalOffset, Control::kBox, nullptr, E::kHorizontalOffset},
    {&R::VerticalOffset, Control::kBox, nullptr, E::kVerticalOffset},
    {&R::TearoffOffset, Control::kBox, nullptr, E::kTearOffset},
    {&R::PositioningOffset, Control::kBox, nullptr, E::kFeedOffset},
    {&R::CuttingOffset, Control::kBox, nullptr, E::kCuttingOffset},
    {&R::PeelingOffset, Control::kBox, nullptr, E::kPeelingOffset},
    {&R::TearOff, Control::kPair, &P::tear, {}},
    {&R::PrintingState, Control::kPair, &P::after_error, {}},
    {&R::PrintingBlank, Control::kPair, &P::resume_feed, {}},
    {&R::CalibrationLen, Control::kBox, nullptr, E::kCalibrationLength},
};

int Choose(SettingsPage& page, const RecordField& field, std::string_view value, Chooser& c) {
  for (const Binding& b : kBindings) {
    if (b.slot != field.slot) continue;
    if (b.control == Control::kPair) return c.Pair(&(page.*b.choice), value);
    return c.Edit(b.edit, value);
  }
  // Each sensor's threshold goes to its own field, whichever sensor the
  // printer uses; the page's one threshold list is not chosen by name.
  for (int sensor : {kSensorTransmissive, kSensorLowerReflective, kSensorUpperReflective}) {
    if (field.slot == ThresholdMember(sensor)) {
      return c.Index(&page.sensor_thresholds[static_cast<size_t>(sensor)],
                     SettingsListId::kThreshold, value);
    }
  }
  for (const SettingsList& list : SettingsLists()) {
    if (list.field == field.slot) return c.Index(&page.Choice(list.id), list.id, value);
  }
  page.kept_values.emplace_back(field.name, value);
  return kConfigOk;
}

}  // namespace

int SettingsPage::ChooseByFieldName(std::string_view name, std::string_view value, Operator& op,
                                    std::string_view language) {
  const RecordField* field = FindRecordField(name);
  if (field == nullptr && !SameName(name, kFieldCountName)) {
    op.Tell(SettingsMessage(SettingsText::kUnknownField, language, name));
    return kSettingsChoiceInvalid;
  }
  if (value.empty()) return kConfigOk;
  if (field == nullptr) {
    kept_values.emplace_back(kFieldCountName, value);
    return kConfigOk;
  }
  Chooser chooser(*this, *field, op, language);
  int rc = Choose(*this, *field, value, chooser);
  if (rc == kConfigOk) named_fields.push_back(field);
  return rc;
}

}  // namespace vidodez
