#include <string>
#include <string_view>

#include "core/config/config_codes.h"
#include "core/config/settings_input.h"
#include "core/config/settings_page.h"

namespace vidodez {
namespace {

// A whole number 0..last written with at most two digits; -1 otherwise.
int SmallIndex(std::string_view value, int last) {
  if (value.empty() || value.size() > 2) return -1;
  int number = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number <= last ? number : -1;
}

int SetIndex(int* choice, std::string_view value, int last) {
  int index = SmallIndex(value, last);
  if (index < 0) return kSettingsChoiceInvalid;
  *choice = index;
  return kConfigOk;
}

int SetPair(int* choice, std::string_view value, const char* off_value, const char* on_value) {
  if (value == off_value) *choice = 0;
  else if (value == on_value) *choice = 1;
  else return kSettingsChoiceInvalid;
  return kConfigOk;
}

int SetEdit(SettingsPage& page, SettingsEdit edit, std::string_view value) {
  std::string text(value);
  int rule = ApplyEditRule(edit, &text);
  if (rule == kInputRefusedDigits || rule == kInputRefusedSigned || text.empty()) {
    return kSettingsChoiceInvalid;
  }
  page.Edit(edit) = text;
  return kConfigOk;
}

}  // namespace

int SettingsPage::ChooseByFieldName(std::string_view name, std::string_view value) {
  const RecordField* field = FindRecordField(name);
  if (field == nullptr) return kSettingsChoiceInvalid;
  std::string_view n = field->name;
  if (n == "MachineLanguage") return SetPair(&menu_language, value, "0", "1");
  if (n == "PrintMethod") return SetIndex(&print_method, value, 1);
  if (n == "MediaSensorType") return SetIndex(&sensor_type, value, 2);
  if (n == "Darkness") return SetIndex(&darkness, value, 20);
  if (n == "Speed") return SetIndex(&speed, value, 12);
  if (n == "PrintDirection") return SetPair(&direction, value, "0", "1");
  if (n == "Cutter") return SetPair(&cutter, value, "0", "1");
  if (n == "CutterFrequency") return SetEdit(*this, SettingsEdit::kCutFrequency, value);
  if (n == "CutterStopPosition") return SetEdit(*this, SettingsEdit::kBladeStopDelay, value);
  if (n == "Peel") return SetPair(&peel, value, "0", "2");
  if (n == "BaudRate") return SetIndex(&baud_rate, value, 4);
  if (n == "ParityBit") return SetIndex(&parity, value, 2);
  if (n == "DataBit") return SetIndex(&data_bit, value, 1);
  if (n == "HorizontalOffset") return SetEdit(*this, SettingsEdit::kHorizontalOffset, value);
  if (n == "VerticalOffset") return SetEdit(*this, SettingsEdit::kVerticalOffset, value);
  if (n == "TearoffOffset") return SetEdit(*this, SettingsEdit::kTearOffset, value);
  if (n == "PositioningOffset") return SetEdit(*this, SettingsEdit::kFeedOffset, value);
  if (n == "CuttingOffset") return SetEdit(*this, SettingsEdit::kCuttingOffset, value);
  if (n == "PeelingOffset") return SetEdit(*this, SettingsEdit::kPeelingOffset, value);
  if (n == "TearOff") return SetPair(&tear, value, "0", "1");
  if (n == "MediaHeight") return SetIndex(&media_height, value, 1);
  if (n == "PrintingState") return SetPair(&after_error, value, "0", "1");
  if (n == "PrintingBlank") return SetPair(&resume_feed, value, "0", "1");
  if (n == "CalibrationLen") return SetEdit(*this, SettingsEdit::kCalibrationLength, value);
  // The page has one threshold list, written to the selected sensor's field
  // (transmissive when none is selected): a name for another sensor would
  // land in the wrong field.
  int sensor = -1;
  if (n == "DetectTrThreshold") sensor = kSensorTransmissive;
  if (n == "DetectLrThreshold") sensor = kSensorLowerReflective;
  if (n == "DetectUrThreshold") sensor = kSensorUpperReflective;
  if (sensor < 0) return kSettingsChoiceInvalid;
  int effective = sensor_type < 0 ? kSensorTransmissive : sensor_type;
  int number = SmallIndex(value, 24);
  if (effective != sensor || number < 2) return kSettingsChoiceInvalid;
  threshold = number - 2;
  return kConfigOk;
}

}  // namespace vidodez
