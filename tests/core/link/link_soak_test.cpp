// Many queries and file sends in one process, as a window left open for a
// long shift makes them: no descriptor and no memory may be kept per
// operation. The figures are printed for the reliability notes.

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/link/printer_link.h"
#include "support/process_usage.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

constexpr int kQueries = 10000;
constexpr int kSends = 1000;
// Each query waits for a reply left over from an earlier one before it
// writes, so links to eight printers at once keep the run short.
constexpr int kLinks = 8;
constexpr size_t kSendSize = 64 * 1024;
// The allocator keeps some freed pages and the first runs fill caches; past
// the warm-up, growth beyond this is kept per operation.
constexpr int64_t kResidentMarginKiB = 4 * 1024;

struct Usage {
  int descriptors;
  int64_t resident_kib;
};

// Descriptors counted once the printers have closed their ends of the last
// connections.
Usage Measure(int settled) {
  return {test::DescriptorCountSettlingAt(settled), test::ResidentKiB()};
}

// Runs `queries` queries and `sends` sends spread over the links, each link
// on its own thread and printer; the number of operations that failed.
int RunOperations(std::deque<CPrinterComm>& comms, const std::string& file, int queries,
                  int sends) {
  std::vector<int> failed(comms.size(), 0);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < comms.size(); ++i) {
    threads.emplace_back([&, i] {
      const std::string name = DisplayName(static_cast<int>(i) + 1, "MarliXPrinters VT-4100");
      const int links = static_cast<int>(comms.size());
      for (int q = 0; q < queries / links; ++q)
        failed[i] += PrinterLink(comms[i], name).Query("^G1") != kPortOk;
      for (int s = 0; s < sends / links; ++s) {
        PrinterLink link(comms[i], name);
        failed[i] += link.Open() != kPortOk || link.SendFile(file) != kPortOk;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  int total = 0;
  for (int f : failed) total += f;
  return total;
}

TEST(LinkSoak, ManyQueriesAndSendsKeepDescriptorsAndMemoryFlat) {
  test::TempDir dir;
  const std::string file = dir.File("send.txt");
  std::string lines;
  while (lines.size() < kSendSize) lines += std::string(62, 'x') + "\r\n";
  test::WriteFileBytes(file, lines);

  test::SimBus bus;
  for (int port = 1; port <= kLinks; ++port) {
    sim::PrinterOptions options = test::PrinterOnPort(port);
    options.keep_wire = false;  // the printer's own record would grow
    bus.AddPrinter(options);
  }
  std::deque<CPrinterComm> comms;
  for (int i = 0; i < kLinks; ++i) comms.emplace_back(bus.usb());

  const Usage start{test::OpenDescriptorCount(), test::ResidentKiB()};
  ASSERT_EQ(0, RunOperations(comms, file, kQueries / 10, kSends / 10));
  const Usage warm = Measure(start.descriptors);
  ASSERT_EQ(0, RunOperations(comms, file, kQueries - kQueries / 10, kSends - kSends / 10));
  const Usage end = Measure(start.descriptors);

  std::printf("soak: %d queries, %d sends of %zu bytes\n", kQueries, kSends, kSendSize);
  std::printf("soak: descriptors start %d, after warm-up %d, end %d\n", start.descriptors,
              warm.descriptors, end.descriptors);
  std::printf("soak: VmRSS start %lld KiB, after warm-up %lld KiB, end %lld KiB\n",
              static_cast<long long>(start.resident_kib), static_cast<long long>(warm.resident_kib),
              static_cast<long long>(end.resident_kib));
  EXPECT_EQ(end.descriptors, start.descriptors);
  ASSERT_GT(warm.resident_kib, 0);
  if (!test::kFreedMemoryIsHeld) {
    EXPECT_LE(end.resident_kib - warm.resident_kib, kResidentMarginKiB);
  }
}

}  // namespace
}  // namespace vidodez
