// The runner of long operations: what the work asks reaches the operator on
// the interface thread, in order, one answer at a time; what it holds is
// held; a closing window stops it and hears nothing more from it. Its
// progress bar is seen in the storage page's long send.
#include "gui/window/transfer_runner.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QThread>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/sim_bus.h"

namespace vidodez::gui {
namespace {

// The page's operator as the runner uses it: notes each call with how far
// the work had got, and checks it came on the interface thread.
class RecordingOperator final : public Operator {
 public:
  explicit RecordingOperator(const std::atomic<int>& step) : step_(step) {}
  void Tell(const OperatorMessage& message) override { Note("tell " + message.text); }
  bool Confirm(const OperatorMessage& question) override {
    Note("ask " + question.text);
    return false;
  }
  bool ChooseFileToOpen(const FileChoice&, std::string* path) override {
    Note("open");
    *path = "/chosen";
    return true;
  }
  bool ChooseFileToSave(const FileChoice&, std::string*) override {
    Note("save");
    return false;
  }
  void WaitWithCountdown(int seconds) override { Note("wait " + std::to_string(seconds)); }
  void BeginWait() override { Note("begin wait"); }
  void EndWait() override { Note("end wait"); }

  std::vector<std::string> seen;
  // Runs on the interface thread while the work waits for the call.
  std::function<void()> while_shown;

 private:
  void Note(const std::string& what) {
    EXPECT_EQ(QThread::currentThread(), qApp->thread()) << what;
    seen.push_back(what + " @" + std::to_string(step_.load()));
    if (while_shown) while_shown();
  }
  const std::atomic<int>& step_;
};

// Catches a call shown off the interface thread, one the work does not
// wait for (it would have gone on a step), answers lost on the way back,
// and a post overtaking a message told before it.
TEST(TransferRunner, CallsReachTheOperatorInOrderAndTheWorkWaitsForEach) {
  TransferRunner runner([] { return std::string("eng"); });
  std::atomic<int> step{0};
  RecordingOperator op(step);
  bool confirmed = true;
  std::string path;
  TransferJob job;
  job.work = [&](TransferTask& task) {
    step = 1;
    task.op().Tell({"t", 0, "one"});
    step = 2;
    task.Post([&op] { op.seen.push_back("posted"); });
    step = 3;
    confirmed = task.op().Confirm({"t", 1, "two"});
    step = 4;
    EXPECT_TRUE(task.op().ChooseFileToOpen({}, &path));
    step = 5;
    task.op().WaitWithCountdown(3);
    step = 6;
    task.op().BeginWait();
    step = 7;
    task.op().EndWait();
    step = 8;
  };
  EXPECT_TRUE(runner.Run(std::move(job), op));
  EXPECT_FALSE(runner.busy());
  EXPECT_EQ(op.seen, (std::vector<std::string>{"tell one @1", "posted", "ask two @3", "open @4",
                                               "wait 3 @5", "begin wait @6", "end wait @7"}));
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(path, "/chosen");
}

// Catches a second job let in beside the first, controls left enabled
// during a run or not given back as they were, and a refresh not told that
// the port is held.
TEST(TransferRunner, OneJobAtATimeHoldingItsControlsAndThePort) {
  test::SimBus bus;
  CPrinterComm comm(bus.usb());
  QWidget page;
  auto* start = new QPushButton(&page);
  start->setObjectName("XXStartBtn");
  auto* off = new QPushButton(&page);
  off->setObjectName("XXOffBtn");
  off->setEnabled(false);
  TransferRunner runner([] { return std::string("eng"); });
  std::atomic<int> step{0};
  RecordingOperator op(step);
  op.while_shown = [&] {
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(comm.transfer_running());
    TransferJob second;
    second.work = [](TransferTask&) { ADD_FAILURE() << "a second job ran"; };
    EXPECT_FALSE(runner.Run(std::move(second), op));
  };
  TransferJob job;
  job.work = [](TransferTask& task) { (void)task.op().Confirm({"t", 0, "halfway"}); };
  job.page = &page;
  job.held = {"XXStartBtn", "XXOffBtn", "NoSuchControl"};
  job.comm = &comm;
  EXPECT_TRUE(runner.Run(std::move(job), op));
  EXPECT_EQ(op.seen, std::vector<std::string>{"ask halfway @0"});
  EXPECT_TRUE(start->isEnabled());
  EXPECT_FALSE(off->isEnabled());
  EXPECT_FALSE(comm.transfer_running());
}

// Catches a stop that a send never hears, one that cuts a job that must
// not stop, and messages still shown to a window that is closing.
TEST(TransferRunner, StopEndsAStoppableJobAndSilencesEveryJob) {
  for (bool stoppable : {true, false}) {
    SCOPED_TRACE(stoppable);
    TransferRunner runner([] { return std::string("eng"); });
    std::atomic<int> step{0};
    RecordingOperator op(step);
    std::atomic<bool> stop_asked{false};
    bool went_on = false;
    bool answer = true;
    TransferJob job;
    job.stoppable = stoppable;
    job.work = [&](TransferTask& task) {
      task.op().Tell({"t", 0, "before"});
      const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (!stop_asked && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      went_on = task.progress()(1024, 4096);
      task.op().Tell({"t", 1, "after"});
      answer = task.op().Confirm({"t", 2, "sure?"});
    };
    // The window closes while it shows the first message.
    op.while_shown = [&] {
      runner.RequestStop();
      stop_asked = true;
    };
    EXPECT_TRUE(runner.Run(std::move(job), op));
    EXPECT_EQ(went_on, !stoppable);
    EXPECT_FALSE(answer);
    EXPECT_EQ(op.seen, std::vector<std::string>{"tell before @0"});
  }
}

}  // namespace
}  // namespace vidodez::gui
