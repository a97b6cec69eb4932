#pragma once
// The Windows calls the USB printing-class backend makes, passed in at
// construction so that tests on any system can script them (two printers,
// a busy device, an unplug mid-write, a short write, a time-out, registry
// values missing), as the Linux backend's tests script its system calls.
// Handles are the system's HANDLEs; failures leave their code in the
// table's last_error, as GetLastError does.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vidodez::platform::win {

using Handle = void*;

struct UsbPrintCalls {
  // SetupDiGetClassDevsW on the printing-class interface GUID, present
  // interfaces only; null on failure.
  Handle (*open_interface_list)();
  void (*close_interface_list)(Handle list);
  // SetupDiEnumDeviceInterfaces and SetupDiGetDeviceInterfaceDetailW: the
  // device path (UTF-8) of entry `index`; false with kErrorNoMoreItems past
  // the last one.
  bool (*interface_path)(Handle list, uint32_t index, std::string* path);
  // SetupDiOpenDeviceInterfaceRegKey and RegQueryValueExW of the entry's
  // "Port Number" (a DWORD) and "Port Description" (text of at most
  // `capacity` bytes as the program reads it, UTF-8).
  bool (*port_number)(Handle list, uint32_t index, uint32_t* number);
  bool (*port_description)(Handle list, uint32_t index, size_t capacity, std::string* text);
  // CreateFileW for reading and writing (or reading alone), sharing both,
  // OPEN_EXISTING, overlapped; null on failure.
  Handle (*open)(const std::string& path, bool read_only);
  void (*close)(Handle device);
  // WriteFile or ReadFile, overlapped, waited for at most `wait_ms`: a wait
  // that runs out cancels the transfer (CancelIoEx) and fails with
  // kWaitTimeout; the bytes moved come back either way.
  bool (*write)(Handle device, const uint8_t* data, size_t size, int wait_ms, size_t* written);
  bool (*read)(Handle device, uint8_t* buffer, size_t capacity, int wait_ms, size_t* got);
  // DeviceIoControl with IOCTL_USBPRINT_GET_LPT_STATUS.
  bool (*get_status)(Handle device, uint8_t* status);
  uint32_t (*last_error)();
};

const UsbPrintCalls& SystemUsbPrintCalls();

}  // namespace vidodez::platform::win
