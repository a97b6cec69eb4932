#include "core/platform/text_encoding.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace vidodez::platform {
namespace {

// iconv_open's failure value is -1 cast to its handle, iconv's own interface.
bool Opened(iconv_t cd) {
  return cd != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Opened(cd_)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as far as the input allows; `*stopped` is where it stopped.
  int Convert(std::string_view in, std::string* out, size_t* stopped) {
    out->clear();
    *stopped = 0;
    if (!Opened(cd_)) return errno;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh start after a failure
    // Four output bytes per input byte cover every GBK <-> UTF-8 case. The
    // buffer only grows, so converting what follows a bad byte, round after
    // round, costs no new one.
    if (buffer_.size() < in.size() * 4 + 4) buffer_.resize(in.size() * 4 + 4);
    char* in_ptr = const_cast<char*>(in.data());
    size_t in_left = in.size();
    char* out_ptr = buffer_.data();
    size_t out_left = buffer_.size();
    int rc = 0;
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1)) rc = errno;
    out->assign(buffer_.data(), static_cast<size_t>(out_ptr - buffer_.data()));
    *stopped = in.size() - in_left;
    return rc;
  }

 private:
  iconv_t cd_;
  std::vector<char> buffer_;
};

// ASCII reads the same in UTF-8 and GBK. Passing it through keeps commands
// and names that need no conversion working where the C library's
// converters are not installed (a minimal root, an initramfs).
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int Convert(const char* to, const char* from, const std::string& in, std::string* out) {
  if (IsAscii(in)) {
    *out = in;
    return 0;
  }
  Converter converter(to, from);
  size_t stopped = 0;
  int rc = converter.Convert(in, out, &stopped);
  if (rc != 0) out->clear();
  return rc;
}

}  // namespace

int Utf8ToGbk(const std::string& utf8, std::string* gbk) {
  return Convert("GBK", "UTF-8", utf8, gbk);
}

int GbkToUtf8(const std::string& gbk, std::string* utf8) {
  return Convert("UTF-8", "GBK", gbk, utf8);
}

std::string GbkForDisplay(const std::string& gbk) {
  if (IsAscii(gbk)) return gbk;
  // One converter for every round: a name of bad bytes used to cost an
  // iconv_open, a copy of the rest and a buffer four times its size for
  // each of its bytes.
  Converter converter("UTF-8", "GBK");
  std::string shown;
  std::string part;
  // Each round converts up to the first bad byte, then skips that byte.
  for (size_t at = 0; at < gbk.size();) {
    size_t stopped = 0;
    int rc = converter.Convert(std::string_view(gbk).substr(at), &part, &stopped);
    shown += part;
    if (rc == 0) break;
    shown += "\xef\xbf\xbd";
    at += stopped + 1;
  }
  return shown;
}

}  // namespace vidodez::platform
