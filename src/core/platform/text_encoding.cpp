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

// Each round converts up to the first bad byte, then shows U+FFFD for that
// byte and goes on after it. One converter serves every round: a text of bad
// bytes used to cost a new converter, a copy of the rest and a buffer four
// times its size for each of its bytes.
std::string ForDisplay(TextConverter& converter, std::string_view bytes) {
  std::string shown;
  std::string part;
  for (size_t at = 0; at < bytes.size();) {
    size_t stopped = 0;
    int rc = converter.Convert(bytes.substr(at), &part, &stopped);
    shown += part;
    if (rc == 0) break;
    shown += "\xef\xbf\xbd";
    at += stopped + 1;
  }
  return shown;
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
  TextConverter converter(TextEncoding::kUtf8, TextEncoding::kGbk);
  return ForDisplay(converter, gbk);
}

std::string CodePageForDisplay(int code_page, std::string_view bytes) {
  TextConverter converter(TextEncoding::kUtf8, code_page);
  return ForDisplay(converter, bytes);
}

}  // namespace vidodez::platform
