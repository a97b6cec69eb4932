#include "sim/self_test_label.h"

#include <algorithm>

#include "core/config/printer_settings_record.h"
#include "core/network/network_addresses.h"
#include "core/platform/text_converter.h"
#include "sim/label_text.h"

namespace vidodez::sim {
namespace {

class Writer {
 public:
  Writer(LabelJob* job, int dpi) : job_(job), dpi_(dpi) {}

  // A line in VRLE's resident `font` at `x`; the next one starts below it.
  void Line(const std::string& text, char font = '3', int x = -1) {
    Put(text, font, x < 0 ? Margin() : x, y_);
    y_ += Pitch(font);
  }
  // Text beside the line `Line` will write next.
  void Put(const std::string& text, char font, int x, int y) {
    const ResidentCell cell = *ResidentFontCell(FontCommandType::VRLE, font, dpi_);
    TextField f;
    f.x = x;
    f.y = y;
    f.width = cell.width;
    f.height = cell.height;
    f.text = DecodeLabelText(text, platform::kCodePageGbk);
    job_->fields.emplace_back(std::move(f));
  }
  void Gap() { y_ += Pitch('3') / 2; }
  int Margin() const { return dpi_ / 10; }
  int Pitch(char font) const {
    return ResidentFontCell(FontCommandType::VRLE, font, dpi_)->height * 6 / 5;
  }
  int y() const { return y_; }
  void set_y(int y) { y_ = y; }

 private:
  LabelJob* job_;
  int dpi_;
  int y_ = 0;
};

std::string Field(const std::vector<std::string>& settings, int position) {
  return position >= 0 && position < static_cast<int>(settings.size())
             ? settings[static_cast<size_t>(position)]
             : std::string();
}

int PositionOf(SettingSlot PrinterSettingsRecord::*slot) { return FieldOfSlot(slot).position; }

std::string Names(const std::vector<std::pair<std::string, std::string>>& kind) {
  std::string names;
  for (const auto& [name, data] : kind) names += (names.empty() ? "" : ", ") + name;
  return names.empty() ? "none" : names;
}

}  // namespace

LabelJob SelfTestLabel(const PrinterReport& report, int dpi, int label_width) {
  LabelJob job;
  Writer w(&job, dpi);
  w.set_y(w.Margin());
  const auto& s = report.settings;
  w.Line(report.description, '4');
  w.Line("Model: " + report.model, '4');
  w.Line("Firmware: " + Field(s, PositionOf(&PrinterSettingsRecord::FirmwareVersion)) +
             "  ID: " + Field(s, PositionOf(&PrinterSettingsRecord::FirmwareId)),
         '4');
  w.Line("Serial: " + report.serial + "  " + std::to_string(dpi) +
         " dpi  labels printed: " + std::to_string(report.labels_printed));
  w.Gap();
  w.Line("Settings");
  // Two columns, each field once by its name (the two halves of field 27
  // as the one value the printer keeps).
  std::vector<std::string> entries;
  for (const RecordField& field : RecordFields()) {
    if (field.position >= static_cast<int>(s.size()) ||
        field.slot == &PrinterSettingsRecord::Field27Tail)
      continue;
    std::string name = field.slot == &PrinterSettingsRecord::Field27Head ? "Field27" : field.name;
    entries.push_back(name + ": " + Field(s, field.position));
  }
  const size_t rows = std::max<size_t>((entries.size() + 1) / 2, 1);
  const int top = w.y();
  for (size_t i = 0; i < entries.size(); ++i) {
    const int column = i < rows ? w.Margin() : label_width / 2;
    w.Put(entries[i], '3', column, top + static_cast<int>(i % rows) * w.Pitch('3'));
  }
  w.set_y(top + static_cast<int>(rows) * w.Pitch('3'));
  w.Gap();
  w.Line("Wired: " + Field(s, PositionOf(&PrinterSettingsRecord::IPAddress)) + "  port " +
         Field(s, PositionOf(&PrinterSettingsRecord::Port)));
  w.Line("  mask " + Field(s, PositionOf(&PrinterSettingsRecord::SubnetMask)) + "  gateway " +
         Field(s, PositionOf(&PrinterSettingsRecord::Gateway)));
  const WifiSettings& wifi = report.wifi;
  const auto modes = WirelessModeList();
  const std::string mode = wifi.mode >= 0 && wifi.mode < static_cast<int>(modes.size())
                               ? modes[static_cast<size_t>(wifi.mode)]
                               : std::to_string(wifi.mode);
  w.Line("Wi-Fi: " + JoinAddress(wifi.address) + "  " + mode + "  SSID " + wifi.ssid);
  w.Line("  mask " + JoinAddress(wifi.mask) + "  gateway " + JoinAddress(wifi.gateway));
  w.Gap();
  if (report.stored != nullptr) {
    w.Line("Forms: " + Names(report.stored->forms));
    w.Line("Fonts: " + Names(report.stored->fonts));
    w.Line("Graphics: " + Names(report.stored->graphics));
  }
  return job;
}

}  // namespace vidodez::sim
