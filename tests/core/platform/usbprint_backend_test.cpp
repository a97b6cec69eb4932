// The Windows USB printing-class backend, against a scripted table of the
// Windows calls it makes: the same logic runs on Windows with the real one.

#include "core/platform/windows/usbprint_backend.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "core/platform/windows/windows_errors.h"

namespace vidodez::platform::win {
namespace {

// One interface as SetupAPI and the registry would give it.
struct Entry {
  uint32_t path_error = 0;  // the enumeration's error for this index; 0: the path reads
  std::string path;
  bool has_number = true;
  uint32_t number = 0;
  bool has_description = true;
  std::string description;
};

// How one overlapped transfer ends: the bytes it moved and its error (0:
// it completed).
struct Transfer {
  size_t bytes;
  uint32_t error;
};

struct Script {
  bool list_fails = false;
  std::vector<Entry> entries;
  std::map<std::string, uint32_t> open_errors;  // by path; absent opens
  std::deque<Transfer> writes;
  std::deque<Transfer> reads;
  std::string reply;
  uint8_t status = 0;
  uint32_t status_error = 0;
  // What happened.
  std::string written;
  std::vector<std::string> opened;
  int open_handles = 0;
  uint32_t error = 0;
};

Script* g = nullptr;
// Non-null handles of no meaning; the backend only passes them back.
char g_list = 0;
char g_device = 0;

bool Failed(uint32_t error) {
  g->error = error;
  return false;
}

const UsbPrintCalls kScripted{
    [] {
      if (g->list_fails) g->error = kErrorAccessDenied;
      return g->list_fails ? Handle(nullptr) : Handle(&g_list);
    },
    [](Handle) {},
    [](Handle, uint32_t index, std::string* path) {
      if (index >= g->entries.size()) return Failed(kErrorNoMoreItems);
      const Entry& entry = g->entries[index];
      if (entry.path_error != 0) return Failed(entry.path_error);
      *path = entry.path;
      return true;
    },
    [](Handle, uint32_t index, uint32_t* number) {
      if (!g->entries[index].has_number) return Failed(kErrorFileNotFound);
      *number = g->entries[index].number;
      return true;
    },
    [](Handle, uint32_t index, size_t capacity, std::string* text) {
      const Entry& entry = g->entries[index];
      if (!entry.has_description) return Failed(kErrorFileNotFound);
      if (entry.description.size() + 1 > capacity) return Failed(kErrorMoreData);
      *text = entry.description;
      return true;
    },
    [](const std::string& path, bool) {
      g->opened.push_back(path);
      if (auto found = g->open_errors.find(path); found != g->open_errors.end()) {
        g->error = found->second;
        return Handle(nullptr);
      }
      ++g->open_handles;
      return Handle(&g_device);
    },
    [](Handle) { --g->open_handles; },
    [](Handle, const uint8_t* data, size_t size, int, size_t* written) {
      if (g->writes.empty()) return Failed(kErrorGenFailure);
      const Transfer step = g->writes.front();
      g->writes.pop_front();
      *written = std::min(step.bytes, size);
      g->written.append(reinterpret_cast<const char*>(data), *written);
      return step.error == 0 ? true : Failed(step.error);
    },
    [](Handle, uint8_t* buffer, size_t capacity, int, size_t* got) {
      if (g->reads.empty()) return Failed(kWaitTimeout);
      const Transfer step = g->reads.front();
      g->reads.pop_front();
      *got = std::min({step.bytes, capacity, g->reply.size()});
      std::copy_n(g->reply.begin(), *got, buffer);
      return step.error == 0 ? true : Failed(step.error);
    },
    [](Handle, uint8_t* status) {
      if (g->status_error != 0) return Failed(g->status_error);
      *status = g->status;
      return true;
    },
    [] { return g->error; },
};

constexpr char kFirst[] = "\\\\?\\usb#vid_0471&pid_0168#A1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
constexpr char kSecond[] = "\\\\?\\usb#vid_2a63&pid_0001#B2#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

class UsbPrintTest : public ::testing::Test {
 protected:
  UsbPrintTest() { g = &script_; }
  ~UsbPrintTest() override { g = nullptr; }

  // The first printer, opened.
  std::unique_ptr<UsbDevice> OpenFirst() {
    script_.entries = {{0, kFirst, true, 1, true, "VT-4100"}};
    std::unique_ptr<UsbDevice> device;
    UsbPrinterInterface interface;
    interface.node = kFirst;
    EXPECT_EQ(backend_.Open(interface, &device), 0);
    return device;
  }

  Script script_;
  UsbPrintBackend backend_{kScripted};
};

TEST_F(UsbPrintTest, ListsEveryReadableInterfaceWithWhatItsRegistryHolds) {
  script_.entries = {
      {0, kFirst, true, 0x0201, true, "MarliXPrinters VT-4100"},
      {kErrorInsufficientBuffer, "", true, 0, true, ""},  // an entry that cannot be read
      {0, kSecond, false, 0, false, ""},                  // no registry values
      {0, kSecond, true, 3, true, std::string(50, 'D')},  // a description past 49 bytes
  };
  std::vector<UsbPrinterInterface> found;
  ASSERT_EQ(backend_.Enumerate(&found), 0);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].device_path, kFirst);
  EXPECT_EQ(found[0].node, kFirst);
  EXPECT_EQ(found[0].port_number, 513);  // byte 0 + 256 x byte 1
  EXPECT_TRUE(found[0].has_description);
  EXPECT_EQ(found[0].description, "MarliXPrinters VT-4100");
  EXPECT_EQ(found[1].device_path, kSecond);
  EXPECT_EQ(found[1].port_number, -1);
  EXPECT_FALSE(found[1].has_description);
  EXPECT_EQ(found[2].port_number, 3);
  EXPECT_FALSE(found[2].has_description);
  EXPECT_TRUE(found[2].description.empty());
}

TEST_F(UsbPrintTest, AListThatCannotBeHadHidesOnlyThisBackendsPrinters) {
  script_.list_fails = true;
  std::vector<UsbPrinterInterface> found(1);
  EXPECT_EQ(backend_.Enumerate(&found), EACCES);
  EXPECT_TRUE(found.empty());
}

TEST_F(UsbPrintTest, OpenFailuresNameTheCausesUsblpNames) {
  struct Case {
    uint32_t windows_error;
    int error;
  } cases[] = {
      {kErrorAccessDenied, EBUSY},         // held by another program
      {kErrorSharingViolation, EBUSY},     //
      {kErrorFileNotFound, ENODEV},        // gone since it was listed
      {kErrorDeviceNotConnected, ENODEV},  //
      {kErrorGenFailure, ENODEV},          //
      {kErrorNotEnoughMemory, ENOMEM},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.windows_error);
    script_.open_errors[kFirst] = c.windows_error;
    UsbPrinterInterface interface;
    interface.node = kFirst;
    std::unique_ptr<UsbDevice> device;
    EXPECT_EQ(backend_.Open(interface, &device), c.error);
    EXPECT_EQ(device, nullptr);
  }
  EXPECT_EQ(script_.open_handles, 0);
}

TEST_F(UsbPrintTest, WritesEveryByteOrSaysWhyAndHowManyWent) {
  const std::string data = "0123456789";
  struct Case {
    const char* what;
    std::deque<Transfer> writes;
    int error;
    size_t written;
  } cases[] = {
      {"short writes, and a slow one that timed out taking some",
       {{3, 0}, {3, kWaitTimeout}, {4, 0}},
       0,
       10},
      {"unplugged mid-write", {{4, 0}, {2, kErrorDeviceNotConnected}}, ENODEV, 6},
      {"the driver gave up on the printer", {{0, kErrorGenFailure}}, ENODEV, 0},
      {"no progress within the limit", {{5, 0}, {0, kWaitTimeout}}, ETIMEDOUT, 5},
      {"a transfer that took nothing", {{0, 0}}, EIO, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<UsbDevice> device = OpenFirst();
    ASSERT_NE(device, nullptr);
    script_.writes = c.writes;
    script_.written.clear();
    size_t written = 0;
    EXPECT_EQ(
        device->Write(reinterpret_cast<const uint8_t*>(data.data()), data.size(), 100, &written),
        c.error);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(script_.written, data.substr(0, c.written));
    EXPECT_EQ(device->Flush(100), 0);
  }
}

TEST_F(UsbPrintTest, RepliesComeFromTheBulkInPipeOpenedOnceForTheDevice) {
  std::unique_ptr<UsbDevice> device = OpenFirst();
  ASSERT_NE(device, nullptr);
  script_.reply = "S*1*2*E\r\n";
  script_.reads = {{0, kWaitTimeout}, {9, 0}, {0, kErrorHandleEof}, {3, kErrorMoreData}};
  uint8_t buffer[16];
  size_t got = 99;
  EXPECT_EQ(device->Read(buffer, sizeof buffer, 20, &got), ETIMEDOUT);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(device->Read(buffer, sizeof buffer, 2000, &got), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), got), "S*1*2*E\r\n");
  EXPECT_EQ(device->Read(buffer, sizeof buffer, 2000, &got), 0);  // an empty transfer
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(device->Read(buffer, 3, 2000, &got), EIO);  // more than the buffer holds
  EXPECT_EQ(script_.opened, (std::vector<std::string>{kFirst, std::string(kFirst) + "\\PIPE00"}));
  device.reset();
  EXPECT_EQ(script_.open_handles, 0);
}

TEST_F(UsbPrintTest, AReplyPipeThatWillNotOpenIsAFailedRead) {
  std::unique_ptr<UsbDevice> device = OpenFirst();
  ASSERT_NE(device, nullptr);
  script_.open_errors[std::string(kFirst) + "\\PIPE00"] = kErrorDeviceNotConnected;
  uint8_t buffer[4];
  size_t got = 0;
  EXPECT_EQ(device->Read(buffer, sizeof buffer, 20, &got), ENODEV);
}

TEST_F(UsbPrintTest, StatusByteComesFromTheOpenDevice) {
  std::unique_ptr<UsbDevice> device = OpenFirst();
  ASSERT_NE(device, nullptr);
  script_.status = 0xe1;
  uint8_t status = 0;
  EXPECT_EQ(device->GetStatus(&status), 0);
  EXPECT_EQ(status, 0xe1);
  script_.status_error = kErrorDeviceNotConnected;
  EXPECT_EQ(device->GetStatus(&status), ENODEV);
}

}  // namespace
}  // namespace vidodez::platform::win
