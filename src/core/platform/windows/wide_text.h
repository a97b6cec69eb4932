#pragma once
// The program's text is UTF-8; Windows takes names as UTF-16.

#include <string>
#include <string_view>

namespace vidodez::platform::win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The errno for the calling thread's last Windows error (GetLastError).
int LastErrno();

}  // namespace vidodez::platform::win
