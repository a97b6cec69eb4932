// The real Windows calls of the USB printing-class backend.

#include "core/platform/windows/usbprint_calls.h"

// windows.h before setupapi.h, which needs its types.
#include <windows.h>

#include <setupapi.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "core/platform/windows/wide_text.h"
#include "core/platform/windows/windows_errors.h"

namespace vidodez::platform::win {
namespace {

static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kErrorSharingViolation == ERROR_SHARING_VIOLATION);
static_assert(kErrorDeviceNotConnected == ERROR_DEVICE_NOT_CONNECTED);
static_assert(kErrorGenFailure == ERROR_GEN_FAILURE);
static_assert(kWaitTimeout == WAIT_TIMEOUT);
static_assert(kErrorHandleEof == ERROR_HANDLE_EOF);
static_assert(kErrorMoreData == ERROR_MORE_DATA);
static_assert(kErrorIoPending == ERROR_IO_PENDING);
static_assert(kErrorOperationAborted == ERROR_OPERATION_ABORTED);

// GUID_DEVINTERFACE_USBPRINT, the printing class's device interface.
constexpr GUID kUsbPrintInterface = {
    0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};
// CTL_CODE(FILE_DEVICE_UNKNOWN, 12, METHOD_BUFFERED, FILE_ANY_ACCESS).
constexpr DWORD kIoctlGetLptStatus = 0x220030;
// usbprint answers a control request within usblp's 5 s as well.
constexpr DWORD kControlWaitMs = 5000;
// Descriptions are read in GBK, as the printers' own tools read them.
constexpr UINT kGbkCodePage = 936;

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

bool InterfaceData(Handle list, uint32_t index, SP_DEVICE_INTERFACE_DATA* data) {
  *data = SP_DEVICE_INTERFACE_DATA{};
  data->cbSize = sizeof *data;
  return SetupDiEnumDeviceInterfaces(static_cast<HDEVINFO>(list), nullptr, &kUsbPrintInterface,
                                     index, data) != FALSE;
}

Handle OpenList() {
  HDEVINFO list = SetupDiGetClassDevsW(&kUsbPrintInterface, nullptr, nullptr,
                                       DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  return list == INVALID_HANDLE_VALUE ? nullptr : list;
}

void CloseList(Handle list) { SetupDiDestroyDeviceInfoList(static_cast<HDEVINFO>(list)); }

bool InterfacePath(Handle list, uint32_t index, std::string* path) {
  SP_DEVICE_INTERFACE_DATA data;
  if (!InterfaceData(list, index, &data)) return false;
  DWORD size = 0;
  SetupDiGetDeviceInterfaceDetailW(static_cast<HDEVINFO>(list), &data, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return false;
  std::vector<uint8_t> storage(size);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(static_cast<HDEVINFO>(list), &data, detail, size, nullptr,
                                        nullptr))
    return false;
  *path = Narrow(detail->DevicePath);
  return true;
}

// One value of the interface's "Device Parameters" key, as its bytes.
bool RegistryValue(Handle list, uint32_t index, const wchar_t* name, DWORD type,
                   std::vector<uint8_t>* value) {
  SP_DEVICE_INTERFACE_DATA data;
  if (!InterfaceData(list, index, &data)) return false;
  HKEY key = SetupDiOpenDeviceInterfaceRegKey(static_cast<HDEVINFO>(list), &data, 0, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) return false;
  DWORD found_type = 0;
  DWORD size = 0;
  LSTATUS rc = RegQueryValueExW(key, name, nullptr, &found_type, nullptr, &size);
  if (rc == ERROR_SUCCESS && found_type == type) {
    value->assign(size, 0);
    rc = RegQueryValueExW(key, name, nullptr, &found_type, value->data(), &size);
    value->resize(size);
  }
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return Fail(static_cast<DWORD>(rc));
  return found_type == type ? true : Fail(ERROR_FILE_NOT_FOUND);
}

bool PortNumber(Handle list, uint32_t index, uint32_t* number) {
  std::vector<uint8_t> value;
  if (!RegistryValue(list, index, L"Port Number", REG_DWORD, &value)) return false;
  if (value.size() < 4) return Fail(ERROR_FILE_NOT_FOUND);
  *number = uint32_t{value[0]} | uint32_t{value[1]} << 8 | uint32_t{value[2]} << 16 |
            uint32_t{value[3]} << 24;
  return true;
}

// The text as the printers' own tools read it: GBK bytes, refused when they
// do not fit the buffer with their terminator.
bool PortDescription(Handle list, uint32_t index, size_t capacity, std::string* text) {
  std::vector<uint8_t> value;
  if (!RegistryValue(list, index, L"Port Description", REG_SZ, &value)) return false;
  std::wstring wide(reinterpret_cast<const wchar_t*>(value.data()), value.size() / 2);
  wide.resize(std::wcslen(wide.c_str()));
  const int length = WideCharToMultiByte(
      kGbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (length < 0 || static_cast<size_t>(length) + 1 > capacity) return Fail(ERROR_MORE_DATA);
  text->assign(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), text->data(),
                      length, nullptr, nullptr);
  return true;
}

Handle Open(const std::string& path, bool read_only) {
  HANDLE device = CreateFileW(
      Widen(path).c_str(), read_only ? GENERIC_READ : (GENERIC_READ | GENERIC_WRITE),
      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  return device == INVALID_HANDLE_VALUE ? nullptr : device;
}

void Close(Handle device) { CloseHandle(device); }

// One overlapped call, waited for at most `wait_ms`; a wait that runs out
// cancels it and fails with WAIT_TIMEOUT, keeping the bytes it moved.
template <typename Start>
bool Overlapped(Handle device, int wait_ms, size_t* moved, Start start) {
  *moved = 0;
  OVERLAPPED io{};
  io.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (io.hEvent == nullptr) return false;
  if (!start(&io) && GetLastError() != ERROR_IO_PENDING) {
    const DWORD error = GetLastError();
    CloseHandle(io.hEvent);
    return Fail(error);
  }
  bool timed_out = false;
  if (WaitForSingleObject(io.hEvent, static_cast<DWORD>(std::max(wait_ms, 0))) == WAIT_TIMEOUT) {
    CancelIoEx(device, &io);
    timed_out = true;
  }
  DWORD done = 0;
  const BOOL finished = GetOverlappedResult(device, &io, &done, TRUE);
  const DWORD error = GetLastError();
  CloseHandle(io.hEvent);
  *moved = done;
  if (finished) return true;
  return Fail(timed_out || error == ERROR_OPERATION_ABORTED ? WAIT_TIMEOUT : error);
}

bool Write(Handle device, const uint8_t* data, size_t size, int wait_ms, size_t* written) {
  const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
  return Overlapped(device, wait_ms, written, [&](OVERLAPPED* io) {
    return WriteFile(device, data, want, nullptr, io) != FALSE;
  });
}

bool Read(Handle device, uint8_t* buffer, size_t capacity, int wait_ms, size_t* got) {
  const DWORD want = static_cast<DWORD>(std::min<size_t>(capacity, 1u << 30));
  return Overlapped(device, wait_ms, got, [&](OVERLAPPED* io) {
    return ReadFile(device, buffer, want, nullptr, io) != FALSE;
  });
}

bool GetStatus(Handle device, uint8_t* status) {
  uint8_t request = 0;
  size_t returned = 0;
  if (!Overlapped(device, kControlWaitMs, &returned, [&](OVERLAPPED* io) {
        return DeviceIoControl(device, kIoctlGetLptStatus, &request, 1, status, 1, nullptr, io) !=
               FALSE;
      }))
    return false;
  return returned == 1 ? true : Fail(ERROR_GEN_FAILURE);
}

uint32_t LastError() { return GetLastError(); }

}  // namespace

const UsbPrintCalls& SystemUsbPrintCalls() {
  static const UsbPrintCalls calls{OpenList, CloseList, InterfacePath, PortNumber, PortDescription,
                                   Open,     Close,     Write,         Read,       GetStatus,
                                   LastError};
  return calls;
}

}  // namespace vidodez::platform::win
