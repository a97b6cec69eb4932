#pragma once
// What the firmware folder's names say: which files are offered, which carry
// a checksum stamp, which confirmation an upgrade asks, and the order of the
// list. Pure functions over names; nothing here touches the disk.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vidodez {

// A file of the firmware folder as the scan found it.
struct FirmwareFile {
  std::string name;
  // "/"-separated and relative to the firmware folder: the name itself at the
  // top level, "S/X.Bin" in the subfolder S.
  std::string relative_path;
};

// A top-level entry: a file, or a subfolder with the files it holds.
struct FirmwareEntry {
  bool is_folder = false;
  std::string name;
  std::vector<FirmwareFile> files;  // a folder's files, in list order
};

// "bin" or "txt", in any letter case, after the name's last ".".
bool IsOfferedFirmwareName(std::string_view name);
// The upper-cased name contains ".BIN" (so "x.bin.txt" too): the file is an
// image that gets a checksum stamp.
bool TakesChecksumStamp(std::string_view name);
// The extension of the path's last part is exactly ".bin" in lower case: the
// upgrade asks to confirm the image's part number. "X.Bin" is not one.
bool HasImageExtension(std::string_view path);
// The name a generic confirmation shows: the text after the last "/" and
// before the last "." of that part ("S/X.Bin" gives "X").
std::string ConfirmationName(std::string_view path);
// The decimal number between a name's first character and its first "."
// ("P123.BIN" gives 123): an optional sign and the digits that follow it,
// 0 when there are none, held at the int64 limits when too long.
int64_t FirmwareNumberKey(std::string_view name);

// Top-level order: folders first, then the files that begin with "P" and
// contain ".BIN" (upper-cased) by number key, then the other files; each
// group otherwise keeps the order it came in.
void OrderTopLevelEntries(std::vector<FirmwareEntry>* entries);
// A subfolder's order: every file that begins with "P" (upper-cased) by
// number key, then the others, each group keeping the order it came in.
void OrderFolderFiles(std::vector<FirmwareFile>* files);

}  // namespace vidodez
