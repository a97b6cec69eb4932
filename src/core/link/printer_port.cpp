#include "core/link/printer_port.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <new>

#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/platform/file_system.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

constexpr int kUsbFirstPort = 7;
constexpr int kUsbAnyPort = 255;
constexpr int kDrainWaitMs = 20;
// More than a printer ever queues; bounds the drain against a chatty device.
constexpr int kMaxDrainedTransfers = 16;
constexpr std::array<int, 13> kBaudRates{110,   300,   600,   1200,  2400,   4800,  9600,
                                         14400, 19200, 38400, 56000, 128000, 256000};
constexpr int kLowestBaudRate = 9600;
constexpr int kHighestBaudRate = 56000;
constexpr size_t kMaxGraphicNameLength = 16;

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// A file to send, opened the one safe way (a FIFO, folder or device is
// refused without waiting), and its size when opened: kPortOk,
// kFileOpenFailed or kFileReadFailed, with the errno in `error`.
int OpenFileToSend(const std::string& path, File* file, uint64_t* size, int* error) {
  int fd = -1;
  switch (OpenInputFile(path, &fd, error)) {
    case kShellOk:
      break;
    case kInputNotRegular:
      return kFileReadFailed;
    default:
      return kFileOpenFailed;
  }
  platform::FileStatus about;
  *size = platform::DefaultFileCalls().status(fd, &about) == 0 ? about.size : 0;
  file->reset(platform::OpenStream(fd, "rb"));
  if (*file) return kPortOk;
  *error = errno;
  CloseInputFile(fd);
  return kFileOpenFailed;
}

// The USB port number a port number selects: port number - 6, except that
// 255 alone stands for the first printer (USB249 is then out of reach, as
// it always was; USB250 and up are port numbers 256 and up).
int UsbIndexOfPort(int port_number) {
  return port_number == kUsbAnyPort ? kAnyUsbPrinter : port_number - (kUsbFirstPort - 1);
}

}  // namespace

bool FindUsbInterface(platform::UsbPrintingClass& usb, int usb_index,
                      platform::UsbPrinterInterface* found) {
  std::vector<platform::UsbPrinterInterface> interfaces;
  if (usb.Enumerate(&interfaces) != 0) return false;
  for (auto& interface : interfaces) {
    if (!IsAcceptedInterface(interface.device_path) || interface.port_number < 0) continue;
    if (usb_index == kAnyUsbPrinter || interface.port_number == usb_index) {
      *found = std::move(interface);
      return true;
    }
  }
  return false;
}

CPrinterPort::CPrinterPort(platform::UsbPrintingClass& usb, PortDevicePaths paths)
    : usb_(usb), paths_(std::move(paths)) {}

CPrinterPort::~CPrinterPort() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void CPrinterPort::Fail(int error, const std::string& device) {
  std::lock_guard lock(shared_mutex_);
  last_error_ = error;
  last_device_ = device;
}

int CPrinterPort::last_error() const {
  std::lock_guard lock(shared_mutex_);
  return last_error_;
}

std::string CPrinterPort::last_device() const {
  std::lock_guard lock(shared_mutex_);
  return last_device_;
}

int CPrinterPort::OpenPort(int port_number) {
  std::unique_lock lock(mutex_, std::try_to_lock);
  // Held by another thread mid-operation: it is open, and we do not wait.
  if (!lock.owns_lock() || device_) return kPortAlreadyOpen;
  if (port_number < 0) return kNegativePortNumber;
  Fail(0, {});

  int rc = kPortOk;
  if (port_number == 0) {
    rc = OpenPortDevice(platform::PortKind::kPrintFile, paths_.print_file, kPrintFileCreateFailed);
    print_file_ = rc == kPortOk;
  } else if (port_number <= 3) {
    rc = OpenPortDevice(platform::PortKind::kParallel,
                        paths_.parallel[static_cast<size_t>(port_number - 1)], kPortOpenFailed);
  } else if (port_number <= 6) {
    const std::string& path = paths_.serial[static_cast<size_t>(port_number - 4)];
    rc = OpenPortDevice(platform::PortKind::kSerial, path, kPortOpenFailed);
    if (rc == kPortOk) {
      int baud = 0;
      bool handshake = false;
      if (int error = serial_->ReadSerialSettings(&baud, &handshake); error != 0) {
        Fail(error, path);
        rc = kSerialGetStateFailed;
      } else if (error = serial_->ConfigureSerial(kLowestBaudRate, false); error != 0) {
        Fail(error, path);
        rc = kSerialSetStateFailed;
      }
      if (rc != kPortOk) CloseLocked();
    }
  } else {
    rc = OpenUsb(port_number);
  }
  if (rc != kPortOk) return rc;

  last_write_result_ = 0;
  output_length_ = 0;
  try {
    if (spare_output_.capacity() > output_.capacity()) output_.swap(spare_output_);
    output_.assign(kOutputBufferSize, 0);
  } catch (const std::bad_alloc&) {
    CloseLocked();
    return kOutputBufferAllocFailed;
  }
  return kPortOk;
}

int CPrinterPort::OpenPortDevice(platform::PortKind kind, const std::string& path,
                                 int failure_code) {
  std::unique_ptr<platform::PortDevice> device;
  if (const int error = platform::OpenPortDevice(kind, path, &device); error != 0) {
    Fail(error, path);
    return failure_code;
  }
  if (kind == platform::PortKind::kSerial) serial_ = device.get();
  device_ = std::move(device);
  device_name_ = path;
  return kPortOk;
}

int CPrinterPort::OpenUsb(int port_number) {
  int usb_index = UsbIndexOfPort(port_number);
  platform::UsbPrinterInterface interface;
  std::unique_ptr<platform::UsbDevice> device;
  if (FindUsbInterface(usb_, usb_index, &interface)) {
    if (int error = usb_.Open(interface, &device); error != 0) Fail(error, interface.node);
  } else {
    Fail(ENODEV, {});
  }
  if (!device) {
    // Port 255 without a printer opens "successfully" into a closed port;
    // every write then reports the closed port.
    return port_number == kUsbAnyPort ? kPortOk : kNoSuchUsbPrinter;
  }
  device_ = std::move(device);
  device_name_ = interface.node;
  usb_index_ = interface.port_number;
  std::lock_guard lock(shared_mutex_);
  held_device_ = device_;
  held_device_name_ = device_name_;
  held_usb_index_ = usb_index_;
  return kPortOk;
}

void CPrinterPort::ClosePort() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void CPrinterPort::CloseLocked() {
  {
    std::lock_guard lock(shared_mutex_);
    held_device_.reset();
    held_device_name_.clear();
    held_usb_index_ = -1;
  }
  device_.reset();
  device_name_.clear();
  usb_index_ = -1;
  print_file_ = false;
  serial_ = nullptr;
  // A closed port has no output buffer, but its memory is kept for the next
  // open: every query opens and closes the port, and a fresh megabyte each
  // time cost more than the query itself.
  output_.clear();
  if (output_.capacity() > spare_output_.capacity()) output_.swap(spare_output_);
  output_length_ = 0;
}

int CPrinterPort::Flush() {
  if (!device_) return 0;
  if (int error = device_->Flush(stall_limit_ms_); error != 0) {
    Fail(error, device_name_);
    last_write_result_ = kWriteFailed;
    CloseLocked();
    return kWriteFailed;
  }
  return 0;
}

int CPrinterPort::Stopped() {
  (void)Flush();
  return kSendStopped;
}

bool CPrinterPort::IsPortClosed() const {
  std::lock_guard lock(mutex_);
  return !device_;
}

int CPrinterPort::WriteLocked(const uint8_t* data, size_t size, Delivery delivery) {
  if (!device_) {
    last_write_result_ = kWriteOnClosedPort;
    return last_write_result_;
  }
  size_t written = 0;
  int error = device_->Write(data, size, stall_limit_ms_, &written);
  if (error == 0 && delivery == Delivery::kWait) error = device_->Flush(stall_limit_ms_);
  if (written > size) {
    last_write_result_ = kWroteMoreThanAsked;
  } else if (error != 0 || written < size) {
    Fail(error != 0 ? error : EIO, device_name_);
    last_write_result_ = written > 0 ? -static_cast<int>(written) : kWriteFailed;
    // A printer that failed a write (unplugged, stalled, out of paper) is
    // closed here, so the next action opens it afresh.
    CloseLocked();
  }
  return last_write_result_;
}

int CPrinterPort::WriteBuffer() {
  std::lock_guard lock(mutex_);
  return WriteLocked(output_.data(), std::min(output_length_, output_.size()), Delivery::kWait);
}

int CPrinterPort::WriteLine(const std::string& text) {
  std::lock_guard lock(mutex_);
  if (!device_) return kWriteLineOnClosedPort;
  if (text.size() + 2 > output_.size()) return kWriteLineFailed;
  std::copy(text.begin(), text.end(), output_.begin());
  output_[text.size()] = '\r';
  output_[text.size() + 1] = '\n';
  output_length_ = text.size() + 2;
  return WriteLocked(output_.data(), output_length_, Delivery::kWait) < 0 ? kWriteLineFailed
                                                                          : kPortOk;
}

int CPrinterPort::SendFileRaw(const std::string& path, const SendProgress& progress) {
  std::lock_guard lock(mutex_);
  if (!device_) return kSendFileOnClosedPort;
  File file;
  uint64_t total = 0;
  int error = 0;
  if (const int code = OpenFileToSend(path, &file, &total, &error); code != kPortOk) {
    Fail(error, path);
    return code;
  }
  uint64_t sent = 0;
  std::array<uint8_t, kFileChunkSize> chunk;
  for (;;) {
    size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
    if (std::ferror(file.get())) {
      Fail(errno, path);
      return kFileReadFailed;
    }
    // At the end wait until the printer took everything, so a failure of
    // the last chunks counts.
    if (got == 0) return Flush() != 0 ? kFileChunkWriteFailed : kPortOk;
    if (WriteLocked(chunk.data(), got, Delivery::kQueue) != 0) return kFileChunkWriteFailed;
    sent += got;
    if (progress && !progress(sent, total)) return Stopped();
  }
}

int CPrinterPort::SendGraphicFile(const std::string& name, const std::string& path,
                                  const SendProgress& progress) {
  std::lock_guard lock(mutex_);
  if (!device_) return kGraphicOnClosedPort;
  File file;
  uint64_t opened_size = 0;  // the size the header announces
  int error = 0;
  if (const int code = OpenFileToSend(path, &file, &opened_size, &error); code != kPortOk) {
    Fail(error, path);
    return code;
  }
  // The printer takes a graphic in one piece of the output buffer's size.
  if (opened_size >= kOutputBufferSize) return kGraphicTooLarge;
  const auto size = static_cast<long>(opened_size);

  std::fill(output_.begin(), output_.end(), 0);
  // A name of 17 or more characters does not fit the printer's name field;
  // the bytes go without a header then.
  if (name.size() <= kMaxGraphicNameLength) {
    std::string header = "GM\"" + name + "\"" + std::to_string(size) + "\r\n";
    if (WriteLocked(reinterpret_cast<const uint8_t*>(header.data()), header.size(),
                    Delivery::kQueue) < 0)
      return kGraphicWriteFailed;
  }
  // Exactly the size the header announced: bytes that grew onto the file
  // after it was measured would run into the printer's next command, and a
  // file that came up short leaves the printer waiting, so that is a failure.
  long left = size;
  while (left > 0) {
    const size_t want = std::min(kFileChunkSize, static_cast<size_t>(left));
    size_t got = std::fread(output_.data(), 1, want, file.get());
    if (std::ferror(file.get())) {
      Fail(errno, path);
      return kFileReadFailed;
    }
    if (got == 0) {
      Fail(EIO, path);
      return kFileReadFailed;
    }
    if (WriteLocked(output_.data(), got, Delivery::kQueue) < 0) return kGraphicWriteFailed;
    left -= static_cast<long>(got);
    const auto sent = static_cast<uint64_t>(size - left);
    if (progress && !progress(sent, static_cast<uint64_t>(size))) return Stopped();
  }
  return Flush() != 0 ? kGraphicWriteFailed : kPortOk;
}

int CPrinterPort::SetBaudRate(int rate, bool handshake) {
  std::lock_guard lock(mutex_);
  if (std::find(kBaudRates.begin(), kBaudRates.end(), rate) == kBaudRates.end())
    return kBaudRateNotInTable;
  int applied = std::clamp(rate, kLowestBaudRate, kHighestBaudRate);
  if (serial_ == nullptr) return kSetBaudRateFailed;
  if (int error = serial_->ConfigureSerial(applied, handshake); error != 0) {
    Fail(error, device_name_);
    return kSetBaudRateFailed;
  }
  return kPortOk;
}

int CPrinterPort::QueryUsbStatus(int port_number, IoCause* cause) {
  int usb_index = UsbIndexOfPort(port_number);
  auto failed = [&](int result, int error, const std::string& device) {
    Fail(error, device);
    if (cause != nullptr) *cause = {error, device};
    return result;
  };
  std::shared_ptr<platform::UsbDevice> device;
  std::string device_name;
  {
    // usblp opens once at a time: while this port holds the printer, ask
    // through its device instead of failing to open a second one.
    std::lock_guard lock(shared_mutex_);
    if (held_device_ && (usb_index == kAnyUsbPrinter || usb_index == held_usb_index_)) {
      device = held_device_;
      device_name = held_device_name_;
    }
  }
  if (!device) {
    platform::UsbPrinterInterface interface;
    if (!FindUsbInterface(usb_, usb_index, &interface)) return failed(-1, ENODEV, {});
    std::unique_ptr<platform::UsbDevice> opened;
    if (int error = usb_.Open(interface, &opened); error != 0)
      return failed(-1, error, interface.node);
    device = std::move(opened);
    device_name = interface.node;
  }
  uint8_t status = 0;
  if (int error = device->GetStatus(&status); error != 0) return failed(-2, error, device_name);
  if (cause != nullptr) *cause = {};
  return status;
}

int CPrinterPort::ReadTransfer(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) {
  std::lock_guard lock(mutex_);
  *got = 0;
  if (!device_ || usb_index_ < 0) return ENODEV;
  int error = device_->Read(buffer, capacity, timeout_ms, got);
  if (error != 0 && error != ETIMEDOUT) Fail(error, device_name_);
  return error;
}

void CPrinterPort::DrainReplies() {
  std::lock_guard lock(mutex_);
  if (!device_ || usb_index_ < 0) return;
  std::array<uint8_t, kFileChunkSize> discard;
  for (int i = 0; i < kMaxDrainedTransfers; ++i) {
    size_t got = 0;
    if (device_->Read(discard.data(), discard.size(), kDrainWaitMs, &got) != 0) return;
  }
}

}  // namespace vidodez
