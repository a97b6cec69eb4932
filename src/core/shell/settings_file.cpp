#include "core/shell/settings_file.h"

#include <algorithm>
#include <cstdint>

#include "core/shell/file_replacement.h"
#include "core/shell/input_file.h"
#include "core/shell/log.h"
#include "core/shell/shell_codes.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

enum ErrorIndex {
  kEmptyPathText,
  kMissingText,
  kCreateText,
  kOpenText,
  kSectionText,
  kKeyText,
};

constexpr Text kErrorTexts[] = {
    {"Settings file name error...", "配置文件名称错误..."},
    {"Cannot find the settings file %s, please check its path.",
     "找不到配置文件 %s ，请确认其路径。"},
    {"Creating the settings file %s failed!", "创建配置文件 %s 失败！"},
    {"Opening the settings file %s failed!", "打开配置文件 %s 失败！"},
    {"The settings file %s has no section [%s].", "配置文件 %s 中没有所指定的组名： [%s] 。"},
    {"In the settings file %s, section [%s] has no setting %s.",
     "配置文件 %s 中，组 [%s] 下无此配置参数 %s 。"},
};

std::string_view TrimLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

// Calls fn(line) for every line of text, line end removed, cut to the limit.
// fn returns false to stop.
template <typename Fn>
void ForEachLine(std::string_view text, Fn fn) {
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    line = TrimLineEnd(line);
    if (line.size() > kIniMaxLineBytes) line = line.substr(0, kIniMaxLineBytes);
    if (!fn(line)) return;
  }
}

bool IsSectionLine(std::string_view line, std::string_view* name) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  *name = line.substr(1, line.size() - 2);
  return true;
}

std::string_view FirstLine(std::string_view value) {
  return value.substr(0, value.find_first_of("\r\n"));
}

}  // namespace

int FindIniValue(std::string_view text, std::string_view section, std::string_view key,
                 std::string* value) {
  int result = kSettingsSectionMissing;
  bool inside = false;
  ForEachLine(text, [&](std::string_view line) {
    std::string_view name;
    if (IsSectionLine(line, &name)) {
      if (inside) return false;  // the key lives only in the first such section
      if (name == section) {
        inside = true;
        result = kSettingsKeyMissing;
      }
      return true;
    }
    if (!inside) return true;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos || line.substr(0, equals) != key) return true;
    value->assign(line.substr(equals + 1));
    result = kShellOk;
    return false;
  });
  return result;
}

SettingsFile::~SettingsFile() { Abandon(); }

void SettingsFile::Abandon() {
  output_.reset();
  reading_ = writing_ = false;
  text_.clear();
  entries_.clear();
}

bool SettingsFile::Fail(int code, std::string_view section, std::string_view key) {
  error_ = code;
  error_section_.assign(section);
  error_key_.assign(key);
  return false;
}

bool SettingsFile::OpenSettings(const std::string& path, bool for_writing) {
  Abandon();
  path_ = path;
  if (path.empty()) return Fail(kSettingsPathEmpty);
  if (for_writing) {
    output_ = std::make_unique<FileReplacement>();
    if (output_->Begin(path) != kShellOk) {
      output_.reset();
      return Fail(kSettingsCreateFailed);
    }
    writing_ = true;
    return true;
  }
  std::vector<std::uint8_t> bytes;
  const int code = ReadInputFile(path, kIniMaxFileBytes, &bytes);
  if (code == kInputMissing) return Fail(kSettingsFileMissing);
  if (code != kShellOk) return Fail(kSettingsOpenFailed);
  text_.assign(bytes.begin(), bytes.end());
  reading_ = true;
  return true;
}

bool SettingsFile::ReadSetting(std::string_view section, std::string_view key, std::string* value,
                               size_t size) {
  if (!reading_) return Fail(kSettingsNotOpen, section, key);
  std::string found;
  int code = FindIniValue(text_, section, key, &found);
  if (code != kShellOk) return Fail(code, section, key);
  if (size == 0 || found.empty()) return Fail(kSettingsKeyMissing, section, key);
  if (found.size() > size - 1) found.resize(size - 1);
  *value = std::move(found);
  return true;
}

bool SettingsFile::WriteSetting(std::string_view section, std::string_view key,
                                std::string_view value) {
  if (!writing_) return Fail(kSettingsNotOpen, section, key);
  std::string_view line_value = FirstLine(value);
  if (line_value.size() != value.size()) {
    Log(LogLevel::kWarning, "settings file: a value held a line end; only its first line is kept");
  }
  section = FirstLine(section);
  key = FirstLine(key);
  auto entry = std::find_if(entries_.begin(), entries_.end(),
                            [&](const Entry& e) { return e.section == section; });
  if (entry == entries_.end()) {
    entries_.push_back(Entry{std::string(section), {}});
    entry = entries_.end() - 1;
  }
  auto pair = std::find_if(entry->values.begin(), entry->values.end(),
                           [&](const auto& kv) { return kv.first == key; });
  if (pair == entry->values.end()) {
    entry->values.emplace_back(std::string(key), std::string(line_value));
  } else {
    pair->second.assign(line_value);
  }
  return true;
}

int SettingsFile::CloseSettings() {
  if (reading_) {
    Abandon();
    return kShellOk;
  }
  if (!writing_) return kSettingsNotOpen;
  std::string bytes;
  for (const auto& entry : entries_) {
    bytes.append("[").append(entry.section).append("]\r\n");
    for (const auto& [key, value] : entry.values)
      bytes.append(key).append("=").append(value).append("\r\n");
  }
  const bool ok = output_->Write(bytes) == kShellOk && output_->Commit() == kShellOk;
  output_.reset();
  writing_ = false;
  entries_.clear();
  if (!ok) {
    Fail(kSettingsWriteFailed);
    return kSettingsWriteFailed;
  }
  return kShellOk;
}

OperatorMessage SettingsFile::GetSettingsErrorMessage(std::string_view language) const {
  int index = kOpenText;
  switch (error_) {
    case kSettingsPathEmpty:
      index = kEmptyPathText;
      break;
    case kSettingsFileMissing:
      index = kMissingText;
      break;
    case kSettingsCreateFailed:
    case kSettingsWriteFailed:
      index = kCreateText;
      break;
    case kSettingsSectionMissing:
      index = kSectionText;
      break;
    case kSettingsKeyMissing:
      index = kKeyText;
      break;
    default:
      index = kOpenText;
      break;
  }
  OperatorMessage message;
  message.table = kSettingsFileTable;
  message.index = index;
  message.text = FillText(Pick(kErrorTexts[index], language), {path_, error_section_, error_key_});
  return message;
}

}  // namespace vidodez
