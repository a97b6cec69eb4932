#pragma once
// usbRePort: reads one reply from a printer's bulk-in side. There is no end
// marker: the reply is exactly the first transfer within the window.
//
// The reply is read through the port that sent the command, before it is
// closed: usblp queues a bulk-in read at every open and drops what it
// received when the device is closed, so a reply that came in while the
// command was going out would be lost by closing first and opening again.

#include <string>

#include "core/link/printer_port.h"

namespace vidodez {

inline constexpr size_t kMaxReply = 1024;
inline constexpr int kReplyWindowMs = 2000;

class usbRePort {
 public:
  virtual ~usbRePort() = default;

  // 0 when the read did not time out, 1 when it did. A printer that is gone
  // or a port that holds no USB printer gives an empty reply at once.
  int ReadReply(CPrinterPort& port, std::string* reply);
};

}  // namespace vidodez
