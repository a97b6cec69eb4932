#include <errno.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "core/platform/text_converter.h"

namespace vidodez::platform {
namespace {

// iconv_open's failure value is -1 cast to its handle, iconv's own interface.
bool Opened(iconv_t cd) {
  return cd != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
}

const char* IconvName(TextEncoding encoding) {
  return encoding == TextEncoding::kGbk ? "GBK" : "UTF-8";
}

}  // namespace

struct TextConverter::State {
  iconv_t cd;
  std::vector<char> buffer;
};

TextConverter::TextConverter(TextEncoding to, TextEncoding from)
    : state_(std::make_unique<State>(State{iconv_open(IconvName(to), IconvName(from)), {}})) {}

TextConverter::TextConverter(TextEncoding to, int from_code_page) {
  // glibc names the code pages "CP437" to "CP1255" and "CP936".
  const std::string from =
      from_code_page == kCodePageUtf8 ? "UTF-8" : "CP" + std::to_string(from_code_page);
  state_ = std::make_unique<State>(State{iconv_open(IconvName(to), from.c_str()), {}});
}

TextConverter::~TextConverter() {
  if (Opened(state_->cd)) iconv_close(state_->cd);
}

int TextConverter::Convert(std::string_view in, std::string* out, size_t* stopped) {
  out->clear();
  *stopped = 0;
  if (!Opened(state_->cd)) return errno;
  iconv(state_->cd, nullptr, nullptr, nullptr, nullptr);  // a fresh start after a failure
  // Four output bytes per input byte cover every GBK <-> UTF-8 case. The
  // buffer only grows, so converting what follows a bad byte, round after
  // round, costs no new one.
  std::vector<char>& buffer = state_->buffer;
  if (buffer.size() < in.size() * 4 + 4) buffer.resize(in.size() * 4 + 4);
  char* in_ptr = const_cast<char*>(in.data());
  size_t in_left = in.size();
  char* out_ptr = buffer.data();
  size_t out_left = buffer.size();
  int rc = 0;
  if (iconv(state_->cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1))
    rc = errno;
  out->assign(buffer.data(), static_cast<size_t>(out_ptr - buffer.data()));
  *stopped = in.size() - in_left;
  return rc;
}

}  // namespace vidodez::platform
