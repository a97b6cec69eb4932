// The settings reply with whatever a printer might send, and the settings
// line built back from it. Every field that fits its slot is kept as sent,
// and the line built from the record parses back to the same record: what
// goes back to the printer is what it reported. A field longer than its
// slot, or holding a NUL, is cut by design; field 27 fits in 14 characters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/config_codes.h"
#include "core/config/printer_settings_record.h"
#include "core/config/settings_commands.h"

namespace {

using vidodez::PrinterSettingsRecord;
using vidodez::RecordField;
using vidodez::RecordFields;

// The reply's fields as the printer wrote them: between the first "S*" and
// the first "*E" CR LF, split at every "*".
std::vector<std::string_view> RawFields(std::string_view reply) {
  const size_t start = reply.find("S*");
  const size_t end = reply.find("*E\r\n");
  std::vector<std::string_view> fields;
  std::string_view text = reply.substr(start + 2, end - start - 2);
  for (size_t star; (star = text.find('*')) != std::string_view::npos;) {
    fields.push_back(text.substr(0, star));
    text.remove_prefix(star + 1);
  }
  fields.push_back(text);
  return fields;
}

size_t UsableFields(size_t count) {
  return count >= 40 ? 40 : count >= 39 ? 39 : count >= 32 ? 32 : count;
}

// The value of a field as the record holds it (field 27 from its two slots).
std::string RecordValue(const PrinterSettingsRecord& record, int position) {
  std::string value;
  for (const RecordField& field : RecordFields())
    if (field.position == position) value += (record.*field.slot).view();
  return value;
}

size_t Capacity(int position) {
  static const PrinterSettingsRecord kSlots;
  size_t capacity = 0;
  for (const RecordField& field : RecordFields())
    if (field.position == position) capacity += (kSlots.*field.slot).capacity();
  return capacity;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  if (const RecordField* unfit = vidodez::FindUnfitReplyField(reply); unfit != nullptr) {
    if (RawFields(reply).size() <= static_cast<size_t>(unfit->position)) __builtin_trap();
  }
  PrinterSettingsRecord record;
  int count = vidodez::kSettingsNotKnown;
  if (vidodez::ParseSettingsReply(reply, &record, &count) != vidodez::kConfigOk) return 0;

  const std::vector<std::string_view> raw = RawFields(reply);
  if (count != static_cast<int>(raw.size())) __builtin_trap();
  const size_t usable = UsableFields(raw.size());
  bool all_fit = true;
  bool line_end = false;
  for (size_t position = 0; position < usable; ++position) {
    const std::string_view value = raw[position];
    const bool fits = value.size() <= Capacity(static_cast<int>(position)) &&
                      value.find('\0') == std::string_view::npos;
    const std::string kept = RecordValue(record, static_cast<int>(position));
    if (fits && kept != value) __builtin_trap();
    all_fit = all_fit && fits;
    line_end = line_end || kept.find_first_of("\r\n") != std::string::npos;
  }

  std::string line;
  const int built = vidodez::BuildSettingsCommand(record, count, &line);
  const int expected = count < vidodez::kBaseFieldCount ? vidodez::kSettingsCountUnknown
                       : line_end                       ? vidodez::kSettingsValueUnsendable
                                                        : vidodez::kConfigOk;
  if (built != expected) __builtin_trap();
  if (built != vidodez::kConfigOk) {
    if (!line.empty()) __builtin_trap();
    return 0;
  }
  if (line.rfind("#PS>S*", 0) != 0) __builtin_trap();

  PrinterSettingsRecord again;
  int again_count = vidodez::kSettingsNotKnown;
  if (vidodez::ParseSettingsReply(line + "\r\n", &again, &again_count) != vidodez::kConfigOk ||
      again_count != static_cast<int>(usable))
    __builtin_trap();
  if (!all_fit) return 0;
  for (const RecordField& field : RecordFields())
    if ((record.*field.slot).view() != (again.*field.slot).view()) __builtin_trap();
  return 0;
}
