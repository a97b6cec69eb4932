#include "core/platform/user_folders.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

namespace vidodez::platform {
namespace {

constexpr char kDesktopKey[] = "XDG_DESKTOP_DIR";

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return (value != nullptr && *value != '\0') ? value : nullptr;
}

// A path from UTF-8 text, whatever the system's own narrow encoding.
std::filesystem::path Utf8Path(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string_view TrimLeft(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// The value after "XDG_DESKTOP_DIR=" as the shell that sources the file sees
// it, for the forms xdg-user-dirs writes: "$HOME/..." or an absolute path,
// quoted or not. Anything needing more of a shell is no answer.
std::optional<std::string> ExpandValue(std::string_view value, const std::string& home) {
  const bool quoted = !value.empty() && value.front() == '"';
  if (quoted) value.remove_prefix(1);
  std::string out;
  bool closed = !quoted;
  size_t i = 0;
  for (; i < value.size(); ++i) {
    char c = value[i];
    if (quoted && c == '"') {
      closed = true;
      ++i;
      break;
    }
    if (!quoted && (c == ' ' || c == '\t' || c == '#')) break;
    if (c == '\\' && i + 1 < value.size()) {
      out.push_back(value[++i]);
    } else if (c == '$' && i == 0) {
      std::string_view rest = value.substr(i);
      size_t length = rest.starts_with("${HOME}") ? 7 : rest.starts_with("$HOME") ? 5 : 0;
      if (length == 0 || home.empty()) return std::nullopt;
      // "$HOMEX" is another variable.
      constexpr std::string_view kEndsName = "/\" \t#";
      if (length < rest.size() && kEndsName.find(rest[length]) == std::string_view::npos) {
        return std::nullopt;
      }
      out = home;
      i += length - 1;
    } else if (c == '$' || c == '`' || c == '\'') {
      return std::nullopt;
    } else {
      out.push_back(c);
    }
  }
  std::string_view after = TrimLeft(value.substr(i));
  if (!closed || (!after.empty() && after.front() != '#')) return std::nullopt;
  if (!out.empty() && out.front() != '/') return std::nullopt;
  return out;
}

}  // namespace

std::string AppDataFolder() {
  if (const char* own = NonEmptyEnv("VIDODEZ_APPDATA")) return own;
  return ConfigFolder();
}

std::string DesktopFromUserDirs(std::string_view user_dirs_text, const std::string& home) {
  std::string desktop;
  while (!user_dirs_text.empty()) {
    size_t end = user_dirs_text.find('\n');
    std::string_view line = TrimLeft(user_dirs_text.substr(0, end));
    user_dirs_text.remove_prefix(end == std::string_view::npos ? user_dirs_text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.starts_with(kDesktopKey)) continue;
    line.remove_prefix(sizeof kDesktopKey - 1);
    if (line.empty() || line.front() != '=') continue;
    // As in the shell, the last assignment holds, an empty one included.
    if (auto value = ExpandValue(line.substr(1), home)) desktop = std::move(*value);
  }
  return desktop;
}

std::string DesktopFolder() {
  if (const char* own = NonEmptyEnv("VIDODEZ_DESKTOP")) return own;
  return SystemDesktopFolder();
}

std::string ProgramFolderFor(const std::string& executable_folder) {
  namespace fs = std::filesystem;
  for (const std::string& folder : {executable_folder, executable_folder + "/../share/vidodez"}) {
    std::error_code error;
    if (!fs::is_regular_file(Utf8Path(folder + "/" + kSkinArchiveName), error)) continue;
    const fs::path resolved = fs::canonical(Utf8Path(folder), error);
    if (error) return folder;
    const std::u8string text = resolved.generic_u8string();
    return std::string(text.begin(), text.end());
  }
  return executable_folder;
}

std::string ProgramFolder() { return ProgramFolderFor(ExecutableFolder()); }

int PrepareDesktopFolder(std::string* path) {
  path->clear();
  std::string desktop = DesktopFolder();
  if (desktop.empty()) return ENOENT;
  if (int error = MakeFolders(desktop, 0755)) return error;
  *path = std::move(desktop);
  return 0;
}

}  // namespace vidodez::platform
