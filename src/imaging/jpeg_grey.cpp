#include "imaging/jpeg_grey.h"

#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "core/graphic/graphic_codes.h"
#include "core/platform/file_system.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez::imaging {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

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
  int bits_per_pixel = 0;
  int code = kGraphicBadPicture;
  bool unsupported = false;
};

// Grows `picture` for the header's size; false when the size is refused.
bool Allocate(GreyBitmap* picture, JDIMENSION width, JDIMENSION height) {
  if (!PictureSizeAcceptable(width, height)) return false;
  picture->width = static_cast<int>(width);
  picture->height = static_cast<int>(height);
  try {
    picture->pixels.resize(std::size_t(width) * std::size_t(height));
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
  jpeg_read_header(&info, TRUE);
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
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = decode->picture->Row(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  decode->code = kGraphicOk;
}

}  // namespace

int DecodeJpegGrey(const std::string& path, GreyBitmap* out, int* bits_per_pixel,
                   bool* unsupported) {
  int fd = -1;
  if (OpenInputFile(path, &fd) != kShellOk) return kGraphicFileOpenFailed;
  std::FILE* file = platform::OpenStream(fd, "rb");
  if (file == nullptr) {
    CloseInputFile(fd);
    return kGraphicFileOpenFailed;
  }
  GreyBitmap picture;
  Decode decode{&picture};
  Run(file, &decode);
  std::fclose(file);
  *unsupported = decode.unsupported;
  if (decode.code != kGraphicOk) return decode.code;
  *out = std::move(picture);
  *bits_per_pixel = decode.bits_per_pixel;
  return kGraphicOk;
}

}  // namespace vidodez::imaging
