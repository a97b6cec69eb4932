#pragma once
// Result codes of the printer settings: reply parsing, the settings line and
// the settings files. Append only: never renumber or reuse a code.

#include <span>

#include "core/shell/named_code.h"

namespace vidodez {

inline constexpr int kConfigOk = 0;
inline constexpr int kSettingsReplyEmpty = -7001;
// A reply without "S*" before "*E" CR LF: nothing of it is settings.
inline constexpr int kSettingsReplyUnmarked = -7002;
// No settings are known (a marker instead of a field count, or fewer than 32
// fields): a settings line would overwrite the printer with empty fields.
inline constexpr int kSettingsCountUnknown = -7003;
// A value holds "*", CR or LF, which would shift or split the settings line.
inline constexpr int kSettingsValueUnsendable = -7004;
inline constexpr int kSettingsFileUnreadable = -7005;
inline constexpr int kSettingsEntryMissing = -7006;
inline constexpr int kSettingsFileUnwritable = -7007;
// A number that the field's text cannot hold (an offset beyond -999..9999,
// a threshold outside the list, a calibration length that is not 0..9999).
inline constexpr int kSettingsValueOutOfRange = -7008;
// The settings page's operations.
inline constexpr int kSettingsPrinterNotReady = -7009;  // a send refused while the printer is busy
inline constexpr int kSettingsCancelled = -7010;  // the operator cancelled a question or dialog
inline constexpr int kSettingsModelNotSupported = -7011;  // upper reflective not on this model
inline constexpr int kSettingsSendFailed = -7012;         // the write of a command line failed
// A name or value the page cannot choose (the command line's NAME=VALUE).
inline constexpr int kSettingsChoiceInvalid = -7013;
// The printer's reply holds a known field in a form the program does not
// understand (an address with a "*", letters where digits belong).
inline constexpr int kSettingsReplyUnfit = -7014;
// A settings file holds a value its field cannot take.
inline constexpr int kSettingsFileValueInvalid = -7015;
// A field named on the command line that this printer's reply does not carry.
inline constexpr int kSettingsFieldNotCarried = -7016;

// The constant's name without its "k"; "Unknown" for any other value.
const char* ConfigCodeName(int code);

// Every named code, for checks that walk the list.
std::span<const NamedCode> ConfigCodeTable();

}  // namespace vidodez
