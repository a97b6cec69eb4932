#include "core/firmware/firmware_codes.h"

namespace vidodez {
namespace {

constexpr NamedCode kCodes[] = {
    {kFirmwareOk, "FirmwareOk"},
    {kFirmwareFolderUnreadable, "FirmwareFolderUnreadable"},
    {kFirmwareFileNotFound, "FirmwareFileNotFound"},
    {kFirmwareFileOpenFailed, "FirmwareFileOpenFailed"},
    {kFirmwareFileReadFailed, "FirmwareFileReadFailed"},
    {kFirmwareFileWriteFailed, "FirmwareFileWriteFailed"},
    {kFirmwareNotAFile, "FirmwareNotAFile"},
    {kFirmwareImageTooShort, "FirmwareImageTooShort"},
    {kFirmwareUpgradeCancelled, "FirmwareUpgradeCancelled"},
    {kFirmwareNoSuchRow, "FirmwareNoSuchRow"},
    {kFirmwareImageTooLarge, "FirmwareImageTooLarge"},
};

}  // namespace

const char* FirmwareCodeName(int code) { return NameOfCode(kCodes, code); }

std::span<const NamedCode> FirmwareCodeTable() { return kCodes; }

}  // namespace vidodez
