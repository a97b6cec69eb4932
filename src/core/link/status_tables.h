#pragma once
// The printer's status byte and the messages the selector shows for it.

#include <cstdint>
#include <string_view>

namespace vidodez {

inline constexpr int kStatusCount = 42;
inline constexpr int kStatusReady = 0;
inline constexpr int kStatusPrinting = 2;
// A firmware upgrade: the printer updating, then complete or failed.
inline constexpr int kStatusUpgradeError = 17;
inline constexpr int kStatusUpgradeComplete = 18;
inline constexpr int kStatusUpdating = 20;
// No status known: the printer could not be opened, or did not answer.
inline constexpr int kStatusNoPrinter = -1;
inline constexpr int kStatusRequestFailed = -2;

int StatusIndexFromByte(uint8_t status_byte);

// The status message of an index 0 to 41; empty for any other index.
const char* StatusMessage(int index, std::string_view language);

// The message a page shows for a query result -1 to -4 and
// kQueryRepliesDiffer; null for others. Its index in the query results'
// table, -1 for those others.
const char* QueryResultMessage(int result, std::string_view language);
int QueryResultIndex(int result);

}  // namespace vidodez
