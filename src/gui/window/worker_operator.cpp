#include "gui/window/worker_operator.h"

#include <QMetaObject>

namespace vidodez::gui {

namespace {

std::mutex& HandOverMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

void PostToThreadOf(QObject* receiver, std::function<void()> call) {
  std::lock_guard lock(HandOverMutex());
  QMetaObject::invokeMethod(
      receiver,
      [call = std::move(call)] {
        { std::lock_guard hand_over(HandOverMutex()); }
        call();
      },
      Qt::QueuedConnection);
}

void PostUnlessAbandoned(QObject* interface_side, std::shared_ptr<TransferChannel> channel,
                         std::function<void()> update) {
  PostToThreadOf(interface_side, [channel = std::move(channel), update = std::move(update)] {
    {
      std::lock_guard lock(channel->mutex);
      if (channel->abandoned) return;
    }
    update();
  });
}

WorkerOperator::WorkerOperator(Operator& target, QObject* interface_side,
                               std::shared_ptr<TransferChannel> channel)
    : target_(target), interface_side_(interface_side), channel_(std::move(channel)) {}

void WorkerOperator::Call(const std::function<void()>& show) {
  auto done = std::make_shared<bool>(false);
  {
    std::lock_guard lock(channel_->mutex);
    if (channel_->abandoned) return;
  }
  PostToThreadOf(interface_side_, [channel = channel_, done, &show] {
    {
      std::lock_guard lock(channel->mutex);
      // Given up meanwhile: the worker no longer waits, and what
      // `show` refers to may be gone.
      if (channel->abandoned) return;
      channel->showing = true;
    }
    show();
    std::lock_guard lock(channel->mutex);
    channel->showing = false;
    *done = true;
    channel->changed.notify_all();
  });
  std::unique_lock lock(channel_->mutex);
  // A box still open when the job is given up is waited for: it writes
  // into this call's answer when it closes.
  channel_->changed.wait(lock,
                         [&] { return *done || (channel_->abandoned && !channel_->showing); });
}

void WorkerOperator::Tell(const OperatorMessage& message) {
  Call([&] { target_.Tell(message); });
}

bool WorkerOperator::Confirm(const OperatorMessage& question) {
  bool ok = false;
  Call([&] { ok = target_.Confirm(question); });
  return ok;
}

bool WorkerOperator::ChooseFileToOpen(const FileChoice& choice, std::string* path) {
  bool ok = false;
  Call([&] { ok = target_.ChooseFileToOpen(choice, path); });
  return ok;
}

bool WorkerOperator::ChooseFileToSave(const FileChoice& choice, std::string* path) {
  bool ok = false;
  Call([&] { ok = target_.ChooseFileToSave(choice, path); });
  return ok;
}

void WorkerOperator::WaitWithCountdown(int seconds) {
  Call([&] { target_.WaitWithCountdown(seconds); });
}

void WorkerOperator::BeginWait() {
  Call([&] { target_.BeginWait(); });
}

void WorkerOperator::EndWait() {
  Call([&] { target_.EndWait(); });
}

}  // namespace vidodez::gui
