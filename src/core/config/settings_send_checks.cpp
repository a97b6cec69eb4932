// The checks before a settings line is built: the reply read for it, the
// fields named for it, the lengths typed for it.

#include <string>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_page.h"
#include "core/config/settings_page_texts.h"
#include "core/config/settings_values.h"
#include "core/shell/units.h"

namespace vidodez {
int SettingsPage::ReadForSend(CPrinterComm& comm, Operator& op) {
  FollowUnit(comm.GetUnit());
  // What is read here goes back to the printer: asked twice, so a late
  // answer to an earlier command cannot pass for it.
  if (int rc = ReadSettingsFromPrinter(comm, op, true, true); rc != kConfigOk) return rc;
  for (const RecordField* field : named_fields) {
    if (!CarriesField(field_count, *field)) {
      op.Tell(SettingsMessage(SettingsText::kFieldNotCarried, comm.GetLanguage(), field->name));
      return kSettingsFieldNotCarried;
    }
  }
  for (const auto& [name, value] : kept_values) {
    const RecordField* field = FindRecordField(name);
    std::string held =
        field != nullptr ? std::string((record.*field->slot).view()) : std::to_string(field_count);
    if (held != value) {
      op.Tell(SettingsMessage(SettingsText::kFieldNotSettable, comm.GetLanguage(), name));
      return kSettingsChoiceInvalid;
    }
  }
  return kConfigOk;
}

int SettingsPage::TypedLength(const std::string& typed, SettingSlot PrinterSettingsRecord::*slot,
                              Operator& op, std::string_view language, int* whole) const {
  const RecordField& field = FieldOfSlot(slot);
  const bool in_dots = field.rule.form == FieldForm::kOffset;
  const int to_unit = in_dots ? kUnitDots : kUnitMillimetres;
  const std::string_view resolution = record.ResolutionCode.view();
  int rc = TypedLengthToWhole(typed, resolution, unit, to_unit, field.rule, whole);
  if (rc != kConfigOk) {
    // The range in the unit the operator typed in.
    auto shown = [&](int limit) {
      return in_dots ? DotsToUnit(static_cast<float>(limit), resolution, unit)
                     : ConvertUnit(static_cast<float>(limit), resolution, to_unit, unit);
    };
    const std::string range =
        shown(field.rule.min) + " ~ " + shown(field.rule.max) + " " + UnitName(unit, language);
    op.Tell(SettingsMessage(SettingsText::kValueOutOfRange, language, field.name, range));
  }
  return rc;
}

}  // namespace vidodez
