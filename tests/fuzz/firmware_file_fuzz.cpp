// Firmware files of 0 to 100 bytes under names of every kind, at the top of
// the firmware folder or in a subfolder, through the list's refresh (scan,
// checksum stamp, tooltip), a direct stamp and the part number. A stamp
// writes the body's checksum, as a plain word sum computes it, into the four
// zero bytes at offset 16 of a listed image and changes nothing else, ever.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_files.h"
#include "core/firmware/firmware_image.h"
#include "core/firmware/firmware_list.h"
#include "core/firmware/firmware_names.h"
#include "fuzz/fuzz_input.h"
#include "support/temp_dir.h"

namespace {

constexpr size_t kMaxFileBytes = 100;
constexpr std::array<const char*, 8> kNames{"P1.BIN",    "p20.bin",  "X.Bin",       "x.bin.txt",
                                            "notes.txt", "data.dat", ".hidden.bin", "P.BIN"};

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// The checksum as the format defines it, one big-endian word at a time.
std::string WordSumText(std::string_view body) {
  unsigned sum = 0;
  for (size_t i = 0; i < body.size(); i += 2) {
    sum += static_cast<unsigned>(static_cast<uint8_t>(body[i])) << 8;
    if (i + 1 < body.size()) sum += static_cast<uint8_t>(body[i + 1]);
  }
  return vidodez::ChecksumText(static_cast<uint16_t>(sum));
}

bool Unstamped(const std::string& file) {
  return file.size() >= 20 && file.compare(16, 4, std::string(4, '\0')) == 0;
}

std::string Stamped(std::string file) {
  const std::string_view body = file.size() > 48 ? std::string_view(file).substr(48) : "";
  file.replace(16, 4, WordSumText(body));
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const vidodez::test::TempDir dir;
  vidodez::fuzz::FuzzInput input(data, size);
  const uint8_t choice = input.Byte();
  const std::string name = kNames[choice & 7];
  const bool in_subfolder = (choice & 8) != 0;
  const std::string file = input.Take(kMaxFileBytes);

  const std::string folder = dir.File("Firmware");
  std::filesystem::remove_all(folder);
  const std::string relative = in_subfolder ? "S/" + name : name;
  std::filesystem::create_directories(in_subfolder ? folder + "/S" : folder);
  const std::string path = folder + "/" + relative;
  vidodez::test::WriteFileBytes(path, file);

  // The checksum is the same however the body is cut into pieces.
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  const size_t split = std::min<size_t>(choice >> 4, bytes.size());
  vidodez::FirmwareChecksum pieces;
  pieces.Add(bytes.first(split));
  pieces.Add(bytes.subspan(split));
  Check(vidodez::ChecksumText(pieces.value()) == WordSumText(file));

  const std::vector<vidodez::FirmwareListNode> nodes = vidodez::RefreshFirmwareList({folder});
  const bool listed =
      vidodez::IsOfferedFirmwareName(name) && !(in_subfolder && name.front() == '.');
  const bool stamped = listed && vidodez::TakesChecksumStamp(name) && Unstamped(file);
  const std::string after = stamped ? Stamped(file) : file;
  Check(vidodez::test::ReadFileBytes(path) == after);

  Check(nodes.size() == (in_subfolder ? 1u : 0u) + (listed ? 1u : 0u));
  if (listed) {
    const vidodez::FirmwareListNode& row = nodes.back();
    Check(row.relative_path == relative && row.path == path && !row.is_folder);
    Check(vidodez::FindFirmwareButton(nodes, row.button_name) == &row);
    const vidodez::FirmwareTooltip tooltip =
        vidodez::HasImageExtension(name) ? vidodez::FirmwareTooltip::kUpgradeIndicator
        : after.find_first_of("#^") != std::string::npos ? vidodez::FirmwareTooltip::kShortIndicator
                                                         : vidodez::FirmwareTooltip::kNone;
    Check(row.tooltip == tooltip);
  }

  // Stamped again, directly: only a file still unstamped is written.
  vidodez::StampResult result;
  const int code = vidodez::StampFirmwareImage(path, &result);
  if (after.size() < 20) {
    Check(code == vidodez::kFirmwareImageTooShort && !result.written);
  } else {
    Check(code == vidodez::kFirmwareOk && result.found == after.substr(16, 4) &&
          result.written == Unstamped(after));
  }
  Check(vidodez::test::ReadFileBytes(path) == (Unstamped(after) ? Stamped(after) : after));

  std::string part_number;
  Check(vidodez::ReadPartNumber(path, &part_number) == vidodez::kFirmwareOk &&
        part_number == after.substr(0, std::min(after.find('\0'), size_t{16})));
  return 0;
}
