#pragma once
// The system's own words for an errno value.

#include <string>

namespace vidodez::platform {

// Safe while other threads run, which strerror is not.
std::string ErrorText(int error);

}  // namespace vidodez::platform
