#pragma once
// Words for the failures Linux users meet most, named from the errno the
// platform layer keeps beside a result code.

#include <string>
#include <string_view>

namespace vidodez {

// Words for the common causes; any other errno in the system's words;
// empty for 0. `device` may be empty.
std::string IoErrorMessage(int error, const std::string& device, std::string_view language);

// The system's own words for an errno; safe while other threads run, which
// strerror is not.
std::string SystemErrorText(int error);

}  // namespace vidodez
