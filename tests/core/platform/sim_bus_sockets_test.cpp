#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/platform/sim/bus_transport.h"
#include "support/temp_dir.h"

namespace vidodez::platform::simbus {
namespace {

// A simulated printer unplugged and plugged in again listens anew at its
// path while its old listener waits for the printer's thread to close it.
// Closing it then took the path of the new one: the printer stayed
// unreachable, now and then, after a quick unplug.
TEST(SimBusSockets, ClosingAnOldListenerLeavesTheNewOneReachable) {
  test::TempDir dir;
  const std::string path = dir.File("printer");
  std::unique_ptr<BusListener> old_listener;
  std::unique_ptr<BusListener> new_listener;
  ASSERT_EQ(Listen(path, &old_listener), 0);
  ASSERT_EQ(Listen(path, &new_listener), 0);
  old_listener.reset();
  std::unique_ptr<BusConnection> host;
  EXPECT_EQ(Connect(path, &host), 0);
  // The last one still takes its path with it.
  new_listener.reset();
  EXPECT_NE(Connect(path, &host), 0);
}

}  // namespace
}  // namespace vidodez::platform::simbus
