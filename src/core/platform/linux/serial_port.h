#pragma once
// Serial line set-up: 8 data bits, no parity, one stop bit at any rate.

namespace vidodez::platform {

// Applies `baud` with or without hardware handshake. termios knows only one
// handshake, RTS/CTS (CRTSCTS); DSR/DTR handshaking has no equivalent and is
// left out. Rates without a Bxxx constant (14400, 56000) go through termios2
// and BOTHER. Returns 0 or an errno.
int ConfigureSerial(int fd, int baud, bool handshake);

// The rate and handshake flag now set on `fd`, for checks.
int ReadSerialSettings(int fd, int* baud, bool* handshake);

}  // namespace vidodez::platform
