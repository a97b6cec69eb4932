#include <windows.h>

#include <cerrno>

#include "core/platform/text_converter.h"

namespace vidodez::platform {
namespace {

// Code page 936 is Windows' GBK.
constexpr UINT kGbkCodePage = 936;

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

// The length of the GBK character at the start of `text`: one byte below
// 0x80, else a lead byte and a trail byte; 0 for a lead byte the text ends
// after.
size_t GbkCharacterLength(std::string_view text) {
  if (static_cast<unsigned char>(text[0]) < 0x80) return 1;
  return text.size() >= 2 ? 2 : 0;
}

}  // namespace

struct TextConverter::State {
  TextEncoding to;
  TextEncoding from;
};

TextConverter::TextConverter(TextEncoding to, TextEncoding from)
    : state_(std::make_unique<State>(State{to, from})) {}

TextConverter::~TextConverter() = default;

int TextConverter::Convert(std::string_view in, std::string* out, size_t* stopped) {
  out->clear();
  *stopped = 0;
  std::wstring wide;
  if (state_->from == TextEncoding::kUtf8) {
    if (!ToWide(CP_UTF8, in, &wide)) return EILSEQ;
    if (!WideTo(state_->to == TextEncoding::kGbk ? kGbkCodePage : CP_UTF8, wide, out)) {
      out->clear();
      return EILSEQ;
    }
    *stopped = in.size();
    return 0;
  }
  // GBK in: as far as its characters are GBK, one character at a time once
  // the whole will not go, so the place of the first bad byte is known.
  size_t good = in.size();
  int rc = 0;
  if (!ToWide(kGbkCodePage, in, &wide)) {
    good = 0;
    std::wstring one;
    while (good < in.size()) {
      const size_t length = GbkCharacterLength(in.substr(good));
      if (length == 0) {
        rc = EINVAL;
        break;
      }
      if (!ToWide(kGbkCodePage, in.substr(good, length), &one)) {
        rc = EILSEQ;
        break;
      }
      good += length;
    }
    ToWide(kGbkCodePage, in.substr(0, good), &wide);
  }
  if (!WideTo(state_->to == TextEncoding::kGbk ? kGbkCodePage : CP_UTF8, wide, out)) {
    out->clear();
    return EILSEQ;
  }
  *stopped = good;
  return rc;
}

}  // namespace vidodez::platform
