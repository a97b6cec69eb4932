#include "core/graphic/picture_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "core/graphic/resample.h"
#include "core/graphic/rotate.h"

namespace vidodez {
namespace {

// A PCX of the largest accepted picture in 32 bits, uncompressed, with room
// for its header and palette.
constexpr std::uint64_t kMaxPcxFileSize = std::uint64_t(kMaxPicturePixels) * 4 + 4096;

}  // namespace

int ConvertPicture(const GreyBitmap& source, int width, int height, int quarter_turns,
                   GreyBitmap* out) {
  GreyBitmap resampled;
  if (const int code = ThresholdAndResample(source, width, height, &resampled); code != kGraphicOk)
    return code;
  *out = (quarter_turns % 4 == 0) ? std::move(resampled) : RotateRight(resampled, quarter_turns);
  return kGraphicOk;
}

int SavePicture(const GreyBitmap* picture, const PictureSize& size, const std::string& save_path,
                PixelSize* written) {
  if (picture == nullptr || picture->empty()) return kGraphicNoPicture;
  const std::string extension = ExtensionOf(save_path);
  if (extension.empty()) return kGraphicNoExtension;
  const int format = PictureFormatCode(extension);
  if (format == kFormatNone) return kGraphicUnknownFormat;
  if (format != kFormatPcx) return kGraphicNoWriter;
  const PixelSize pixels = SavePixelSize(size);
  GreyBitmap converted;
  if (const int code = ConvertPicture(*picture, pixels.width, pixels.height,
                                      RotationQuarterTurns(size.rotation), &converted);
      code != kGraphicOk)
    return code;
  std::vector<std::uint8_t> file;
  const int dpi = static_cast<int>(ResolutionDpi(size.resolution));
  if (const int code = EncodePcx(converted, dpi, &file); code != kGraphicOk) return code;
  if (const int code = WriteFileAfresh(save_path, file); code != kGraphicOk) return code;
  if (written != nullptr) *written = {converted.width, converted.height};
  return kGraphicOk;
}

int ReadPcxFile(const std::string& path, GreyBitmap* out, PcxInfo* info) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return kGraphicFileOpenFailed;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return kGraphicFileReadFailed;
  }
  if (std::uint64_t(st.st_size) > kMaxPcxFileSize) {
    ::close(fd);
    return kGraphicPictureTooLarge;
  }
  std::vector<std::uint8_t> bytes(std::size_t(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += std::size_t(n);
  }
  ::close(fd);
  if (done != bytes.size()) return kGraphicFileReadFailed;
  return DecodePcx(bytes, out, info);
}

int WriteFileAfresh(const std::string& path, std::span<const std::uint8_t> bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return kGraphicFileOpenFailed;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += std::size_t(n);
  }
  const bool closed = ::close(fd) == 0;
  if (done != bytes.size() || !closed) {
    ::unlink(path.c_str());
    return kGraphicFileWriteFailed;
  }
  return kGraphicOk;
}

}  // namespace vidodez
