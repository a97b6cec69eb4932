// A long send from the storage page to a slow printer: the window goes on
// painting, shows how far the send is, says what it always said, leaves the
// port to the send, and a close during it stops the send first.
#include <gtest/gtest.h>

#include <QEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "gui/storage/file_management_ui.h"
#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

constexpr size_t kFileSize = 64 << 20;

// Asks a small widget of the window to repaint every 10 ms and keeps, for
// each paint, which quarter of the send the progress bar showed: a window
// that stops painting for a quarter of the send misses that quarter.
class PaintProbe final : public QObject {
 public:
  PaintProbe(QWidget* parent, const QProgressBar* bar) : widget_(new QWidget(parent)), bar_(bar) {
    widget_->setGeometry(0, 0, 8, 8);
    widget_->installEventFilter(this);
    widget_->show();
    connect(&timer_, &QTimer::timeout, widget_, qOverload<>(&QWidget::update));
    timer_.start(10);
  }
  std::set<int> quarters() const { return quarters_; }
  size_t paints() const { return paints_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != widget_ || event->type() != QEvent::Paint) return false;
    ++paints_;
    const int span = bar_->maximum() - bar_->minimum();
    if (bar_->isVisible() && span > 0)
      quarters_.insert(std::min(3, (bar_->value() - bar_->minimum()) * 4 / span));
    return false;
  }

 private:
  QWidget* widget_;
  const QProgressBar* bar_;
  QTimer timer_;
  size_t paints_ = 0;
  std::set<int> quarters_;
};

class LongSend : public ::testing::Test, public test::ControlDriver {
 protected:
  // A printer on USB port 1 that takes `rate` bytes a second, chosen in
  // the shown storage page, and a file of kFileSize in the path box.
  sim::SimPrinter& SlowPrinter(uint64_t rate) {
    auto& printer = rig_.ShowWithPrinter("FileManagement", rate);
    content_.resize(kFileSize);
    for (size_t i = 0; i < content_.size(); ++i) content_[i] = static_cast<char>(i * 131 >> 7);
    const std::string path = rig_.bus.File("big.bin");
    test::WriteFileBytes(path, content_);
    Control<QLineEdit>("FileNameEdit")->setText(QString::fromStdString(path));
    return printer;
  }
  QWidget* driven() override { return rig_.frame().page(kPageStorage); }

  test::FrameRig rig_;
  std::string content_;
};

// Catches a send that blocks the interface thread (no paint for its
// whole length), progress that is not shown or not in the page, a refresh
// that asks the status through the port the send holds, and messages that
// change or go missing on their way from the worker.
TEST_F(LongSend, WindowKeepsPaintingShowsProgressAndLeavesThePortToTheSend) {
  auto& printer = SlowPrinter(32 << 20);
  auto* bar = Control<QProgressBar>("FMTransferBar");
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isVisible());

  // Today's message for an empty path comes through the worker unchanged.
  const QString path = Control<QLineEdit>("FileNameEdit")->text();
  Control<QLineEdit>("FileNameEdit")->clear();
  rig_.Click("FMSendFileBtn");
  EXPECT_EQ(rig_.Shown(), std::vector<std::string>{"Please select a file!"});
  Control<QLineEdit>("FileNameEdit")->setText(path);

  const int status_before = rig_.usb.status_requests;
  int status_during = status_before;
  // The frame's own refresh timer ticks during the send.
  auto refreshes = [this] {
    return std::count(rig_.routines.begin(), rig_.routines.end(), "refresh:5");
  };
  const auto refreshes_before = refreshes();
  PaintProbe probe(&rig_.frame(), bar);
  const auto seen = rig_.ClickAndWatch(
      "FMSendFileBtn", bar, {Control<QWidget>("FMSendFileBtn")},
      [&] { status_during = std::max<int>(status_during, rig_.usb.status_requests); });

  EXPECT_GT(probe.paints(), 10u);
  EXPECT_EQ(probe.quarters(), (std::set<int>{0, 1, 2, 3})) << probe.paints() << " paints";
  EXPECT_GT(seen.between, 0);
  EXPECT_TRUE(seen.progress.endsWith(" of 64.0 MiB")) << seen.progress.toStdString();
  EXPECT_TRUE(seen.held);
  EXPECT_GT(refreshes(), refreshes_before);
  EXPECT_EQ(status_during, status_before);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(Control<QWidget>("FMSendFileBtn")->isEnabled());
  EXPECT_EQ(rig_.Shown(), std::vector<std::string>{"Please select a file!"});
  EXPECT_TRUE(printer.WireText() == content_);
  // The port is free again, and the refresh asks once more.
  rig_.frame().RefreshShownPage();
  EXPECT_GT(rig_.usb.status_requests, status_before);
}

// Catches a close that ends the program under a running send, one that
// leaves the send running to its end, and a failure message shown to an
// operator who is leaving.
TEST_F(LongSend, ClosingTheWindowStopsTheSendAtAChunksEndThenQuits) {
  auto& printer = SlowPrinter(8 << 20);
  test::SignalCounter quit(&rig_.frame(), &CDialogFrameWnd::quitRequested);
  int quit_while_sending = -1;
  rig_.ClickAndWatch("FMSendFileBtn", nullptr, {}, [&] {
    if (quit_while_sending >= 0 || printer.TransferSizes().empty()) return;
    rig_.Click("Closebtn");
    quit_while_sending = quit.count();
  });
  EXPECT_EQ(quit_while_sending, 0);
  EXPECT_EQ(quit.count(), 1);
  const size_t received = printer.Wire().size();
  EXPECT_GT(received, 0u);
  EXPECT_LT(received, kFileSize);
  EXPECT_TRUE(printer.WireText() == content_.substr(0, received));
  EXPECT_TRUE(rig_.Shown().empty());
}

}  // namespace
}  // namespace vidodez::gui
