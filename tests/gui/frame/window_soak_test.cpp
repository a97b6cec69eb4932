// The window left running for a minute while the operator flips through
// the pages and printers come and go: no crash, and the resident size stops
// growing once every page has been built. The figures are printed for the
// reliability notes.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <cstdio>

#include "gui_fixture.h"
#include "support/process_usage.h"

namespace vidodez::gui {
namespace {

constexpr int kSwitchMs = 100;
constexpr int kPlugMs = 700;
constexpr int kWarmUpMs = 10000;
constexpr int kRunMs = 60000;
// Qt's caches (glyphs, pixmaps, style data) fill while the first pages are
// shown; after the warm-up, growth beyond this would be kept per switch or
// per plug.
constexpr int64_t kResidentMarginKiB = 8 * 1024;

TEST(WindowSoak, PagesSwitchWhilePrintersComeAndGoWithoutGrowing) {
  test::FrameRig rig;
  rig.AddReadyPrinter();
  sim::SimPrinter& coming_and_going = rig.bus.AddPrinter(test::PrinterOnPort(2));
  rig.frame().show();
  const QStringList pages = CDialogFrameWnd::PageOptions();

  int switches = 0;
  QTimer switcher;
  QObject::connect(&switcher, &QTimer::timeout, [&] {
    rig.Click(pages[switches % pages.size()]);
    ++switches;
    rig.routines.clear();  // the rig's own record, not the window's
  });
  int plugs = 0;
  bool plugged = true;
  QTimer plugger;
  QObject::connect(&plugger, &QTimer::timeout, [&] {
    if (plugged) {
      coming_and_going.Unplug();
    } else {
      EXPECT_EQ(coming_and_going.Plug(), 0);
      ++plugs;
    }
    plugged = !plugged;
  });
  int64_t warm = 0;
  QTimer::singleShot(kWarmUpMs, [&] { warm = test::ResidentKiB(); });
  const int64_t start = test::ResidentKiB();
  QEventLoop loop;
  QTimer::singleShot(kRunMs, &loop, &QEventLoop::quit);
  switcher.start(kSwitchMs);
  plugger.start(kPlugMs);
  loop.exec();
  switcher.stop();
  plugger.stop();
  const int64_t end = test::ResidentKiB();

  std::printf("window soak: %d page switches, %d unplug and plug cycles\n", switches, plugs);
  std::printf("window soak: VmRSS start %lld KiB, after warm-up %lld KiB, end %lld KiB\n",
              static_cast<long long>(start), static_cast<long long>(warm),
              static_cast<long long>(end));
  EXPECT_GE(switches, 6);  // every page was shown at least once
  EXPECT_GT(plugs, 0);
  ASSERT_GT(warm, 0);
  if (!test::kFreedMemoryIsHeld) {
    EXPECT_LE(end - warm, kResidentMarginKiB);
  }
}

}  // namespace
}  // namespace vidodez::gui
