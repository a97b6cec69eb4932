#include "core/platform/error_text.h"

#include <string.h>

namespace vidodez::platform {

std::string ErrorText(int error) {
  char buffer[128];
  // The GNU strerror_r: its result, which need not be the buffer.
  return strerror_r(error, buffer, sizeof(buffer));
}

}  // namespace vidodez::platform
