#pragma once
// The rows of the firmware list, built from the firmware folders: what the
// list control shows and what a click on a row's "Upgrade" button names.

#include <string>
#include <vector>

#include "core/firmware/firmware_file_calls.h"
#include "core/firmware/firmware_files.h"

namespace vidodez {

struct FirmwareListNode {
  int level = 0;  // 0 a top-level row, 1 a row of a subfolder
  bool is_folder = false;
  // Folder rows start collapsed; the rows of a collapsed folder are hidden.
  bool expanded = false;
  int parent = -1;  // the index of a level-1 row's folder row, else -1
  // Top-level rows are numbered n from 1 on, running on across the folders,
  // and a folder's files m from 1 on: "FirmareBtn_n" for a top-level file,
  // "FirmareBtn_n_m" for a file in a folder, "n" for a folder.
  std::string key;
  // The name of a file row's "Upgrade" button, by which a click finds its
  // row: the key, unique in the whole list. "" for a folder row.
  std::string button_name;
  std::string text;           // the file or folder name shown
  std::string relative_path;  // "P4.BIN", "S", "S/X.Bin"
  std::string path;           // the firmware folder joined with relative_path
  int folder_index = 0;       // which of the scanned firmware folders it lies in
  FirmwareTooltip tooltip = FirmwareTooltip::kNone;
};

// Whether listing stamps the images it finds: the page does at every
// refresh; a listing on the command line only looks.
enum class FirmwareStamping { kStamp, kLeave };

// Lists each folder in turn, each in its own order, stamping every listed
// image that takes a stamp (a file that cannot be read or written is left
// as it is), and lays out the rows: a folder row followed by its file rows.
// A folder that cannot be listed adds no rows.
std::vector<FirmwareListNode> RefreshFirmwareList(
    const std::vector<std::string>& folders,
    const FirmwareFileCalls& calls = DefaultFirmwareFileCalls(),
    FirmwareStamping stamping = FirmwareStamping::kStamp);

// The file row whose button has that name, or nullptr.
const FirmwareListNode* FindFirmwareButton(const std::vector<FirmwareListNode>& nodes,
                                           const std::string& button_name);
// Expands a collapsed folder row or collapses an expanded one; false for a
// row that is no folder (or no row).
bool ToggleFirmwareFolder(std::vector<FirmwareListNode>* nodes, size_t index);
// A row is shown when its folder, if any, is expanded.
bool IsFirmwareRowShown(const std::vector<FirmwareListNode>& nodes, size_t index);

}  // namespace vidodez
