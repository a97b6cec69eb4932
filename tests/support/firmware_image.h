#pragma once
// A firmware image for the simulated printer's model as a maker ships it:
// the part number, a checksum not yet stamped, the version in the header's
// unread bytes, then the body.

#include <string>
#include <string_view>

namespace vidodez::test {

inline std::string FirmwareImage(std::string_view version, std::string_view body) {
  std::string image = "VT41-0152";
  image.resize(20, '\0');
  std::string unread(version);
  unread.resize(28, '\0');
  return image + unread + std::string(body);
}

}  // namespace vidodez::test
