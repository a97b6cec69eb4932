#include "core/platform/error_text.h"

#include <string.h>

#include <cerrno>

namespace vidodez::platform {
namespace {

struct Words {
  int error;
  const char* text;
};

// The C runtime names the classic errno values only; these it calls
// "Unknown error", so they read as the GNU C library words them.
constexpr Words kMissing[] = {
    {ETIMEDOUT, "Connection timed out"},
    {EPROTO, "Protocol error"},
    {ENOTSUP, "Operation not supported"},
    {EOVERFLOW, "Value too large for defined data type"},
    {ETXTBSY, "Text file busy"},
    {ELOOP, "Too many levels of symbolic links"},
    {ECONNREFUSED, "Connection refused"},
    {ECONNRESET, "Connection reset by peer"},
    {EWOULDBLOCK, "Resource temporarily unavailable"},
};

}  // namespace

std::string ErrorText(int error) {
  for (const Words& words : kMissing)
    if (words.error == error) return words.text;
  char buffer[128];
  if (strerror_s(buffer, sizeof buffer, error) != 0)
    return "Unknown error " + std::to_string(error);
  return buffer;
}

}  // namespace vidodez::platform
