#include "core/platform/user_folders.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <vector>

namespace vidodez::platform {
namespace {

constexpr char kDesktopKey[] = "XDG_DESKTOP_DIR";
// user-dirs.dirs is a handful of lines; a larger file is not one.
constexpr size_t kMaxUserDirsBytes = 64 * 1024;

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return (value != nullptr && *value != '\0') ? value : nullptr;
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

bool ReadSmallFile(const std::string& path, std::string* text) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_size <= static_cast<off_t>(kMaxUserDirsBytes);
  char piece[4096];
  while (ok) {
    ssize_t n = ::read(fd, piece, sizeof piece);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    text->append(piece, static_cast<size_t>(n));
    ok = text->size() <= kMaxUserDirsBytes;
  }
  ::close(fd);
  return ok;
}

}  // namespace

std::string HomeFolder() {
  if (const char* home = NonEmptyEnv("HOME")) return home;
  long size_hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size_hint > 0 ? static_cast<size_t>(size_hint) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return {};
}

std::string ConfigFolder() {
  if (const char* xdg = NonEmptyEnv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') return xdg;
  std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.config";
}

std::string AppDataFolder() {
  if (const char* own = NonEmptyEnv("VIDODEZ_APPDATA")) return own;
  return ConfigFolder();
}

std::string DataFolder() {
  if (const char* xdg = NonEmptyEnv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') return xdg;
  std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share";
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
  std::string home = HomeFolder();
  std::string config = ConfigFolder();
  std::string text;
  if (!config.empty() && ReadSmallFile(config + "/user-dirs.dirs", &text)) {
    std::string desktop = DesktopFromUserDirs(text, home);
    if (!desktop.empty()) return desktop;
  }
  return home.empty() ? std::string() : home + "/Desktop";
}

std::string ProgramFolderFor(const std::string& executable_folder) {
  for (const std::string& folder : {executable_folder, executable_folder + "/../share/vidodez"}) {
    struct stat info {};
    if (::stat((folder + "/" + kSkinArchiveName).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
      continue;
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved) != nullptr) return resolved;
    return folder;
  }
  return executable_folder;
}

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t size = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (size <= 0) return ".";
  const std::string text(path, static_cast<size_t>(size));
  const size_t slash = text.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : text.substr(0, slash);
}

std::string ProgramFolder() { return ProgramFolderFor(ExecutableFolder()); }

int MakeFolders(const std::string& path, unsigned mode) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0) {
    if (int error = MakeFolders(path.substr(0, slash), mode)) return error;
  }
  if (::mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0 || errno == EEXIST) return 0;
  return errno;
}

int PrepareDesktopFolder(std::string* path) {
  path->clear();
  std::string desktop = DesktopFolder();
  if (desktop.empty()) return ENOENT;
  if (int error = MakeFolders(desktop, 0755)) return error;
  *path = std::move(desktop);
  return 0;
}

}  // namespace vidodez::platform
