#include "core/platform/linux/serial_port.h"

// termios2 lives in the kernel's headers, which clash with glibc's
// <termios.h>: this file uses the kernel's alone.
#include <asm/termbits.h>
#include <errno.h>
#include <sys/ioctl.h>

namespace vidodez::platform {

int ConfigureSerial(int fd, int baud, bool handshake) {
  struct termios2 tio {};
  if (ioctl(fd, TCGETS2, &tio) < 0) return errno;
  tio.c_iflag = IGNBRK;  // binary: no translation, no software flow control
  tio.c_oflag = 0;
  tio.c_lflag = 0;
  tio.c_cflag = CS8 | CREAD | CLOCAL | BOTHER;
  if (handshake) tio.c_cflag |= CRTSCTS;
  tio.c_cflag |= BOTHER << IBSHIFT;
  tio.c_ispeed = static_cast<speed_t>(baud);
  tio.c_ospeed = static_cast<speed_t>(baud);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 10;  // reads give up after one second, as the port's read time-out
  if (ioctl(fd, TCSETS2, &tio) < 0) return errno;
  return 0;
}

int ReadSerialSettings(int fd, int* baud, bool* handshake) {
  struct termios2 tio {};
  if (ioctl(fd, TCGETS2, &tio) < 0) return errno;
  *baud = static_cast<int>(tio.c_ospeed);
  *handshake = (tio.c_cflag & CRTSCTS) != 0;
  return 0;
}

}  // namespace vidodez::platform
