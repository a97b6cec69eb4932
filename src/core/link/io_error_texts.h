#pragma once
// Words for the failures Linux users meet most, named from the errno the
// platform layer keeps beside a result code.

#include <string>
#include <string_view>

namespace vidodez {

// Empty when the errno has no words of its own; `device` may be empty.
std::string IoErrorMessage(int error, const std::string& device, std::string_view language);

}  // namespace vidodez
