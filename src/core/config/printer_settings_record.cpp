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

const std::array<RecordField, kRecordFieldCount>& RecordFields() {
  using R = PrinterSettingsRecord;
  static constexpr std::array<RecordField, kRecordFieldCount> kFields{{
      {"MachineLanguage", &R::MachineLanguage, 0},
      {"PrintMethod", &R::PrintMethod, 1},
      {"MediaSensorType", &R::MediaSensorType, 2},
      {"Darkness", &R::Darkness, 3},
      {"Speed", &R::Speed, 4},
      {"PrintDirection", &R::PrintDirection, 5},
      {"FirmwareVersion", &R::FirmwareVersion, 6},
      {"FirmwareId", &R::FirmwareId, 7},
      {"CommandSetFlag", &R::CommandSetFlag, 8},
      {"ResolutionCode", &R::ResolutionCode, 9},
      {"Cutter", &R::Cutter, 10},
      {"CutterFrequency", &R::CutterFrequency, 11},
      {"CutterStopPosition", &R::CutterStopPosition, 12},
      {"Peel", &R::Peel, 13},
      {"BaudRate", &R::BaudRate, 14},
      {"ParityBit", &R::ParityBit, 15},
      {"DataBit", &R::DataBit, 16},
      {"IPAddress", &R::IPAddress, 17},
      {"SubnetMask", &R::SubnetMask, 18},
      {"Gateway", &R::Gateway, 19},
      {"Port", &R::Port, 20},
      {"HorizontalOffset", &R::HorizontalOffset, 21},
      {"VerticalOffset", &R::VerticalOffset, 22},
      {"TearoffOffset", &R::TearoffOffset, 23},
      {"PositioningOffset", &R::PositioningOffset, 24},
      {"CuttingOffset", &R::CuttingOffset, 25},
      {"PeelingOffset", &R::PeelingOffset, 26},
      {"Field27Head", &R::Field27Head, 27},
      {"Field27Tail", &R::Field27Tail, 27},
      {"Field28", &R::Field28, 28},
      {"TearOff", &R::TearOff, 29},
      {"Field30", &R::Field30, 30},
      {"Field31", &R::Field31, 31},
      {"MediaHeight", &R::MediaHeight, 32},
      {"DetectTrThreshold", &R::DetectTrThreshold, 33},
      {"PrintingState", &R::PrintingState, 34},
      {"CalibrationLen", &R::CalibrationLen, 35},
      {"PrintingBlank", &R::PrintingBlank, 36},
      {"DetectLrThreshold", &R::DetectLrThreshold, 37},
      {"DetectUrThreshold", &R::DetectUrThreshold, 38},
      {"DhcpFlag", &R::DhcpFlag, 39},
  }};
  return kFields;
}

const RecordField* FindRecordField(std::string_view name) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const RecordField& field : RecordFields()) {
    std::string_view candidate = field.name;
    if (candidate.size() == name.size() &&
        std::equal(candidate.begin(), candidate.end(), name.begin(),
                   [&](char a, char b) { return lower(a) == lower(b); })) {
      return &field;
    }
  }
  return nullptr;
}

}  // namespace vidodez
