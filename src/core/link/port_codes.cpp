#include "core/link/port_codes.h"

#include <array>

namespace vidodez {
namespace {

constexpr std::array<NamedCode, 35> kNames{{
    {kPortOk, "PortOk"},
    {kPrintFileCreateFailed, "PrintFileCreateFailed"},
    {kWriteOnClosedPort, "WriteOnClosedPort"},
    {kNoUsablePrinter, "NoUsablePrinter"},
    {kQueryWriteFailed, "QueryWriteFailed"},
    {kQueryNoReply, "QueryNoReply"},
    {kQueryEmptyReply, "QueryEmptyReply"},
    {kPortOpenFailed, "PortOpenFailed"},
    {kNegativePortNumber, "NegativePortNumber"},
    {kSerialGetStateFailed, "SerialGetStateFailed"},
    {kSerialSetStateFailed, "SerialSetStateFailed"},
    {kSerialGetTimeoutsFailed, "SerialGetTimeoutsFailed"},
    {kSerialSetTimeoutsFailed, "SerialSetTimeoutsFailed"},
    {kWriteEventFailed, "WriteEventFailed"},
    {kWriteFailed, "WriteFailed"},
    {kWroteMoreThanAsked, "WroteMoreThanAsked"},
    {kOutputBufferAllocFailed, "OutputBufferAllocFailed"},
    {kBaudRateNotInTable, "BaudRateNotInTable"},
    {kSendFileOnClosedPort, "SendFileOnClosedPort"},
    {kFileOpenFailed, "FileOpenFailed"},
    {kFileReadFailed, "FileReadFailed"},
    {kNoSuchUsbPrinter, "NoSuchUsbPrinter"},
    {kFileChunkWriteFailed, "FileChunkWriteFailed"},
    {kGraphicNameAllocFailed, "GraphicNameAllocFailed"},
    {kGraphicWriteFailed, "GraphicWriteFailed"},
    {kWriteLineFailed, "WriteLineFailed"},
    {kSetBaudRateFailed, "SetBaudRateFailed"},
    {kWriteLineOnClosedPort, "WriteLineOnClosedPort"},
    {kGraphicOnClosedPort, "GraphicOnClosedPort"},
    {kPortAlreadyOpen, "PortAlreadyOpen"},
    {kGraphicTooLarge, "GraphicTooLarge"},
    {kQueryUnexpectedReply, "QueryUnexpectedReply"},
    {kQueryRepliesDiffer, "QueryRepliesDiffer"},
    {kPrinterNotUsb, "PrinterNotUsb"},
    {kSendStopped, "SendStopped"},
}};

}  // namespace

const char* PortCodeName(int code) {
  return NameOfCode(kNames, code, code < 0 ? "ShortWrite" : "Unknown");
}

std::span<const NamedCode> PortCodeTable() { return kNames; }

}  // namespace vidodez
