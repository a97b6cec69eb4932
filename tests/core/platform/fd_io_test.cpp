// The bounded reads and writes of the Linux backend, against system calls
// that misbehave the way drivers do.

#include "core/platform/linux/fd_io.h"

#include <errno.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "core/platform/linux/usblp_backend.h"

namespace vidodez::platform {
namespace {

// One scripted answer per call.
struct Step {
  ssize_t result;
  int error;
};

struct Script {
  std::deque<Step> writes;
  std::deque<Step> polls;  // result: ready count; error: revents when ready
  std::string written;
  int status = 0;
  int status_error = 0;  // errno of LPGETSTATUS, 0 when it answers
};

Script* g_script = nullptr;

ssize_t FakeWrite(int, const void* data, size_t size) {
  if (g_script->writes.empty()) return -1;
  Step step = g_script->writes.front();
  g_script->writes.pop_front();
  if (step.result < 0) {
    errno = step.error;
    return -1;
  }
  size_t n = std::min(size, static_cast<size_t>(step.result));
  g_script->written.append(static_cast<const char*>(data), n);
  return static_cast<ssize_t>(n);
}

int FakePoll(pollfd* fds, nfds_t, int) {
  if (g_script->polls.empty()) return 0;
  Step step = g_script->polls.front();
  g_script->polls.pop_front();
  if (step.result < 0) {
    errno = step.error;
    return -1;
  }
  fds[0].revents = static_cast<short>(step.result > 0 ? step.error : 0);
  return static_cast<int>(step.result);
}

ssize_t FakeRead(int, void* buffer, size_t) {
  static_cast<char*>(buffer)[0] = 'R';
  return 1;
}

int FakeStatus(int, int* status) {
  if (g_script->status_error != 0) {
    errno = g_script->status_error;
    return -1;
  }
  *status = g_script->status;
  return 0;
}

int FakeClose(int) { return 0; }
int FakeOpen(const char*, int) { return 3; }

Syscalls FakeSyscalls(Script* script) {
  g_script = script;
  return Syscalls{FakeOpen, FakeClose, FakeRead, FakeWrite, FakePoll, FakeStatus};
}

const uint8_t kData[] = "0123456789";

TEST(WriteAll, DeliversEveryByteInOrderOrReturnsTheErrnoAndWhatWentOut) {
  struct Case {
    const char* what;
    std::deque<Step> writes;
    std::deque<Step> polls;  // poll reports nothing ready once these run out
    int limit_ms;
    int error;
    size_t written;
  } cases[] = {
      {"short writes and interruptions",
       {{3, 0}, {-1, EINTR}, {-1, EAGAIN}, {0, 0}, {7, 0}},
       {{1, POLLOUT}, {-1, EINTR}, {1, POLLOUT}},
       1000,
       0,
       10},
      {"out of paper (usblp)", {{-1, ENOSPC}}, {}, 1000, ENOSPC, 0},
      {"unplugged", {{-1, ENODEV}}, {}, 1000, ENODEV, 0},
      {"unplugged while waiting", {{-1, EAGAIN}}, {{1, POLLERR | POLLHUP}}, 1000, ENODEV, 0},
      // The limit is tiny so the test is quick.
      {"no progress within the limit", {{4, 0}, {-1, EAGAIN}}, {}, 30, ETIMEDOUT, 4},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script script;
    script.writes = c.writes;
    script.polls = c.polls;
    size_t written = 0;
    EXPECT_EQ(WriteAll(FakeSyscalls(&script), 3, kData, 10, c.limit_ms, &written), c.error);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(script.written, std::string("0123456789", c.written));
  }
}

TEST(ReadOnce, WaitsForDataOrTimesOut) {
  Script script;
  uint8_t buffer[16];
  size_t got = 0;
  EXPECT_EQ(ReadOnce(FakeSyscalls(&script), 3, buffer, sizeof(buffer), 20, &got), ETIMEDOUT);
  script.polls = {{1, POLLIN}};
  EXPECT_EQ(ReadOnce(FakeSyscalls(&script), 3, buffer, sizeof(buffer), 20, &got), 0);
  EXPECT_EQ(got, 1u);
  EXPECT_EQ(buffer[0], 'R');
}

TEST(FdDevice, StatusByteIsMaskedFromTheSignExtendedValue) {
  Script script;
  Syscalls sys = FakeSyscalls(&script);
  FdDevice device(sys, 3);
  uint8_t status = 0;
  script.status = -1;  // 0xff as the driver returns it
  ASSERT_EQ(device.GetStatus(&status), 0);
  EXPECT_EQ(status, 0xff);
  script.status = 0x18;
  ASSERT_EQ(device.GetStatus(&status), 0);
  EXPECT_EQ(status, 0x18);
}

// Catches an unplug mid-transfer told as a bare I/O error: usblp fails the
// cancelled transfer's write with EIO, and then its status request too.
TEST(FdDevice, WriteFailureOfAGonePrinterIsTheUnplug) {
  struct Case {
    const char* what;
    int write_error;
    int status_error;
    int error;
  } cases[] = {
      {"transfer cancelled by the unplug", EIO, ENODEV, ENODEV},
      {"unplug not yet noticed by the driver", EIO, EIO, ENODEV},
      {"printer still there", EIO, 0, EIO},
      {"a file or serial port, which has no status", EIO, ENOTTY, EIO},
      {"paper out stays paper out", ENOSPC, ENODEV, ENOSPC},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script script;
    script.writes = {{-1, c.write_error}};
    script.status_error = c.status_error;
    FdDevice device(FakeSyscalls(&script), 3);
    size_t written = 0;
    EXPECT_EQ(device.Write(kData, 10, 1000, &written), c.error);
  }
}

}  // namespace
}  // namespace vidodez::platform
