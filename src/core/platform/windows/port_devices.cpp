#include "core/platform/port_devices.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>

#include "core/platform/windows/wide_text.h"
#include "core/platform/windows/windows_errors.h"

namespace vidodez::platform {
namespace {

// A port or the print file, opened overlapped so that no write waits longer
// than its caller allows.
class HandleDevice final : public PortDevice {
 public:
  HandleDevice(HANDLE handle, PortKind kind) : handle_(handle), kind_(kind) {
    event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }
  ~HandleDevice() override {
    CloseHandle(handle_);
    if (event_ != nullptr) CloseHandle(event_);
  }
  HandleDevice(const HandleDevice&) = delete;
  HandleDevice& operator=(const HandleDevice&) = delete;

  int Write(const uint8_t* data, size_t size, int stall_ms, size_t* written) override {
    *written = 0;
    while (*written < size) {
      size_t took = 0;
      const int rc = Transfer(nullptr, data + *written, size - *written, stall_ms, &took);
      *written += took;
      if (rc == ETIMEDOUT && took > 0) continue;
      if (rc != 0) return rc;
      if (took == 0) return EIO;
    }
    return 0;
  }

  int Flush(int /*stall_ms*/) override { return 0; }

  int Read(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) override {
    *got = 0;
    return Transfer(buffer, nullptr, capacity, timeout_ms, got);
  }

  // Only the USB printing class reports a status byte.
  int GetStatus(uint8_t* /*status*/) override { return ENOTTY; }

  int ConfigureSerial(int baud, bool handshake) override {
    if (kind_ != PortKind::kSerial) return ENOTTY;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_, &dcb)) return win::LastErrno();
    dcb.BaudRate = static_cast<DWORD>(baud);
    dcb.fBinary = 1;
    dcb.fParity = 1;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 17;
    dcb.XoffChar = 19;
    dcb.XonLim = 2048;
    dcb.XoffLim = 3072;
    dcb.fAbortOnError = 0;
    dcb.fDsrSensitivity = 0;
    dcb.fTXContinueOnXoff = 0;
    dcb.fOutX = 0;
    dcb.fInX = 0;
    dcb.fErrorChar = 0;
    dcb.fNull = 0;
    dcb.fOutxCtsFlow = handshake ? 1 : 0;
    dcb.fOutxDsrFlow = handshake ? 1 : 0;
    dcb.fDtrControl = handshake ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = handshake ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_DISABLE;
    if (!SetCommState(handle_, &dcb)) return win::LastErrno();
    // Reads give up after one second; a write gets 2 s and 2 ms a byte at
    // 9600 baud, less at faster rates.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = 1000;
    timeouts.WriteTotalTimeoutMultiplier = static_cast<DWORD>(19200 / std::max(baud, 1));
    timeouts.WriteTotalTimeoutConstant = 2000;
    if (!SetCommTimeouts(handle_, &timeouts)) return win::LastErrno();
    return 0;
  }

  int ReadSerialSettings(int* baud, bool* handshake) override {
    if (kind_ != PortKind::kSerial) return ENOTTY;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_, &dcb)) return win::LastErrno();
    *baud = static_cast<int>(dcb.BaudRate);
    *handshake = dcb.fOutxCtsFlow != 0;
    return 0;
  }

 private:
  // One overlapped read or write, waited for at most `wait_ms`; the print
  // file's writes always go to its end.
  int Transfer(uint8_t* buffer, const uint8_t* data, size_t size, int wait_ms, size_t* moved) {
    *moved = 0;
    if (event_ == nullptr) return ENOMEM;
    OVERLAPPED io{};
    io.hEvent = event_;
    if (kind_ == PortKind::kPrintFile && data != nullptr) io.Offset = io.OffsetHigh = MAXDWORD;
    ResetEvent(event_);
    const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    const BOOL started = buffer != nullptr ? ReadFile(handle_, buffer, want, nullptr, &io)
                                           : WriteFile(handle_, data, want, nullptr, &io);
    if (!started && GetLastError() != ERROR_IO_PENDING) return win::LastErrno();
    bool timed_out = false;
    if (WaitForSingleObject(event_, static_cast<DWORD>(std::max(wait_ms, 0))) == WAIT_TIMEOUT) {
      CancelIoEx(handle_, &io);
      timed_out = true;
    }
    DWORD done = 0;
    const BOOL finished = GetOverlappedResult(handle_, &io, &done, TRUE);
    *moved = done;
    if (finished) return 0;
    if (timed_out || GetLastError() == ERROR_OPERATION_ABORTED) return ETIMEDOUT;
    return win::LastErrno();
  }

  HANDLE handle_;
  HANDLE event_ = nullptr;
  PortKind kind_;
};

}  // namespace

int OpenPortDevice(PortKind kind, const std::string& path, std::unique_ptr<PortDevice>* device) {
  const bool print_file = kind == PortKind::kPrintFile;
  // The print file is made anew; a port is there or not.
  const DWORD access =
      print_file ? (GENERIC_READ | FILE_APPEND_DATA) : (GENERIC_READ | GENERIC_WRITE);
  HANDLE handle = CreateFileW(win::Widen(path).c_str(), access, 0, nullptr,
                              print_file ? CREATE_ALWAYS : OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return win::LastErrno();
  if (kind == PortKind::kSerial) {
    SetupComm(handle, 4096, 4096);
    PurgeComm(handle, PURGE_RXABORT | PURGE_RXCLEAR);
  }
  *device = std::make_unique<HandleDevice>(handle, kind);
  return 0;
}

std::array<std::string, 3> ParallelPortNames() { return {"LPT1", "LPT2", "LPT3"}; }

std::array<std::string, 3> SerialPortNames() {
  return {"\\\\.\\COM1", "\\\\.\\COM2", "\\\\.\\COM3"};
}

}  // namespace vidodez::platform
