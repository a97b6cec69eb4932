#include "core/config/printer_settings_record.h"

#include <algorithm>

namespace vidodez {

void SettingSlot::Set(std::string_view text) {
  text = text.substr(0, std::min(text.find('\0'), capacity_));
  Clear();
  std::copy(text.begin(), text.end(), text_.begin());
}

void PrinterSettingsRecord::Clear() {
  for (const RecordField& field : RecordFields()) (this->*field.slot).Clear();
}

namespace {

constexpr FieldRule Index(int min, int max, int width = 1, int step = 1) {
  return {FieldForm::kIndex, min, max, width, step};
}
constexpr FieldRule Number(int min, int max, int width) {
  return {FieldForm::kNumber, min, max, width, 1};
}
constexpr FieldRule kText{};
constexpr FieldRule kAddress{FieldForm::kAddress, 0, 255, 15, 1};
// What the printer writes back: -999 to 9999 dots in four characters.
constexpr FieldRule kOffset{FieldForm::kOffset, -999, 9999, 4, 1};
// Thresholds 2 to 24, two digits.
constexpr FieldRule kThreshold = Index(2, 24, 2);

}  // namespace

const std::array<RecordField, kRecordFieldCount>& RecordFields() {
  using R = PrinterSettingsRecord;
  static constexpr std::array<RecordField, kRecordFieldCount> kFields{{
      {"MachineLanguage", &R::MachineLanguage, 0, Index(0, 1)},
      {"PrintMethod", &R::PrintMethod, 1, Index(0, 1)},
      {"MediaSensorType", &R::MediaSensorType, 2, Index(0, 2)},
      {"Darkness", &R::Darkness, 3, Index(0, 20, 2)},
      {"Speed", &R::Speed, 4, Index(0, 12, 2)},
      {"PrintDirection", &R::PrintDirection, 5, Index(0, 1)},
      {"FirmwareVersion", &R::FirmwareVersion, 6, kText},
      {"FirmwareId", &R::FirmwareId, 7, kText},
      {"CommandSetFlag", &R::CommandSetFlag, 8, Index(0, 1)},
      // Any code but 3 and 6 counts as 203 dpi; still a digit.
      {"ResolutionCode", &R::ResolutionCode, 9, Index(0, 9)},
      {"Cutter", &R::Cutter, 10, Index(0, 1)},
      {"CutterFrequency", &R::CutterFrequency, 11, Number(0, 99, 2)},
      {"CutterStopPosition", &R::CutterStopPosition, 12, Number(0, 60, 2)},
      {"Peel", &R::Peel, 13, Index(0, 2, 1, 2)},
      {"BaudRate", &R::BaudRate, 14, Index(0, 4)},
      {"ParityBit", &R::ParityBit, 15, Index(0, 2)},
      {"DataBit", &R::DataBit, 16, Index(0, 1)},
      {"IPAddress", &R::IPAddress, 17, kAddress},
      {"SubnetMask", &R::SubnetMask, 18, kAddress},
      {"Gateway", &R::Gateway, 19, kAddress},
      {"Port", &R::Port, 20, Number(0, 9999, 4)},
      {"HorizontalOffset", &R::HorizontalOffset, 21, kOffset},
      {"VerticalOffset", &R::VerticalOffset, 22, kOffset},
      {"TearoffOffset", &R::TearoffOffset, 23, kOffset},
      {"PositioningOffset", &R::PositioningOffset, 24, kOffset},
      {"CuttingOffset", &R::CuttingOffset, 25, kOffset},
      {"PeelingOffset", &R::PeelingOffset, 26, kOffset},
      {"Field27Head", &R::Field27Head, 27, kText},
      {"Field27Tail", &R::Field27Tail, 27, kText},
      {"Field28", &R::Field28, 28, kText},
      {"TearOff", &R::TearOff, 29, Index(0, 1)},
      {"Field30", &R::Field30, 30, kText},
      {"Field31", &R::Field31, 31, kText},
      {"MediaHeight", &R::MediaHeight, 32, Index(0, 1)},
      {"DetectTrThreshold", &R::DetectTrThreshold, 33, kThreshold},
      {"PrintingState", &R::PrintingState, 34, Index(0, 1)},
      {"CalibrationLen", &R::CalibrationLen, 35, Number(0, 9999, 4)},
      {"PrintingBlank", &R::PrintingBlank, 36, Index(0, 1)},
      {"DetectLrThreshold", &R::DetectLrThreshold, 37, kThreshold},
      {"DetectUrThreshold", &R::DetectUrThreshold, 38, kThreshold},
      {"DhcpFlag", &R::DhcpFlag, 39, Index(0, 1)},
  }};
  return kFields;
}

const RecordField* FindRecordField(std::string_view name) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const RecordField& field : RecordFields()) {
    std::string_view candidate = field.name;
    if (candidate.size() == name.size() &&
        std::equal(candidate.begin(), candidate.end(), name.begin(),
                   // cppcheck-suppress CastIntegerToAddressAtReturn ; the lambda's bool is
                   // taken for the enclosing function's pointer
                   [&](char a, char b) { return lower(a) == lower(b); })) {
      return &field;
    }
  }
  return nullptr;
}

const RecordField& FieldOfSlot(SettingSlot PrinterSettingsRecord::*slot) {
  for (const RecordField& field : RecordFields()) {
    if (field.slot == slot) return field;
  }
  return RecordFields().front();  // every slot is in the table
}

}  // namespace vidodez
