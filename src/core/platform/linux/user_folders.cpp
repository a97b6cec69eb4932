#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "core/platform/user_folders.h"

namespace vidodez::platform {
namespace {

// user-dirs.dirs is a handful of lines; a larger file is not one.
constexpr size_t kMaxUserDirsBytes = 64 * 1024;

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return (value != nullptr && *value != '\0') ? value : nullptr;
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

std::string DataFolder() {
  if (const char* xdg = NonEmptyEnv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') return xdg;
  std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share";
}

std::string SystemDesktopFolder() {
  std::string home = HomeFolder();
  std::string config = ConfigFolder();
  std::string text;
  if (!config.empty() && ReadSmallFile(config + "/user-dirs.dirs", &text)) {
    std::string desktop = DesktopFromUserDirs(text, home);
    if (!desktop.empty()) return desktop;
  }
  return home.empty() ? std::string() : home + "/Desktop";
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

}  // namespace vidodez::platform
