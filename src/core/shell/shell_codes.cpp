#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

constexpr NamedCode kCodes[] = {
    {kShellOk, "ShellOk"},
    {kSettingsPathEmpty, "SettingsPathEmpty"},
    {kSettingsFileMissing, "SettingsFileMissing"},
    {kSettingsCreateFailed, "SettingsCreateFailed"},
    {kSettingsOpenFailed, "SettingsOpenFailed"},
    {kSettingsSectionMissing, "SettingsSectionMissing"},
    {kSettingsKeyMissing, "SettingsKeyMissing"},
    {kSettingsNotOpen, "SettingsNotOpen"},
    {kSettingsWriteFailed, "SettingsWriteFailed"},
    {kAppDataFolderUnknown, "AppDataFolderUnknown"},
    {kAppDataFolderCreateFailed, "AppDataFolderCreateFailed"},
    {kInputMissing, "InputMissing"},
    {kInputOpenFailed, "InputOpenFailed"},
    {kInputNotRegular, "InputNotRegular"},
    {kInputTooLarge, "InputTooLarge"},
    {kInputReadFailed, "InputReadFailed"},
    {kOutputCreateFailed, "OutputCreateFailed"},
    {kOutputWriteFailed, "OutputWriteFailed"},
};

}  // namespace

const char* ShellCodeName(int code) { return NameOfCode(kCodes, code); }

std::span<const NamedCode> ShellCodeTable() { return kCodes; }

}  // namespace vidodez
