#include "core/firmware/firmware_protocol.h"

#include <algorithm>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/link/port_codes.h"
#include "core/link/printer_link.h"
#include "core/link/printer_port.h"

namespace vidodez {

int InterpretFirmwareInfo(int query_result, std::string_view reply, PrinterSettingsRecord* record,
                          int* field_count, FirmwareInfo* info) {
  if (IsQueryFailure(query_result)) return query_result;
  record->Clear();
  int parsed = ParseSettingsReply(reply, record, field_count);
  if (query_result != kPortOk) return query_result;
  if (parsed != kConfigOk) return parsed;
  info->version = "V" + record->FirmwareVersion.str();
  info->id = record->FirmwareId.str();
  return kPortOk;
}

bool UploadChunks::Next(UploadChunk* chunk) {
  if (next_ >= total_) return false;
  chunk->offset = next_;
  chunk->size = static_cast<size_t>(std::min<uint64_t>(kFileChunkSize, total_ - next_));
  next_ += chunk->size;
  return true;
}

}  // namespace vidodez
