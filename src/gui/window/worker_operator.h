#pragma once
// The Operator a worker thread talks through: each call is carried to the
// interface thread, shown there by the page's own operator, and the worker
// waits for the answer. So messages keep the order the work gives them, and
// a question is answered before the work goes on.

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "core/shell/operator.h"

namespace vidodez::gui {

// What the interface thread and a worker share. Once the window gives the
// job up (the program is ending), nothing more is shown: waiting calls
// return with the answer Cancel, later ones at once.
struct TransferChannel {
  std::mutex mutex;
  std::condition_variable changed;
  bool abandoned = false;
  bool showing = false;  // a call is being shown on the interface thread
};

// Queues `call` to the thread of `receiver`, behind what was posted before.
// Qt orders a queued call after its post by a lock inside QtCore, which
// ThreadSanitizer cannot see; the post and the start of the call also take a
// lock of our own, so that what the worker wrote into the call is seen, by
// the checker too, to come before the interface thread reads it.
void PostToThreadOf(QObject* receiver, std::function<void()> call);

// Runs `update` on the thread of `interface_side` unless the job was given
// up by then; queued behind what was shown or posted before.
void PostUnlessAbandoned(QObject* interface_side, std::shared_ptr<TransferChannel> channel,
                         std::function<void()> update);

class WorkerOperator final : public Operator {
 public:
  // `target` is used on the thread of `interface_side` only.
  WorkerOperator(Operator& target, QObject* interface_side,
                 std::shared_ptr<TransferChannel> channel);

  void Tell(const OperatorMessage& message) override;
  bool Confirm(const OperatorMessage& question) override;
  bool ChooseFileToOpen(const FileChoice& choice, std::string* path) override;
  bool ChooseFileToSave(const FileChoice& choice, std::string* path) override;
  void WaitWithCountdown(int seconds) override;
  void BeginWait() override;
  void EndWait() override;

 private:
  // Runs `show` on the interface thread and waits until it has returned.
  void Call(const std::function<void()>& show);

  Operator& target_;
  QObject* interface_side_;
  std::shared_ptr<TransferChannel> channel_;
};

}  // namespace vidodez::gui
