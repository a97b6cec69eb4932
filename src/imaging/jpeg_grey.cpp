#include "imaging/jpeg_grey.h"

#include <condition_variable>
#include <csetjmp>
#include <cstdio>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "core/graphic/exif_orientation.h"
#include "core/graphic/graphic_codes.h"
#include "core/platform/file_system.h"
#include "core/platform/large_pages.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez::imaging {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

constexpr std::size_t kReadBufferBytes = 64 * 1024;

// How a decode leaves by longjmp: libjpeg cannot read the file at all, or the
// file ends early.
constexpr int kJumpUnreadable = 1;
constexpr int kJumpCutShort = 2;

// libjpeg's error handler must not return, and no C++ exception may pass
// through its C frames: a longjmp is the one way out it allows.
[[noreturn]] void OnError(j_common_ptr info) {
  // NOLINTNEXTLINE(cert-err52-cpp): libjpeg's errors leave by longjmp (above).
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, kJumpUnreadable);
}

// Warnings are kept quiet, but a file that ends early is damaged, and the
// decode stops there. libjpeg would pad it with end markers and go on: every
// line the header names decoded from nothing, and the exhausted file read
// again for every block and for every byte of a marker it skips, so that a
// file of a few hundred bytes cost seconds only to be refused. Other
// warnings (stray bytes before a marker) are common in cameras' files and
// harmless.
void Quiet(j_common_ptr info, int level) {
  if (level >= 0) return;
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  ++errors->base.num_warnings;
  // NOLINTNEXTLINE(cert-err52-cpp): as OnError, libjpeg's only way out.
  if (errors->base.msg_code == JWRN_JPEG_EOF) std::longjmp(errors->jump, kJumpCutShort);
}
void QuietMessage(j_common_ptr) {}

// Only objects without destructors live here, as libjpeg's errors leave by
// longjmp. `picture` is owned by the caller and sized between two passes of
// this function's callback.
struct Decode {
  GreyBitmap* picture;
  // The APP1 markers' bytes one after the other, where Exif data lives.
  std::vector<std::uint8_t>* app1;
  // Told the rows decoded so far, 0 once the picture is sized; may be null.
  void (*rows_done)(void* context, int rows) = nullptr;
  void* context = nullptr;
  int bits_per_pixel = 0;
  int code = kGraphicBadPicture;
  bool unsupported = false;
};

// The box thresholds of a picture being decoded, band by band on a thread
// of their own: the decoder publishes how many rows are final, the worker
// takes each band once its last row is.
class BandWorker {
 public:
  explicit BandWorker(const GreyBitmap* picture) : picture_(picture) {}
  ~BandWorker() { End(); }
  BandWorker(const BandWorker&) = delete;
  BandWorker& operator=(const BandWorker&) = delete;

  // From the decode loop (through libjpeg's frames, so nothing may throw).
  static void RowsDone(void* context, int rows) noexcept {
    static_cast<BandWorker*>(context)->Publish(rows);
  }
  // The decode is over, whole or not; waits for the worker.
  void End() {
    {
      const std::lock_guard lock(mutex_);
      ended_ = true;
    }
    ready_.notify_one();
    if (thread_.joinable()) thread_.join();
  }
  // After End: the map, when every band was taken.
  std::optional<ThresholdMap> TakeMap() {
    if (!complete_) return std::nullopt;
    return ThresholdMap(*bands_);
  }

 private:
  void Publish(int rows) noexcept {
    if (rows == 0) {
      Start();
      return;
    }
    if (!thread_.joinable() || (rows % kThresholdBoxSize != 0 && rows != picture_->height)) return;
    {
      const std::lock_guard lock(mutex_);
      rows_ = rows;
    }
    ready_.notify_one();
  }
  void Start() noexcept {
    try {
      bands_.emplace(picture_->width, picture_->height);
      thread_ = std::thread([this] { Run(); });
    } catch (...) {
      // No thread: the conversion makes the map itself later.
      bands_.reset();
    }
  }
  void Run() noexcept {
    try {
      for (int band = 0; band < bands_->band_count(); ++band) {
        const int needed = bands_->BandEnd(band);
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [&] { return rows_ >= needed || ended_; });
        if (rows_ < needed) return;
        lock.unlock();
        bands_->AddBand(*picture_, band);
      }
      complete_ = true;
    } catch (const std::bad_alloc&) {
      // No map: the conversion makes it itself.
    }
  }

  const GreyBitmap* picture_;
  std::mutex mutex_;
  std::condition_variable ready_;
  int rows_ = 0;
  bool ended_ = false;
  bool complete_ = false;  // written by the worker, read after the join
  std::optional<ThresholdMapBuilder> bands_;
  std::thread thread_;
};

// Grows `picture` for the header's size; false when the size is refused.
bool Allocate(GreyBitmap* picture, JDIMENSION width, JDIMENSION height) {
  if (!PictureSizeAcceptable(width, height)) return false;
  picture->width = static_cast<int>(width);
  picture->height = static_cast<int>(height);
  const std::size_t size = std::size_t(width) * std::size_t(height);
  try {
    picture->pixels.reserve(size);
    platform::AdviseLargePages(picture->pixels.data(), size);
    picture->pixels.resize(size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// False when there was no memory for them.
bool KeepApp1(const jpeg_decompress_struct& info, std::vector<std::uint8_t>* app1) noexcept {
  try {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next)
      if (marker->marker == JPEG_APP0 + 1)
        app1->insert(app1->end(), marker->data, marker->data + marker->data_length);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void Run(std::FILE* file, Decode* decode) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = Quiet;
  errors.base.output_message = QuietMessage;
  // NOLINTNEXTLINE(cert-err52-cpp): where libjpeg's errors come back to.
  switch (setjmp(errors.jump)) {
    case 0:
      break;
    case kJumpCutShort:
      jpeg_destroy_decompress(&info);
      return;
    default:
      // Not a JPEG libjpeg can read at all: perhaps another format named .jpg.
      decode->unsupported = true;
      jpeg_destroy_decompress(&info);
      return;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&info, TRUE);
  if (!KeepApp1(info, decode->app1)) {
    jpeg_destroy_decompress(&info);
    return;
  }
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
    decode->unsupported = true;
    jpeg_destroy_decompress(&info);
    return;
  }
  info.out_color_space = JCS_GRAYSCALE;
  decode->bits_per_pixel = 8 * info.num_components;
  jpeg_start_decompress(&info);
  if (info.output_components != 1 ||
      !Allocate(decode->picture, info.output_width, info.output_height)) {
    decode->code = PictureSizeAcceptable(info.output_width, info.output_height)
                       ? kGraphicBadPicture
                       : kGraphicPictureTooLarge;
    jpeg_destroy_decompress(&info);
    return;
  }
  if (decode->rows_done != nullptr) decode->rows_done(decode->context, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = decode->picture->Row(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
    if (decode->rows_done != nullptr)
      decode->rows_done(decode->context, static_cast<int>(info.output_scanline));
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  decode->code = kGraphicOk;
}

}  // namespace

int DecodeJpegGrey(const std::string& path, GreyBitmap* out, int* bits_per_pixel, bool* unsupported,
                   int* quarter_turns, std::optional<ThresholdMap>* threshold_map) {
  int fd = -1;
  if (OpenInputFile(path, &fd) != kShellOk) return kGraphicFileOpenFailed;
  std::FILE* file = platform::OpenStream(fd, "rb");
  if (file == nullptr) {
    CloseInputFile(fd);
    return kGraphicFileOpenFailed;
  }
  // libjpeg reads 4 KiB at a time: a larger buffer saves most of the reads.
  std::setvbuf(file, nullptr, _IOFBF, kReadBufferBytes);
  GreyBitmap picture;
  std::vector<std::uint8_t> app1;
  Decode decode{&picture, &app1};
  std::optional<BandWorker> bands;
  if (threshold_map != nullptr) {
    bands.emplace(&picture);
    decode.rows_done = BandWorker::RowsDone;
    decode.context = &*bands;
  }
  Run(file, &decode);
  std::fclose(file);
  if (bands) bands->End();
  *unsupported = decode.unsupported;
  if (decode.code != kGraphicOk) return decode.code;
  if (bands) *threshold_map = bands->TakeMap();
  *quarter_turns = ExifQuarterTurns(app1);
  *out = std::move(picture);
  *bits_per_pixel = decode.bits_per_pixel;
  return kGraphicOk;
}

}  // namespace vidodez::imaging
