#include "core/config/settings_ini.h"

#include <iterator>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_values.h"
#include "core/shell/settings_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

using R = PrinterSettingsRecord;

constexpr SettingsFileEntry kCommonEntries[] = {
    {"Machine Language", "MLValue", &R::MachineLanguage},
    {"Print Method", "PMValue", &R::PrintMethod},
    {"Media Sensor Type", "MSTypeValue", &R::MediaSensorType},
    {"Darkness", "DarkValue", &R::Darkness},
    {"Speed", "SpeedValue", &R::Speed},
    {"Print Direction", "PDValue", &R::PrintDirection},
    {"Cutter", "CutterValue", &R::Cutter},
    {"Cutter Frequency", "CutFrequencyValue", &R::CutterFrequency},
    {"Cutter StopPosition", "CutStopPosValue", &R::CutterStopPosition},
    {"Peel", "PeelValue", &R::Peel},
    {"TearOff", "TearOffValue", &R::TearOff},
    {"Baud Rate", "BaudValue", &R::BaudRate},
    {"ParityBit", "ParityValue", &R::ParityBit},
    {"DataBit", "DataValue", &R::DataBit},
    {"IPAddress", "IPValue", &R::IPAddress},
    {"SubnetMask", "SubnetValue", &R::SubnetMask},
    {"Gateway", "GateValue", &R::Gateway},
    {"Port", "PortValue", &R::Port},
    {"Horizontal Offset", "HorOffsetValue", &R::HorizontalOffset},
    {"Vertical Offset", "VerOffsetValue", &R::VerticalOffset},
    {"Tearoff Offset", "TearoffOffsetValue", &R::TearoffOffset},
    {"Positioning Offset", "PosOffsetValue", &R::PositioningOffset},
    {"Cutting Offset", "CuttingOffsetValue", &R::CuttingOffset},
    {"Peeling Offset", "PeelOffsetValue", &R::PeelingOffset},
};

// The key names keep the printers' own spelling ("Thresold"): files written
// by other tools use it.
constexpr SettingsFileEntry kExtendedEntries[] = {
    {"MediaHeight", "MediaHeightValue", &R::MediaHeight},
    {"DetectTrThreshold", "TrDetectThresoldValue", &R::DetectTrThreshold},
    {"DetectLrThreshold", "LrDetectThresoldValue", &R::DetectLrThreshold},
    {"DetectUrThreshold", "UrDetectThresoldValue", &R::DetectUrThreshold},
    {"PrintingState", "PrintingStateValue", &R::PrintingState},
    {"PrintingBlank", "PrintingBlankValue", &R::PrintingBlank},
};

constexpr SettingsFileEntry kCalibrationEntry = {"CalibrationLen", "CalibrationLenValue",
                                                 &R::CalibrationLen};

// Far longer than any field: a value too long is refused whole.
constexpr size_t kMaxValueRead = 257;

}  // namespace

std::vector<SettingsFileEntry> SettingsFileEntries(int field_count) {
  std::vector<SettingsFileEntry> entries(std::begin(kCommonEntries), std::end(kCommonEntries));
  if (HasExtendedFields(field_count)) {
    entries.insert(entries.end(), std::begin(kExtendedEntries), std::end(kExtendedEntries));
  }
  entries.push_back(kCalibrationEntry);
  return entries;
}

int LoadSettingsFile(const std::string& path, int field_count, PrinterSettingsRecord* record,
                     Operator& op, std::string_view language, SettingsFileEntry* stopped_at) {
  SettingsFile file;
  if (!file.OpenSettings(path, false)) {
    op.Tell(file.GetSettingsErrorMessage(language));
    return kSettingsFileUnreadable;
  }
  for (const SettingsFileEntry& entry : SettingsFileEntries(field_count)) {
    std::string value;
    // Read whole, not cut to the slot: a value too long for its field is
    // refused rather than sent shortened.
    int rc = kConfigOk;
    if (!file.ReadSetting(entry.section, entry.key, &value, kMaxValueRead)) {
      if (entry.slot == kCalibrationEntry.slot) continue;  // older files lack it
      rc = kSettingsEntryMissing;
    } else if (!IsAllowedValue(FieldOfSlot(entry.slot).rule, value)) {
      rc = kSettingsFileValueInvalid;
    }
    if (rc != kConfigOk) {
      if (stopped_at != nullptr) *stopped_at = entry;
      (void)file.CloseSettings();
      return rc;
    }
    (record->*entry.slot).Set(value);
  }
  (void)file.CloseSettings();
  return kConfigOk;
}

int SaveSettingsFile(const std::string& path, int field_count, const PrinterSettingsRecord& record,
                     Operator& op, std::string_view language) {
  SettingsFile file;
  bool ok = file.OpenSettings(path, true);
  for (const SettingsFileEntry& entry : SettingsFileEntries(field_count)) {
    if (!ok) break;
    ok = file.WriteSetting(entry.section, entry.key, (record.*entry.slot).view());
  }
  if (ok) ok = file.CloseSettings() == kShellOk;
  if (!ok) {
    op.Tell(file.GetSettingsErrorMessage(language));
    return kSettingsFileUnwritable;
  }
  return kConfigOk;
}

}  // namespace vidodez
