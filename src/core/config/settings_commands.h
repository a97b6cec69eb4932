#pragma once
// The settings reply and the command lines of the settings page, as pure
// functions over text. The link adds CR LF to every line.

#include <string>
#include <string_view>
#include <vector>

#include "core/config/printer_settings_record.h"

namespace vidodez {

// The number of fields of the last settings reply, or a marker. The caller
// keeps it beside the printer it belongs to and passes it in.
inline constexpr int kSettingsReadPending = -1;  // read the settings quietly next time
inline constexpr int kSettingsNotKnown = -2;     // no read pending, nothing known
inline constexpr int kBaseFieldCount = 32;       // fields 0-31 of every printer
inline constexpr int kExtendedFieldCount = 39;   // fields 32-38 from here on
inline constexpr int kDhcpFieldCount = 40;       // field 39 from here on

inline bool HasExtendedFields(int field_count) { return field_count >= kExtendedFieldCount; }
inline bool HasDhcpField(int field_count) { return field_count >= kDhcpFieldCount; }
// The seconds a printer takes to apply a settings line (or a Wi-Fi
// configuration) before it answers again.
inline constexpr int kApplySettingsSeconds = 9;

// The quiet settings read of a page's refresh, steered by the status just
// read: "upgrade complete" (18) or a failed status query (-1) arm it, "no
// settings" statuses (40, 41) and an unusable printer (below -1) disarm it.
// True when the page reads now; the count is then kSettingsNotKnown until
// the read sets it, so a failed read is not tried again at every refresh.
bool TakeQuietReadTurn(int status, int* field_count);

// At exactly 32 fields the calibration length travels in "#UM>SL".
inline bool SendsCalibrationSeparately(int field_count) { return field_count == kBaseFieldCount; }
// Whether what is sent to a printer of this field count carries the field:
// its place in the settings line, or the calibration length's own command.
bool CarriesField(int field_count, const RecordField& field);

// The read-settings command; the link's CR LF follows its own.
inline constexpr char kReadSettingsCommand[] = "^G1\r\n";
inline constexpr char kRestoreFactoryCommand[] = "#UM>IF";
inline constexpr char kMediaCalibrationCommand[] = "MD";
inline constexpr char kTestPageCommand[] = "U";
inline constexpr char kClearBufferCommand[] = "^z";

// Takes the fields between the first "S*" and the first "*E" CR LF: on
// success the record is emptied and filled, and `field_count` is set.
// kSettingsReplyEmpty, kSettingsReplyUnmarked or kSettingsReplyUnfit (a
// known field without its form, FindUnfitReplyField) leave both untouched.
[[nodiscard]] int ParseSettingsReply(std::string_view reply, PrinterSettingsRecord* record,
                                     int* field_count);

// The first field of the reply's known ones, among those a settings line
// carries, whose value does not have its field's form or does not fit its
// slot (an address cut at a "*" shifts every field after it); nullptr when
// all fit or the reply holds no settings. Fields past the known ones are the
// printer's own and stay unchecked.
const RecordField* FindUnfitReplyField(std::string_view reply);

// How many values a settings line carries for a field count: 32, 39 or 40.
int SettingsLinePositions(int field_count);

// Appends "#PS>S", "*" and each field the printer has (32, 39 or 40), "*E".
// kSettingsCountUnknown for a marker or fewer than 32 fields, and
// kSettingsValueUnsendable for a value holding "*", CR or LF; `line` is
// unchanged then.
[[nodiscard]] int BuildSettingsCommand(const PrinterSettingsRecord& record, int field_count,
                                       std::string* line);

// The inverse, for the printer's side: the values of a settings line
// (without its line end) in reply positions, field 27 whole. False, `values`
// untouched, unless the line is "#PS>S", 32, 39 or 40 values each after a
// "*", and "*E".
[[nodiscard]] bool ParseSettingsCommand(std::string_view line, std::vector<std::string>* values);

// Offsets in dots as the printer writes them: "0012", "-012", "0000".
// kSettingsValueOutOfRange outside -999..9999.
[[nodiscard]] int SignedOffsetText(int dots, std::string* text);
// The dots of an offset text; false for text that is not a whole number.
[[nodiscard]] bool ParseSignedOffset(std::string_view text, int* dots);

// The threshold slot of a sensor type: 1 lower reflective, 2 upper
// reflective, any other (no selection included) transmissive.
SettingSlot PrinterSettingsRecord::*ThresholdMember(int sensor_type);
SettingSlot& ThresholdSlot(PrinterSettingsRecord& record, int sensor_type);
// List index 0-22 (thresholds 2-24) as two digits into the sensor's slot.
[[nodiscard]] int ThresholdToRecord(PrinterSettingsRecord* record, int sensor_type, int list_index);
// The list index of the sensor's threshold; kNoSelection for a field that
// is empty, not a number or outside the list.
int ThresholdFromRecord(const PrinterSettingsRecord& record, int sensor_type);

// Whole millimetres as the four digits of `CalibrationLen` ("0005").
[[nodiscard]] int CalibrationLengthText(int millimetres, std::string* text);
// "#UM>SL" and the length zero-padded to four digits. kSettingsValueOutOfRange
// for a length that is empty, longer than four or not digits.
[[nodiscard]] int BuildCalibrationLengthCommand(std::string_view length, std::string* command);

}  // namespace vidodez
