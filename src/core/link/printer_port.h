#pragma once
// CPrinterPort: the byte transport to one printer, selected by a port
// number: 0 the print file "PBuffi.txt", 1-3 the parallel ports, 4-6 the
// serial ports, 255 the first USB printer, every other from 7 up the USB
// printer with USB port number n - 6. Open, write, close within one user action.
//
// The one port is shared by the interface thread and a worker: every
// operation is serialised, and an open while another user holds the port is
// refused with kPortAlreadyOpen at once, never waited for.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/link/transfer_progress.h"
#include "core/platform/port_devices.h"
#include "core/platform/usb_printing.h"

namespace vidodez {

struct PortDevicePaths {
  std::string print_file = "PBuffi.txt";
  std::array<std::string, 3> parallel = platform::ParallelPortNames();
  std::array<std::string, 3> serial = platform::SerialPortNames();
};

// The errno behind a failure and the device it concerned.
struct IoCause {
  int error = 0;
  std::string device;
};

inline constexpr size_t kOutputBufferSize = 1024000;
inline constexpr size_t kFileChunkSize = 1024;
// A write that makes no progress for this long fails: a paused or stalled
// printer must not freeze the program. Accepted bytes restart the clock.
inline constexpr int kDefaultStallLimitMs = 10000;

class CPrinterPort {
 public:
  explicit CPrinterPort(platform::UsbPrintingClass& usb, PortDevicePaths paths = {});
  ~CPrinterPort();
  CPrinterPort(const CPrinterPort&) = delete;
  CPrinterPort& operator=(const CPrinterPort&) = delete;

  [[nodiscard]] int OpenPort(int port_number);
  void ClosePort();
  bool IsPortClosed() const;

  // Writes the first `output_length` bytes of the output buffer.
  [[nodiscard]] int WriteBuffer();
  // The text and CR LF.
  [[nodiscard]] int WriteLine(const std::string& text);
  // The sends of files tell `progress` after each chunk; it runs with the
  // port held, so it must not call the port.
  [[nodiscard]] int SendFileRaw(const std::string& path, const SendProgress& progress = {});
  // "GM\"NAME\"SIZE" CR LF, then the file.
  [[nodiscard]] int SendGraphicFile(const std::string& name, const std::string& path,
                                    const SendProgress& progress = {});
  [[nodiscard]] int SetBaudRate(int rate, bool handshake);
  // The status byte 0-255, -1 when the printer cannot be opened, -2 when the
  // request fails, with its cause in `cause` if given. Uses the port's own
  // device when it holds that printer.
  [[nodiscard]] int QueryUsbStatus(int port_number, IoCause* cause = nullptr);

  // One bulk-in transfer of the open USB printer: 0, ETIMEDOUT, or the errno
  // of the failure (ENODEV when no USB printer is open).
  int ReadTransfer(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got);

  // Discards replies still waiting in the open printer's bulk-in endpoint,
  // so the next read answers the next command and not an older one.
  void DrainReplies();

  // The output buffer, for callers that fill it themselves; valid while open.
  uint8_t* output_buffer() { return output_.data(); }
  void set_output_length(size_t length) { output_length_ = length; }

  // The errno behind the last failure, and the device it concerned.
  int last_error() const;
  std::string last_device() const;

  void set_stall_limit_ms(int ms) { stall_limit_ms_ = ms; }

 private:
  int OpenUsb(int port_number);
  int OpenPortDevice(platform::PortKind kind, const std::string& path, int failure_code);
  // kQueue lets the device take the bytes while the next ones are prepared;
  // kWait returns once it has them all.
  enum class Delivery { kQueue, kWait };
  int WriteLocked(const uint8_t* data, size_t size, Delivery delivery);
  int Flush();
  // A send its progress stopped: what is on its way is let through, so the
  // printer is left at a chunk's end.
  int Stopped();
  void CloseLocked();
  void Fail(int error, const std::string& device);

  platform::UsbPrintingClass& usb_;
  PortDevicePaths paths_;
  int stall_limit_ms_ = kDefaultStallLimitMs;

  mutable std::mutex mutex_;
  std::shared_ptr<platform::UsbDevice> device_;
  std::string device_name_;
  int usb_index_ = -1;  // USB port number of the open USB printer
  bool print_file_ = false;
  platform::PortDevice* serial_ = nullptr;  // the open serial port, owned by device_
  int last_write_result_ = 0;
  size_t output_length_ = 0;
  std::vector<uint8_t> output_;
  std::vector<uint8_t> spare_output_;

  // What another thread may read while the port is busy writing: the device
  // a status request borrows, and the cause of the last failure.
  mutable std::mutex shared_mutex_;
  std::shared_ptr<platform::UsbDevice> held_device_;
  std::string held_device_name_;
  int held_usb_index_ = -1;
  int last_error_ = 0;
  std::string last_device_;
};

// Stands for "the first accepted printer" where a USB port number is asked
// for (port number 255); 255 itself is a USB port number like any other.
inline constexpr int kAnyUsbPrinter = -1;

// The USB port number's interface: the first accepted one whose number
// matches, or for kAnyUsbPrinter the first accepted one of all.
bool FindUsbInterface(platform::UsbPrintingClass& usb, int usb_index,
                      platform::UsbPrinterInterface* found);

}  // namespace vidodez
