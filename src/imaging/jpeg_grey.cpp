#include "imaging/jpeg_grey.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "core/graphic/exif_orientation.h"
#include "core/graphic/graphic_codes.h"
#include "core/graphic/row_sink.h"
#include "core/graphic/sampling_sink.h"
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
// longjmp.
struct Decode {
  RowSink* rows;
  // The APP1 markers' bytes one after the other, where Exif data lives.
  std::vector<std::uint8_t>* app1;
  int bits_per_pixel = 0;
  int quarter_turns = 0;
  int code = kGraphicBadPicture;
  bool unsupported = false;
};

// The whole picture, in `picture`.
class WholePicture final : public RowSink {
 public:
  explicit WholePicture(GreyBitmap* picture) : picture_(picture) {}
  int Start(int width, int height, int /*bits_per_pixel*/,
            int /*quarter_turns*/) noexcept override {
    picture_->width = width;
    picture_->height = height;
    const std::size_t size = std::size_t(width) * std::size_t(height);
    try {
      picture_->pixels.reserve(size);
      platform::AdviseLargePages(picture_->pixels.data(), size);
      picture_->pixels.resize(size);
    } catch (const std::bad_alloc&) {
      return kGraphicBadPicture;
    }
    return kGraphicOk;
  }
  std::uint8_t* Row(int y) noexcept override { return picture_->Row(y); }
  void RowDone(int /*y*/) noexcept override {}

 private:
  GreyBitmap* picture_;
};

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
  decode->quarter_turns = ExifQuarterTurns(*decode->app1);
  jpeg_start_decompress(&info);
  if (info.output_components != 1) {
    jpeg_destroy_decompress(&info);
    return;
  }
  if (!PictureSizeAcceptable(info.output_width, info.output_height)) {
    decode->code = kGraphicPictureTooLarge;
    jpeg_destroy_decompress(&info);
    return;
  }
  decode->code =
      decode->rows->Start(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                          decode->bits_per_pixel, decode->quarter_turns);
  if (decode->code != kGraphicOk) {
    jpeg_destroy_decompress(&info);
    return;
  }
  decode->code = kGraphicBadPicture;
  while (info.output_scanline < info.output_height) {
    const auto y = static_cast<int>(info.output_scanline);
    JSAMPROW row = decode->rows->Row(y);
    jpeg_read_scanlines(&info, &row, 1);
    decode->rows->RowDone(y);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  decode->code = kGraphicOk;
}

// Opens `path` and decodes it into `decode`; false when it cannot be opened.
bool DecodeFile(const std::string& path, Decode* decode) {
  int fd = -1;
  if (OpenInputFile(path, &fd) != kShellOk) return false;
  std::FILE* file = platform::OpenStream(fd, "rb");
  if (file == nullptr) {
    CloseInputFile(fd);
    return false;
  }
  // libjpeg reads 4 KiB at a time: a larger buffer saves most of the reads.
  // The C library takes the size only with the buffer itself.
  const std::unique_ptr<char[]> buffer(new (std::nothrow) char[kReadBufferBytes]);
  if (buffer) std::setvbuf(file, buffer.get(), _IOFBF, kReadBufferBytes);
  Run(file, decode);
  std::fclose(file);
  return true;
}

}  // namespace

int DecodeJpegGrey(const std::string& path, GreyBitmap* out, int* bits_per_pixel, bool* unsupported,
                   int* quarter_turns) {
  GreyBitmap picture;
  WholePicture rows(&picture);
  std::vector<std::uint8_t> app1;
  Decode decode{&rows, &app1};
  if (!DecodeFile(path, &decode)) return kGraphicFileOpenFailed;
  *unsupported = decode.unsupported;
  if (decode.code != kGraphicOk) return decode.code;
  *quarter_turns = decode.quarter_turns;
  *out = std::move(picture);
  *bits_per_pixel = decode.bits_per_pixel;
  return kGraphicOk;
}

int DecodeJpegSampled(const std::string& path, const ChooseConversionSize& choose,
                      SampledPicture* out, std::optional<ThresholdMap>* map, bool* whole) {
  SampledPicture picture;
  SamplingSink rows(choose, &picture);
  std::vector<std::uint8_t> app1;
  Decode decode{&rows, &app1};
  const bool opened = DecodeFile(path, &decode);
  rows.End();
  *whole = decode.unsupported || rows.declined();
  if (!opened) return kGraphicFileOpenFailed;
  if (*whole || decode.code != kGraphicOk) return decode.code;
  std::optional<ThresholdMap> made = rows.TakeMap();
  // Bands that could not be taken for want of memory: the whole decode may
  // still find some.
  *whole = !made;
  if (*whole) return kGraphicBadPicture;
  *map = std::move(made);
  *out = std::move(picture);
  return kGraphicOk;
}

}  // namespace vidodez::imaging
