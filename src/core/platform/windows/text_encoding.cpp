#include <windows.h>

#include <cerrno>

#include "core/platform/text_converter.h"

namespace vidodez::platform {
namespace {

constexpr auto kGbkCodePage = static_cast<UINT>(kCodePageGbk);

// `text` of the code page as UTF-16; false at a byte sequence that is no
// character of it.
bool ToWide(UINT code_page, std::string_view text, std::wstring* wide) {
  wide->clear();
  if (text.empty()) return true;
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length <= 0) return false;
  wide->resize(static_cast<size_t>(length));
  return MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, wide->data(),
                             length) == length;
}

// `wide` in the code page; false when a character has no form there (no
// best-fit stand-ins: "é" does not become "e").
bool WideTo(UINT code_page, const std::wstring& wide, std::string* out) {
  out->clear();
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  const DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* check = code_page == CP_UTF8 ? nullptr : &used_default;
  const int length =
      WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, check);
  if (length <= 0 || used_default) return false;
  out->resize(static_cast<size_t>(length));
  WideCharToMultiByte(code_page, flags, wide.data(), size, out->data(), length, nullptr, check);
  return !used_default;
}

// The length of the character at the start of `text` in `code_page`: GBK
// and UTF-8 by their lead byte, every other code page's one byte; 0 for a
// character the text ends inside.
size_t CharacterLength(UINT code_page, std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = 1;
  if (code_page == kGbkCodePage && lead >= 0x80) length = 2;
  if (code_page == CP_UTF8) length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
  return length <= text.size() ? length : 0;
}

UINT CodePageOf(TextEncoding encoding) {
  return encoding == TextEncoding::kGbk ? kGbkCodePage : CP_UTF8;
}

}  // namespace

struct TextConverter::State {
  TextEncoding to;
  UINT from;  // the source's code page
};

TextConverter::TextConverter(TextEncoding to, TextEncoding from)
    : state_(std::make_unique<State>(State{to, CodePageOf(from)})) {}

TextConverter::TextConverter(TextEncoding to, int from_code_page)
    : state_(std::make_unique<State>(State{to, static_cast<UINT>(from_code_page)})) {}

TextConverter::~TextConverter() = default;

int TextConverter::Convert(std::string_view in, std::string* out, size_t* stopped) {
  out->clear();
  *stopped = 0;
  const UINT from = state_->from;
  // As far as its characters are the code page's, one character at a time
  // once the whole will not go, so the place of the first bad byte is known.
  std::wstring wide;
  size_t good = in.size();
  int rc = 0;
  if (!ToWide(from, in, &wide)) {
    good = 0;
    std::wstring one;
    while (good < in.size()) {
      const size_t length = CharacterLength(from, in.substr(good));
      if (length == 0) {
        rc = EINVAL;
        break;
      }
      if (!ToWide(from, in.substr(good, length), &one)) {
        rc = EILSEQ;
        break;
      }
      good += length;
    }
    ToWide(from, in.substr(0, good), &wide);
  }
  if (!WideTo(CodePageOf(state_->to), wide, out)) {
    out->clear();
    return EILSEQ;
  }
  *stopped = good;
  return rc;
}

}  // namespace vidodez::platform
