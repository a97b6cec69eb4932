#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/platform/user_folders.h"
#include "core/platform/windows/wide_text.h"

namespace vidodez::platform {
namespace {

// Paths are given with "/", as Qt gives them; Windows takes either.
std::string Forward(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)))
    folder = Forward(win::Narrow(path));
  CoTaskMemFree(path);
  return folder;
}

}  // namespace

std::string HomeFolder() {
  if (const char* home = std::getenv("USERPROFILE"); home != nullptr && *home != '\0')
    return Forward(home);
  return KnownFolder(FOLDERID_Profile);
}

// The roaming application-data folder (CSIDL_APPDATA).
std::string ConfigFolder() { return KnownFolder(FOLDERID_RoamingAppData); }

std::string DataFolder() { return ConfigFolder(); }

std::string SystemDesktopFolder() { return KnownFolder(FOLDERID_Desktop); }

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return ".";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::string text = Forward(win::Narrow(path));
  const size_t slash = text.rfind('/');
  return slash == std::string::npos ? "." : text.substr(0, slash);
}

int MakeFolders(const std::string& path, unsigned /*mode*/) {
  const std::filesystem::path folder(std::u8string(path.begin(), path.end()));
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return 0;
  if (std::filesystem::exists(folder, error)) return ENOTDIR;
  std::filesystem::create_directories(folder, error);
  if (std::filesystem::is_directory(folder, error)) return 0;
  return error ? error.value() : EIO;
}

}  // namespace vidodez::platform
