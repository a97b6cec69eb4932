#include "core/config/settings_commands.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/config/config_codes.h"
#include "core/config/settings_lists.h"
#include "core/config/settings_values.h"

namespace vidodez {
namespace {

constexpr std::string_view kReplyStart = "S*";
constexpr std::string_view kReplyEnd = "*E\r\n";
constexpr std::string_view kLineStart = "#PS>S*";
constexpr std::string_view kLineEnd = "*E";

std::vector<std::string_view> SplitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (;;) {
    size_t star = text.find('*');
    fields.push_back(text.substr(0, star));
    if (star == std::string_view::npos) return fields;
    text.remove_prefix(star + 1);
  }
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The fields between the first "S*" and the first "*E" CR LF.
int ReplyFields(std::string_view reply, std::vector<std::string_view>* fields) {
  if (reply.empty()) return kSettingsReplyEmpty;
  size_t start = reply.find(kReplyStart);
  size_t end = reply.find(kReplyEnd);
  // The start marker must stand wholly before the end marker: in "S*E" CR LF
  // the two share their "*" and no field lies between them.
  if (start == std::string_view::npos || end == std::string_view::npos ||
      start + kReplyStart.size() > end) {
    return kSettingsReplyUnmarked;
  }
  *fields = SplitFields(reply.substr(start + kReplyStart.size(), end - start - kReplyStart.size()));
  return kConfigOk;
}

// The first known field, among those a settings line carries, whose value
// does not have its field's form or does not fit its slot; nullptr when all
// fit. Fields past the known ones are the printer's own.
const RecordField* FirstUnfitField(const std::vector<std::string_view>& fields) {
  const int count = static_cast<int>(fields.size());
  const int checked = std::min(count, SettingsLinePositions(count));
  static const PrinterSettingsRecord kSlots;
  const auto& all = RecordFields();
  for (const RecordField& field : all) {
    if (field.position >= checked) continue;
    // Field 27 fills two slots; its value fits their capacities together.
    size_t capacity = 0;
    for (const RecordField& other : all) {
      if (other.position == field.position) capacity += (kSlots.*other.slot).capacity();
    }
    if (!HasFieldForm(field.rule, fields[static_cast<size_t>(field.position)], capacity)) {
      return &field;
    }
  }
  return nullptr;
}

}  // namespace

bool TakeQuietReadTurn(int status, int* field_count) {
  constexpr int kStatusUpgradeComplete = 18;
  constexpr int kStatusNoSettings1 = 40;
  constexpr int kStatusNoSettings2 = 41;
  constexpr int kStatusQueryFailed = -1;
  if (status == kStatusUpgradeComplete || status == kStatusQueryFailed) {
    *field_count = kSettingsReadPending;
  } else if (status == kStatusNoSettings1 || status == kStatusNoSettings2 ||
             status < kStatusQueryFailed) {
    *field_count = kSettingsNotKnown;
  }
  if (*field_count != kSettingsReadPending || status < 0) return false;
  *field_count = kSettingsNotKnown;
  return true;
}

int ParseSettingsReply(std::string_view reply, PrinterSettingsRecord* record, int* field_count) {
  std::vector<std::string_view> fields;
  if (int rc = ReplyFields(reply, &fields); rc != kConfigOk) return rc;
  // Values cut to their slots or shifted by a "*" would be read as other
  // values: such a reply is no settings read, for showing or for sending.
  if (FirstUnfitField(fields) != nullptr) return kSettingsReplyUnfit;
  int count = static_cast<int>(fields.size());
  // Fields 32-38 and 39 exist only as a block; a reply that stops inside a
  // block does not fill it.
  int usable = count >= kDhcpFieldCount       ? kDhcpFieldCount
               : count >= kExtendedFieldCount ? kExtendedFieldCount
                                              : std::min(count, kBaseFieldCount);
  record->Clear();
  for (const RecordField& field : RecordFields()) {
    if (field.position >= usable) continue;
    std::string_view value = fields[static_cast<size_t>(field.position)];
    SettingSlot& slot = record->*field.slot;
    if (field.slot == &PrinterSettingsRecord::Field27Head) {
      slot.Set(value.substr(0, slot.capacity()));
    } else if (field.slot == &PrinterSettingsRecord::Field27Tail) {
      // The last six characters, but never any the head already holds, so a
      // short value goes back to the printer as it came.
      size_t head = record->Field27Head.capacity();
      std::string_view rest = value.size() > head ? value.substr(head) : std::string_view();
      slot.Set(rest.size() > slot.capacity() ? value.substr(value.size() - slot.capacity()) : rest);
    } else {
      slot.Set(value);
    }
  }
  *field_count = count;
  return kConfigOk;
}

int SettingsLinePositions(int field_count) {
  if (HasDhcpField(field_count)) return kDhcpFieldCount;
  if (HasExtendedFields(field_count)) return kExtendedFieldCount;
  return kBaseFieldCount;
}

bool CarriesField(int field_count, const RecordField& field) {
  if (field.slot == &PrinterSettingsRecord::CalibrationLen &&
      SendsCalibrationSeparately(field_count)) {
    return true;
  }
  return field_count >= kBaseFieldCount && field.position < SettingsLinePositions(field_count);
}

const RecordField* FindUnfitReplyField(std::string_view reply) {
  std::vector<std::string_view> fields;
  if (ReplyFields(reply, &fields) != kConfigOk) return nullptr;
  return FirstUnfitField(fields);
}

int BuildSettingsCommand(const PrinterSettingsRecord& record, int field_count, std::string* line) {
  if (field_count < kBaseFieldCount) return kSettingsCountUnknown;
  int positions = SettingsLinePositions(field_count);
  std::string text = "#PS>S";
  for (const RecordField& field : RecordFields()) {
    if (field.position >= positions) continue;
    std::string_view value = (record.*field.slot).view();
    if (value.find_first_of("*\r\n") != std::string_view::npos) return kSettingsValueUnsendable;
    // Field 27 goes out as its two slots joined.
    if (field.slot != &PrinterSettingsRecord::Field27Tail) text += '*';
    text += value;
  }
  text += "*E";
  *line += text;
  return kConfigOk;
}

bool ParseSettingsCommand(std::string_view line, std::vector<std::string>* values) {
  if (line.size() < kLineStart.size() + kLineEnd.size() || !line.starts_with(kLineStart) ||
      !line.ends_with(kLineEnd)) {
    return false;
  }
  line.remove_prefix(kLineStart.size());
  line.remove_suffix(kLineEnd.size());
  std::vector<std::string_view> fields = SplitFields(line);
  int count = static_cast<int>(fields.size());
  if (count < kBaseFieldCount || SettingsLinePositions(count) != count) return false;
  values->assign(fields.begin(), fields.end());
  return true;
}

int SignedOffsetText(int dots, std::string* text) {
  if (dots < -999 || dots > 9999) return kSettingsValueOutOfRange;
  char buffer[8];
  if (dots < 0) {
    std::snprintf(buffer, sizeof buffer, "-%03d", -dots);
  } else {
    std::snprintf(buffer, sizeof buffer, "%04d", dots);
  }
  *text = buffer;
  return kConfigOk;
}

bool ParseSignedOffset(std::string_view text, int* dots) {
  bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  if (!AllDigits(text) || text.size() > 4) return false;
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  *dots = negative ? -value : value;
  return true;
}

SettingSlot PrinterSettingsRecord::*ThresholdMember(int sensor_type) {
  if (sensor_type == 1) return &PrinterSettingsRecord::DetectLrThreshold;
  if (sensor_type == 2) return &PrinterSettingsRecord::DetectUrThreshold;
  return &PrinterSettingsRecord::DetectTrThreshold;
}

SettingSlot& ThresholdSlot(PrinterSettingsRecord& record, int sensor_type) {
  return record.*ThresholdMember(sensor_type);
}

int ThresholdToRecord(PrinterSettingsRecord* record, int sensor_type, int list_index) {
  std::string value;
  if (int rc = ListValueOfIndex(SettingsListOf(SettingsListId::kThreshold), list_index, &value);
      rc != kConfigOk) {
    return rc;
  }
  ThresholdSlot(*record, sensor_type).Set(value);
  return kConfigOk;
}

int ThresholdFromRecord(const PrinterSettingsRecord& record, int sensor_type) {
  std::string_view text = (record.*ThresholdMember(sensor_type)).view();
  // Printers write the threshold with or without its leading zero.
  if (!AllDigits(text) || text.size() > 3) return kNoSelection;
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return ListIndexOfNumber(SettingsListOf(SettingsListId::kThreshold), value);
}

int CalibrationLengthText(int millimetres, std::string* text) {
  if (millimetres < 0 || millimetres > 9999) return kSettingsValueOutOfRange;
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%04d", millimetres);
  *text = buffer;
  return kConfigOk;
}

int BuildCalibrationLengthCommand(std::string_view length, std::string* command) {
  if (!AllDigits(length) || length.size() > 4) return kSettingsValueOutOfRange;
  // Padded by hand: the C library pads "%04s" with blanks, not zeros.
  *command = "#UM>SL" + std::string(4 - length.size(), '0') + std::string(length);
  return kConfigOk;
}

}  // namespace vidodez
