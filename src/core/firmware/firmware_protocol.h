#pragma once
// The firmware page's exchanges with the printer as pure functions: what
// "Get Info" makes of the settings reply, and the chunks an upload sends.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/printer_settings_record.h"

namespace vidodez {

// What the page's two labels show.
struct FirmwareInfo {
  std::string version;  // "V" and the firmware version: "V1.52"
  std::string id;       // the firmware ID (the part number of the model)
};

// Interprets the result of the "^G1" query and its reply. Results -1 to -4
// come back unchanged and leave `record` alone; any other result empties
// `record` and parses the reply into it (setting `field_count` as every
// settings read does). Only a result of 0 whose reply holds settings fills
// `info` and gives 0; a reply without settings gives the parser's code and
// leaves `info` unchanged, as does any other failed result.
[[nodiscard]] int InterpretFirmwareInfo(int query_result, std::string_view reply,
                                        PrinterSettingsRecord* record, int* field_count,
                                        FirmwareInfo* info);

struct UploadChunk {
  uint64_t offset = 0;
  size_t size = 0;
};

// The chunks of an upload in the order they go out: every byte of the file
// unchanged, header included, kFileChunkSize bytes at a time (3000 bytes go
// as 1024, 1024 and 952).
class UploadChunks {
 public:
  explicit UploadChunks(uint64_t total) : total_(total) {}
  // The next chunk; false when every byte was handed out.
  bool Next(UploadChunk* chunk);
  uint64_t total() const { return total_; }
  // The bytes handed out so far: the progress once each chunk is sent
  // before the next is asked for.
  uint64_t handed_out() const { return next_; }

 private:
  uint64_t total_;
  uint64_t next_ = 0;
};

}  // namespace vidodez
