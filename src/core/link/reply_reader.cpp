#include "core/link/reply_reader.h"

#include <errno.h>

#include <array>

namespace vidodez {

int usbRePort::ReadReply(CPrinterPort& port, std::string* reply) {
  reply->clear();
  std::array<uint8_t, kMaxReply> buffer;
  size_t got = 0;
  int error = port.ReadTransfer(buffer.data(), buffer.size(), kReplyWindowMs, &got);
  if (error == ETIMEDOUT) return 1;
  if (error == 0) reply->assign(reinterpret_cast<const char*>(buffer.data()), got);
  return 0;
}

}  // namespace vidodez
