#pragma once
// One direction of conversion between UTF-8 and GBK, or from a printer's
// code page, as the system offers it: iconv on Linux, code pages on
// Windows. text_encoding.h holds the rules the program converts by; this is
// only the system's part.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace vidodez::platform {

enum class TextEncoding { kUtf8, kGbk };

// A printer's character set by the number Windows gives its code page.
inline constexpr int kCodePageGbk = 936;
inline constexpr int kCodePageUtf8 = 65001;

class TextConverter {
 public:
  TextConverter(TextEncoding to, TextEncoding from);
  // From a code page (437, 850, 1252, kCodePageGbk, kCodePageUtf8...).
  TextConverter(TextEncoding to, int from_code_page);
  ~TextConverter();
  TextConverter(const TextConverter&) = delete;
  TextConverter& operator=(const TextConverter&) = delete;

  // Converts as far as the input allows, `*stopped` being where it stopped:
  // 0, EILSEQ at a character that has no form in the target or is no
  // character of the source, EINVAL at one cut off by the end, or another
  // errno when the system has no such converter.
  int Convert(std::string_view in, std::string* out, size_t* stopped);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vidodez::platform
