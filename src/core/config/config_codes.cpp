#include "core/config/config_codes.h"

#include <iterator>

namespace vidodez {
namespace {

constexpr ConfigNamedCode kCodes[] = {
    {kConfigOk, "ConfigOk"},
    {kSettingsReplyEmpty, "SettingsReplyEmpty"},
    {kSettingsReplyUnmarked, "SettingsReplyUnmarked"},
    {kSettingsCountUnknown, "SettingsCountUnknown"},
    {kSettingsValueUnsendable, "SettingsValueUnsendable"},
    {kSettingsFileUnreadable, "SettingsFileUnreadable"},
    {kSettingsEntryMissing, "SettingsEntryMissing"},
    {kSettingsFileUnwritable, "SettingsFileUnwritable"},
    {kSettingsValueOutOfRange, "SettingsValueOutOfRange"},
};

}  // namespace

const char* ConfigCodeName(int code) {
  for (const auto& entry : kCodes) {
    if (entry.code == code) return entry.name;
  }
  return "Unknown";
}

const ConfigNamedCode* ConfigCodeTable(int* count) {
  *count = static_cast<int>(std::size(kCodes));
  return kCodes;
}

}  // namespace vidodez
