#include "core/platform/text_encoding.h"

#include <algorithm>
#include <string_view>

#include "core/platform/text_converter.h"

namespace vidodez::platform {
namespace {

// ASCII reads the same in UTF-8 and GBK. Passing it through keeps commands
// and names that need no conversion working where the system's converters
// are not installed (a minimal root, an initramfs).
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int Convert(TextEncoding to, TextEncoding from, const std::string& in, std::string* out) {
  if (IsAscii(in)) {
    *out = in;
    return 0;
  }
  TextConverter converter(to, from);
  size_t stopped = 0;
  int rc = converter.Convert(in, out, &stopped);
  if (rc != 0) out->clear();
  return rc;
}

}  // namespace

int Utf8ToGbk(const std::string& utf8, std::string* gbk) {
  return Convert(TextEncoding::kGbk, TextEncoding::kUtf8, utf8, gbk);
}

int GbkToUtf8(const std::string& gbk, std::string* utf8) {
  return Convert(TextEncoding::kUtf8, TextEncoding::kGbk, gbk, utf8);
}

std::string GbkForDisplay(const std::string& gbk) {
  if (IsAscii(gbk)) return gbk;
  // One converter for every round: a name of bad bytes used to cost a new
  // converter, a copy of the rest and a buffer four times its size for
  // each of its bytes.
  TextConverter converter(TextEncoding::kUtf8, TextEncoding::kGbk);
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
