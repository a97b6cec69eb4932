#include "core/firmware/firmware_upload.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_files.h"
#include "core/firmware/firmware_names.h"

namespace vidodez {
namespace {

namespace fs = std::filesystem;

std::atomic<unsigned> copy_counter{0};

// A copy of `path` under a fresh name in the temporary folder, writable by
// us whatever the original's mode; "" when none could be made.
std::string CopyToTemporary(const std::string& path) {
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  if (error) return {};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path copy = folder / ("vidodez-upgrade-" + std::to_string(stamp) + "-" +
                                    std::to_string(copy_counter.fetch_add(1)) + ".bin");
    // Never over an existing file: another program's name is left alone.
    if (!fs::copy_file(path, copy, fs::copy_options::none, error)) {
      if (error == std::errc::file_exists) continue;
      return {};
    }
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, error);
    if (error) {
      fs::remove(copy, error);
      return {};
    }
    return copy.string();
  }
  return {};
}

}  // namespace

FirmwareUploadFile::~FirmwareUploadFile() {
  if (!copied_) return;
  std::error_code ignored;
  fs::remove(path_, ignored);
}

int FirmwareUploadFile::Prepare(const std::string& path, const FirmwareFileCalls& calls) {
  if (int rc = CheckFirmwareFile(path, calls); rc != kFirmwareOk) return rc;
  path_ = path;
  if (!TakesChecksumStamp(std::string_view(path).substr(path.rfind('/') + 1))) return kFirmwareOk;
  StampResult stamp;
  const int rc = StampFirmwareImage(path, &stamp, calls);
  if (rc != kFirmwareFileWriteFailed) return rc;
  // Summed but not writable: the same stamp in a copy of our own.
  const std::string copy = CopyToTemporary(path);
  if (copy.empty()) return kFirmwareFileWriteFailed;
  path_ = copy;
  copied_ = true;
  StampResult copy_stamp;
  if (StampFirmwareImage(copy, &copy_stamp, calls) != kFirmwareOk) return kFirmwareFileWriteFailed;
  return kFirmwareOk;
}

}  // namespace vidodez
