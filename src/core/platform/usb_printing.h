#pragma once
// The USB printing class as the program sees it: a list of printer
// interfaces, each opened as a byte pipe with a bulk-in side and a status
// byte. One implementation per backend: the kernel's usblp driver and the
// simulated bus.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vidodez::platform {

struct UsbPrinterInterface {
  // "\\?\usb#vid_xxxx&pid_yyyy#SERIAL#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"
  std::string device_path;
  // USB port number (1 is USB01); -1 when the interface has none.
  int port_number = -1;
  bool has_description = false;
  std::string description;
  // Where the backend reaches the device (a /dev node, a socket).
  std::string node;
  // Which backend of a combined list listed it.
  int backend = 0;
};

// Results of the platform layer are 0 or an errno value (ETIMEDOUT for a
// read that saw nothing, or a write that made no progress in time).
class UsbDevice {
 public:
  virtual ~UsbDevice() = default;

  // Hands all of `data` to the device, which may still be taking it when
  // this returns. Fails with ETIMEDOUT when no byte is accepted for
  // `stall_ms`; `*written` counts what was accepted either way.
  virtual int Write(const uint8_t* data, size_t size, int stall_ms, size_t* written) = 0;
  // Waits until the device has taken every byte written so far, so a failure
  // of the last transfer is reported and closing cannot cut it off.
  virtual int Flush(int stall_ms) = 0;
  // One bulk-in transfer of at most `capacity` bytes within `timeout_ms`.
  virtual int Read(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) = 0;
  // The port-status byte, through this open device.
  virtual int GetStatus(uint8_t* status) = 0;
};

class UsbPrintingClass {
 public:
  virtual ~UsbPrintingClass() = default;

  // Present printer interfaces, in the backend's own order.
  virtual int Enumerate(std::vector<UsbPrinterInterface>* interfaces) = 0;
  virtual int Open(const UsbPrinterInterface& interface, std::unique_ptr<UsbDevice>* device) = 0;
};

// "\\?\usb#vid_0471&pid_0168#SERIAL#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}": the
// form Windows gives a printing-class interface's path, which the other
// backends give theirs too.
std::string WindowsStyleDevicePath(const std::string& vid_hex, const std::string& pid_hex,
                                   const std::string& serial);

// Lists the interfaces of several backends one after the other and opens each
// through the backend that listed it.
class CombinedUsbPrintingClass final : public UsbPrintingClass {
 public:
  explicit CombinedUsbPrintingClass(std::vector<std::unique_ptr<UsbPrintingClass>> backends);

  int Enumerate(std::vector<UsbPrinterInterface>* interfaces) override;
  int Open(const UsbPrinterInterface& interface, std::unique_ptr<UsbDevice>* device) override;

 private:
  std::vector<std::unique_ptr<UsbPrintingClass>> backends_;
};

// Real printers of this machine followed by the printers of the simulated
// bus (DefaultSimBusDir()).
std::unique_ptr<UsbPrintingClass> MakeSystemUsbPrintingClass();

// The bus folder the simulator and the programs agree on: VIDODEZ_SIM_BUS,
// else SystemSimBusDir().
std::string DefaultSimBusDir();
// $XDG_RUNTIME_DIR/vidodez-sim on Linux (else a folder of the user's own in
// /tmp), the user's temporary folder's "vidodez-sim" on Windows.
std::string SystemSimBusDir();

}  // namespace vidodez::platform
