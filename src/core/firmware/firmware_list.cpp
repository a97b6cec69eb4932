#include "core/firmware/firmware_list.h"

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_folder.h"
#include "core/firmware/firmware_names.h"

namespace vidodez {
namespace {

FirmwareListNode FileNode(const std::string& folder, int folder_index, const std::string& name,
                          const std::string& relative_path, std::string key,
                          const FirmwareFileCalls& calls, FirmwareStamping stamping) {
  FirmwareListNode node;
  node.text = name;
  node.relative_path = relative_path;
  node.path = FirmwarePath(folder, relative_path);
  node.folder_index = folder_index;
  node.key = std::move(key);
  node.button_name = node.key;
  if (stamping == FirmwareStamping::kStamp && TakesChecksumStamp(name)) {
    StampResult ignored;
    (void)StampFirmwareImage(node.path, &ignored, calls);
  }
  node.tooltip = FirmwareTooltipFor(node.path, calls);
  return node;
}

}  // namespace

std::vector<FirmwareListNode> RefreshFirmwareList(const std::vector<std::string>& folders,
                                                  const FirmwareFileCalls& calls,
                                                  FirmwareStamping stamping) {
  std::vector<FirmwareListNode> nodes;
  int n = 0;
  for (size_t f = 0; f < folders.size(); ++f) {
    const std::string& folder = folders[f];
    const int folder_index = static_cast<int>(f);
    std::vector<FirmwareEntry> entries;
    if (ScanFirmwareFolder(folder, &entries, calls) != kFirmwareOk) continue;
    for (const FirmwareEntry& entry : entries) {
      const std::string number = std::to_string(++n);
      if (!entry.is_folder) {
        nodes.push_back(FileNode(folder, folder_index, entry.name, entry.name,
                                 "FirmareBtn_" + number, calls, stamping));
        continue;
      }
      FirmwareListNode row;
      row.is_folder = true;
      row.key = number;
      row.text = entry.name;
      row.relative_path = entry.name;
      row.path = FirmwarePath(folder, entry.name);
      row.folder_index = folder_index;
      const int parent = static_cast<int>(nodes.size());
      nodes.push_back(std::move(row));
      int m = 0;
      for (const FirmwareFile& file : entry.files) {
        FirmwareListNode child =
            FileNode(folder, folder_index, file.name, file.relative_path,
                     "FirmareBtn_" + number + "_" + std::to_string(++m), calls, stamping);
        child.level = 1;
        child.parent = parent;
        nodes.push_back(std::move(child));
      }
    }
  }
  return nodes;
}

const FirmwareListNode* FindFirmwareButton(const std::vector<FirmwareListNode>& nodes,
                                           const std::string& button_name) {
  if (button_name.empty()) return nullptr;
  for (const FirmwareListNode& node : nodes)
    if (!node.is_folder && node.button_name == button_name) return &node;
  return nullptr;
}

bool ToggleFirmwareFolder(std::vector<FirmwareListNode>* nodes, size_t index) {
  if (index >= nodes->size() || !(*nodes)[index].is_folder) return false;
  (*nodes)[index].expanded = !(*nodes)[index].expanded;
  return true;
}

bool IsFirmwareRowShown(const std::vector<FirmwareListNode>& nodes, size_t index) {
  if (index >= nodes.size()) return false;
  const int parent = nodes[index].parent;
  return parent < 0 || nodes[static_cast<size_t>(parent)].expanded;
}

}  // namespace vidodez
