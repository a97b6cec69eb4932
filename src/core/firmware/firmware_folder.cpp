#include "core/firmware/firmware_folder.h"

#include <algorithm>
#include <cstdlib>

#include "core/firmware/firmware_codes.h"
#include "core/platform/user_folders.h"
#include "core/shell/program_settings.h"

namespace vidodez {
namespace {

using Listed = platform::FolderEntry;

// The entries of one folder but "." and "..", ordered by the bytes of their
// names (the system's own order is arbitrary). A link counts as what it
// points to. False when the folder cannot be listed.
bool ListFolder(const std::string& folder, const FirmwareFileCalls& calls,
                std::vector<Listed>* listed) {
  if (calls.list_folder(folder.c_str(), listed) != 0) return false;
  std::sort(listed->begin(), listed->end(),
            [](const Listed& a, const Listed& b) { return a.name < b.name; });
  return true;
}

bool SameFolder(const std::string& a, const std::string& b, const FirmwareFileCalls& calls) {
  platform::FileStatus first;
  platform::FileStatus second;
  if (calls.path_status(a.c_str(), &first) == 0 && calls.path_status(b.c_str(), &second) == 0)
    return first.device == second.device && first.node == second.node;
  return a == b;
}

}  // namespace

std::string ProgramFirmwareFolder(const std::string& program_folder) {
  return FirmwarePath(program_folder, kFirmwareFolderName);
}

std::string UserFirmwareFolder() {
  if (const char* own = std::getenv(kFirmwareFolderVariable); own != nullptr && *own != '\0')
    return own;
  std::string data = platform::DataFolder();
  if (data.empty()) return {};
  return data + "/" + kProductFolderName + "/" + kFirmwareFolderName;
}

std::vector<std::string> FirmwareFolders(const std::string& program_folder,
                                         const FirmwareFileCalls& calls) {
  std::vector<std::string> folders{ProgramFirmwareFolder(program_folder)};
  std::string user = UserFirmwareFolder();
  if (!user.empty() && !SameFolder(folders.front(), user, calls)) folders.push_back(user);
  return folders;
}

std::string FirmwarePath(const std::string& folder, const std::string& relative_path) {
  if (folder.empty() || folder.back() == '/') return folder + relative_path;
  return folder + "/" + relative_path;
}

int ScanFirmwareFolder(const std::string& folder, std::vector<FirmwareEntry>* entries,
                       const FirmwareFileCalls& calls) {
  entries->clear();
  std::vector<Listed> listed;
  if (!ListFolder(folder, calls, &listed)) return kFirmwareFolderUnreadable;
  for (Listed& item : listed) {
    if (item.kind == platform::FileKind::kFolder && item.name[0] != '.') {
      entries->push_back({true, std::move(item.name), {}});
    } else if (item.kind == platform::FileKind::kRegular && IsOfferedFirmwareName(item.name)) {
      entries->push_back({false, std::move(item.name), {}});
    }
  }
  OrderTopLevelEntries(entries);
  for (FirmwareEntry& entry : *entries) {
    if (!entry.is_folder) continue;
    if (!ListFolder(FirmwarePath(folder, entry.name), calls, &listed)) continue;
    for (Listed& item : listed) {
      if (item.kind != platform::FileKind::kRegular || item.name[0] == '.' ||
          !IsOfferedFirmwareName(item.name))
        continue;
      std::string relative = entry.name + "/" + item.name;
      entry.files.push_back({std::move(item.name), std::move(relative)});
    }
    OrderFolderFiles(&entry.files);
  }
  return kFirmwareOk;
}

}  // namespace vidodez
