#pragma once
// The operator's text travels to the printer in GBK; printers' names come
// back in GBK. Conversions go through the system's converter (text_converter.h).

#include <string>
#include <string_view>

namespace vidodez::platform {

// 0, or EILSEQ for text that has no form in the target encoding (the output
// is then empty), or another errno of the converter.
int Utf8ToGbk(const std::string& utf8, std::string* gbk);
int GbkToUtf8(const std::string& gbk, std::string* utf8);

// For display: GBK bytes as UTF-8, with any byte that is not GBK shown as
// U+FFFD, so a name the printer reported is always shown, never dropped.
std::string GbkForDisplay(const std::string& gbk);
// The same for the bytes of a code page (text_converter.h's numbers), as a
// printer reads its label's text; every byte U+FFFD where the system has no
// converter for it.
std::string CodePageForDisplay(int code_page, std::string_view bytes);

}  // namespace vidodez::platform
