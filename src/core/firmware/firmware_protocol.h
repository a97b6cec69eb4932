#pragma once
// What the firmware page's "Get Info" makes of the settings reply, as a pure
// function.

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
// settings read does). A result of 0 fills `info` from the record: the
// printer's version and ID, or for a reply without settings the cleared
// record ("V" and ""), with the parser's code. Any other failed result
// leaves `info` unchanged.
[[nodiscard]] int InterpretFirmwareInfo(int query_result, std::string_view reply,
                                        PrinterSettingsRecord* record, int* field_count,
                                        FirmwareInfo* info);

}  // namespace vidodez
