#include "core/firmware/firmware_protocol.h"

#include "core/config/settings_commands.h"
#include "core/link/port_codes.h"
#include "core/link/printer_link.h"

namespace vidodez {

int InterpretFirmwareInfo(int query_result, std::string_view reply, PrinterSettingsRecord* record,
                          int* field_count, FirmwareInfo* info) {
  if (IsQueryFailure(query_result)) return query_result;
  record->Clear();
  int parsed = ParseSettingsReply(reply, record, field_count);
  if (query_result != kPortOk) return query_result;
  // A reply without settings shows the cleared record, as a reply of
  // another printer must not stay on the labels.
  info->version = "V" + record->FirmwareVersion.str();
  info->id = record->FirmwareId.str();
  return parsed;
}

}  // namespace vidodez
