#pragma once
// Counts what reaches the printers, to tell which routines talk to them, and
// fails their writes on demand.

#include <errno.h>

#include <atomic>
#include <memory>
#include <vector>

#include "core/platform/usb_printing.h"

namespace vidodez::test {

class CountingUsb final : public platform::UsbPrintingClass {
 public:
  explicit CountingUsb(platform::UsbPrintingClass& inner) : inner_(inner) {}
  int Enumerate(std::vector<platform::UsbPrinterInterface>* interfaces) override {
    ++enumerations;
    return inner_.Enumerate(interfaces);
  }
  int Open(const platform::UsbPrinterInterface& interface,
           std::unique_ptr<platform::UsbDevice>* device) override {
    ++opens;
    std::unique_ptr<platform::UsbDevice> opened;
    const int rc = inner_.Open(interface, &opened);
    if (opened) *device = std::make_unique<Device>(std::move(opened), *this);
    return rc;
  }
  // A worker's send and the window's refresh count side by side.
  std::atomic<int> enumerations{0};
  std::atomic<int> opens{0};
  // Status requests on any device opened here, the port's own included.
  std::atomic<int> status_requests{0};
  // While set, every write fails with EIO and nothing reaches the printer.
  std::atomic<bool> refuse_writes{false};

 private:
  class Device final : public platform::UsbDevice {
   public:
    Device(std::unique_ptr<platform::UsbDevice> inner, CountingUsb& owner)
        : inner_(std::move(inner)), owner_(owner) {}
    int Write(const uint8_t* data, size_t size, int stall_ms, size_t* written) override {
      if (!owner_.refuse_writes) return inner_->Write(data, size, stall_ms, written);
      *written = 0;
      return EIO;
    }
    int Flush(int stall_ms) override { return inner_->Flush(stall_ms); }
    int Read(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) override {
      return inner_->Read(buffer, capacity, timeout_ms, got);
    }
    int GetStatus(uint8_t* status) override {
      ++owner_.status_requests;
      return inner_->GetStatus(status);
    }

   private:
    std::unique_ptr<platform::UsbDevice> inner_;
    CountingUsb& owner_;
  };

  platform::UsbPrintingClass& inner_;
};

}  // namespace vidodez::test
