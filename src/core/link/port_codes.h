#pragma once
// Result codes of the printer link. Append only: never renumber or reuse a
// code, printers' users and scripts read them.

#include <span>

#include "core/shell/named_code.h"

namespace vidodez {

inline constexpr int kPortOk = 0;
inline constexpr int kPrintFileCreateFailed = 1000;
inline constexpr int kWriteOnClosedPort = 1023;
inline constexpr int kNoUsablePrinter = -1;  // pages: no printer chosen (a query: or not USB)
inline constexpr int kQueryWriteFailed = -2;
inline constexpr int kQueryNoReply = -3;
inline constexpr int kQueryEmptyReply = -4;
inline constexpr int kPortOpenFailed = -1001;
inline constexpr int kNegativePortNumber = -1005;
inline constexpr int kSerialGetStateFailed = -1010;
inline constexpr int kSerialSetStateFailed = -1011;
inline constexpr int kSerialGetTimeoutsFailed = -1012;
inline constexpr int kSerialSetTimeoutsFailed = -1013;
inline constexpr int kWriteEventFailed = -1015;
// A write that failed before the device accepted any byte. "Minus the bytes
// written" would read as success for zero bytes.
inline constexpr int kWriteFailed = -1017;
inline constexpr int kWroteMoreThanAsked = -1018;
inline constexpr int kOutputBufferAllocFailed = -1019;
inline constexpr int kBaudRateNotInTable = -1042;
inline constexpr int kSendFileOnClosedPort = -1099;
inline constexpr int kFileOpenFailed = -2222;
inline constexpr int kFileReadFailed = -2223;
inline constexpr int kNoSuchUsbPrinter = -2992;
inline constexpr int kFileChunkWriteFailed = -3000;
inline constexpr int kGraphicNameAllocFailed = -3035;
inline constexpr int kGraphicWriteFailed = -3037;
inline constexpr int kWriteLineFailed = -3074;
inline constexpr int kSetBaudRateFailed = -3096;
inline constexpr int kWriteLineOnClosedPort = -3200;
inline constexpr int kGraphicOnClosedPort = -3229;
inline constexpr int kPortAlreadyOpen = -4000;
// A graphic that does not fit the output buffer; nothing is sent.
inline constexpr int kGraphicTooLarge = -3038;
// A reply without the form of the answer asked for (a late answer to an
// earlier command, say): a failed read, never an empty answer.
inline constexpr int kQueryUnexpectedReply = -3300;
// The same question asked twice in one open got two different answers: a
// late reply to an earlier command came in place of the first. Nothing
// built from it goes back to the printer.
inline constexpr int kQueryRepliesDiffer = -3301;
// The printer chosen is not a USB printer: pages open USB printers only.
inline constexpr int kPrinterNotUsb = -4001;
// A send stopped at a chunk's end by its caller (the window closing).
inline constexpr int kSendStopped = -3400;

// The constant's name without its "k", for logs, --json and test failures.
// Any other negative code is a short write of minus that many bytes.
const char* PortCodeName(int code);

// Every named code, for checks that walk the list.
std::span<const NamedCode> PortCodeTable();

}  // namespace vidodez
