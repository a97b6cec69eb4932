#include "core/firmware/firmware_files.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <span>

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_image.h"
#include "core/firmware/firmware_names.h"

namespace vidodez {
namespace {

// Large enough that the system calls cost little next to the sum, small
// enough to stay in the processor's cache between the copy and the sum.
constexpr size_t kSumBlockSize = 256 * 1024;
constexpr size_t kProbeBlockSize = 8 * 1024;

class OpenFile {
 public:
  OpenFile(const FirmwareFileCalls& calls, int fd) : calls_(calls), fd_(fd) {}
  ~OpenFile() { calls_.close(fd_); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd() const { return fd_; }

 private:
  const FirmwareFileCalls& calls_;
  int fd_;
};

// Opens a regular file only: a pipe opened for reading would wait for a
// writer for ever. `error` gets the open's errno.
int OpenRegular(const std::string& path, unsigned mode, const FirmwareFileCalls& calls,
                std::unique_ptr<OpenFile>* file, int* error = nullptr, uint64_t* size = nullptr) {
  int fd = calls.open(path.c_str(), mode | platform::kOpenNoWait, 0);
  if (fd < 0) {
    if (error != nullptr) *error = errno;
    if (errno == ENOENT) return kFirmwareFileNotFound;
    return errno == EISDIR ? kFirmwareNotAFile : kFirmwareFileOpenFailed;
  }
  auto opened = std::make_unique<OpenFile>(calls, fd);
  platform::FileStatus info;
  if (calls.status(fd, &info) != 0) return kFirmwareFileReadFailed;
  if (info.kind != platform::FileKind::kRegular) return kFirmwareNotAFile;
  if (size != nullptr) *size = info.size;
  *file = std::move(opened);
  return kFirmwareOk;
}

// Reads until `buffer` is full or the file ends: the bytes read, or -1.
int64_t ReadAt(const FirmwareFileCalls& calls, int fd, uint64_t offset, std::span<uint8_t> buffer) {
  size_t got = 0;
  while (got < buffer.size()) {
    int64_t n = calls.read_at(fd, buffer.data() + got, buffer.size() - got, offset + got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(got);
}

bool WriteAt(const FirmwareFileCalls& calls, int fd, uint64_t offset,
             std::span<const uint8_t> data) {
  size_t done = 0;
  while (done < data.size()) {
    int64_t n = calls.write_at(fd, data.data() + done, data.size() - done, offset + done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The body's checksum, reading from offset 48 to the end of the file.
int SumBody(const FirmwareFileCalls& calls, int fd, uint16_t* sum) {
  auto block = std::make_unique_for_overwrite<uint8_t[]>(kSumBlockSize);
  FirmwareChecksum checksum;
  for (uint64_t offset = kImageBodyOffset;;) {
    int64_t got = ReadAt(calls, fd, offset, std::span(block.get(), kSumBlockSize));
    if (got < 0) return kFirmwareFileReadFailed;
    checksum.Add(std::span(block.get(), static_cast<size_t>(got)));
    if (static_cast<size_t>(got) < kSumBlockSize) break;
    offset += kSumBlockSize;
  }
  *sum = checksum.value();
  return kFirmwareOk;
}

}  // namespace

int StampFirmwareImage(const std::string& path, StampResult* result,
                       const FirmwareFileCalls& calls) {
  *result = StampResult{};
  std::unique_ptr<OpenFile> file;
  int error = 0;
  bool writable = true;
  uint64_t size = 0;
  int rc = OpenRegular(path, platform::kOpenReadWrite, calls, &file, &error, &size);
  if (rc == kFirmwareFileOpenFailed &&
      (error == EACCES || error == EPERM || error == EROFS || error == ETXTBSY)) {
    // Still worth reading: an image that is stamped already needs no write.
    writable = false;
    rc = OpenRegular(path, platform::kOpenRead, calls, &file, nullptr, &size);
  }
  if (rc != kFirmwareOk) return rc;
  if (size > kMaxFirmwareImageSize) return kFirmwareImageTooLarge;

  std::array<uint8_t, kChecksumSize> field{};
  int64_t got = ReadAt(calls, file->fd(), kChecksumOffset, field);
  if (got < 0) return kFirmwareFileReadFailed;
  if (static_cast<size_t>(got) < field.size()) return kFirmwareImageTooShort;
  result->found.assign(field.begin(), field.end());
  if (!IsUnstamped(field)) return kFirmwareOk;

  uint16_t sum = 0;
  if (int summed = SumBody(calls, file->fd(), &sum); summed != kFirmwareOk) return summed;
  result->checksum = ChecksumText(sum);
  if (!writable) return kFirmwareFileWriteFailed;
  const auto* text = reinterpret_cast<const uint8_t*>(result->checksum.data());
  if (!WriteAt(calls, file->fd(), kChecksumOffset, std::span(text, kChecksumSize)))
    return kFirmwareFileWriteFailed;
  result->written = true;
  return kFirmwareOk;
}

int ReadPartNumber(const std::string& path, std::string* part_number,
                   const FirmwareFileCalls& calls) {
  part_number->clear();
  std::unique_ptr<OpenFile> file;
  if (int rc = OpenRegular(path, platform::kOpenRead, calls, &file); rc != kFirmwareOk) return rc;
  std::array<uint8_t, kPartNumberSize> header{};
  int64_t got = ReadAt(calls, file->fd(), 0, header);
  if (got < 0) return kFirmwareFileReadFailed;
  *part_number = PartNumberFromHeader(std::span(header.data(), static_cast<size_t>(got)));
  return kFirmwareOk;
}

int CheckFirmwareFile(const std::string& path, const FirmwareFileCalls& calls) {
  std::unique_ptr<OpenFile> file;
  uint64_t size = 0;
  if (int rc = OpenRegular(path, platform::kOpenRead, calls, &file, nullptr, &size);
      rc != kFirmwareOk)
    return rc;
  return size > kMaxFirmwareImageSize ? kFirmwareImageTooLarge : kFirmwareOk;
}

bool FirmwareFileExists(const std::string& path, const FirmwareFileCalls& calls) {
  platform::FileStatus info;
  return !path.empty() && calls.path_status(path.c_str(), &info) == 0;
}

FirmwareTooltip FirmwareTooltipFor(const std::string& path, const FirmwareFileCalls& calls) {
  if (!FirmwareFileExists(path, calls)) return FirmwareTooltip::kNone;
  if (HasImageExtension(path)) return FirmwareTooltip::kUpgradeIndicator;
  std::unique_ptr<OpenFile> file;
  if (OpenRegular(path, platform::kOpenRead, calls, &file) != kFirmwareOk)
    return FirmwareTooltip::kNone;
  // Read up to the first mark only: a command file shows one within its
  // first line, so only a file that is no command file is read to its end.
  std::array<uint8_t, kProbeBlockSize> block;
  for (uint64_t offset = 0;; offset += block.size()) {
    int64_t got = ReadAt(calls, file->fd(), offset, block);
    if (got <= 0) break;
    const auto end = block.begin() + got;
    if (std::find_if(block.begin(), end, [](uint8_t b) { return b == '#' || b == '^'; }) != end)
      return FirmwareTooltip::kShortIndicator;
    if (static_cast<size_t>(got) < block.size()) break;
  }
  return FirmwareTooltip::kNone;
}

}  // namespace vidodez
