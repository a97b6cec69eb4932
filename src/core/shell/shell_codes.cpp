#include "core/shell/shell_codes.h"

#include <iterator>

namespace vidodez {
namespace {

constexpr ShellNamedCode kCodes[] = {
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
};

}  // namespace

const char* ShellCodeName(int code) {
  for (const auto& entry : kCodes) {
    if (entry.code == code) return entry.name;
  }
  return "Unknown";
}

const ShellNamedCode* ShellCodeTable(int* count) {
  *count = static_cast<int>(std::size(kCodes));
  return kCodes;
}

}  // namespace vidodez
