#include "core/config/config_codes.h"

namespace vidodez {
namespace {

constexpr NamedCode kCodes[] = {
    {kConfigOk, "ConfigOk"},
    {kSettingsReplyEmpty, "SettingsReplyEmpty"},
    {kSettingsReplyUnmarked, "SettingsReplyUnmarked"},
    {kSettingsCountUnknown, "SettingsCountUnknown"},
    {kSettingsValueUnsendable, "SettingsValueUnsendable"},
    {kSettingsFileUnreadable, "SettingsFileUnreadable"},
    {kSettingsEntryMissing, "SettingsEntryMissing"},
    {kSettingsFileUnwritable, "SettingsFileUnwritable"},
    {kSettingsValueOutOfRange, "SettingsValueOutOfRange"},
    {kSettingsPrinterNotReady, "SettingsPrinterNotReady"},
    {kSettingsCancelled, "SettingsCancelled"},
    {kSettingsModelNotSupported, "SettingsModelNotSupported"},
    {kSettingsSendFailed, "SettingsSendFailed"},
    {kSettingsChoiceInvalid, "SettingsChoiceInvalid"},
    {kSettingsReplyUnfit, "SettingsReplyUnfit"},
    {kSettingsFileValueInvalid, "SettingsFileValueInvalid"},
    {kSettingsFieldNotCarried, "SettingsFieldNotCarried"},
};

}  // namespace

const char* ConfigCodeName(int code) { return NameOfCode(kCodes, code); }

std::span<const NamedCode> ConfigCodeTable() { return kCodes; }

}  // namespace vidodez
