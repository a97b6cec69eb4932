#include "gui/window/transfer_runner.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "core/shell/log.h"
#include "gui/window/controls.h"
#include "gui/window/worker_operator.h"

namespace vidodez::gui {
namespace {

// The held controls, disabled for the run and put back as they were.
class HeldControls {
 public:
  HeldControls(QWidget* page, const QStringList& names) {
    if (page == nullptr) return;
    for (const QString& name : names) {
      if (auto* control = FindControl<QWidget>(page, name)) {
        held_.emplace_back(control, control->isEnabled());
        control->setEnabled(false);
      }
    }
  }
  ~HeldControls() {
    for (auto& [control, enabled] : held_)
      if (control) control->setEnabled(enabled);
  }
  HeldControls(const HeldControls&) = delete;
  HeldControls& operator=(const HeldControls&) = delete;

 private:
  std::vector<std::pair<QPointer<QWidget>, bool>> held_;
};

QProgressBar* ProgressBar(const TransferJob& job) {
  if (job.page == nullptr || job.prefix.isEmpty()) return nullptr;
  return FindControl<QProgressBar>(job.page, job.prefix + "TransferBar");
}

}  // namespace

TransferTask::TransferTask(Operator& op, QObject* interface_side,
                           std::shared_ptr<TransferChannel> channel, bool stoppable)
    : op_(op),
      interface_side_(interface_side),
      channel_(std::move(channel)),
      stoppable_(stoppable) {}

SendProgress TransferTask::progress() {
  return [this](uint64_t sent, uint64_t total) {
    sent_.store(sent, std::memory_order_relaxed);
    total_.store(total, std::memory_order_relaxed);
    return !stop_.load(std::memory_order_relaxed);
  };
}

void TransferTask::Post(std::function<void()> update) {
  PostUnlessAbandoned(interface_side_, channel_, std::move(update));
}

void TransferTask::RequestStop() {
  if (stoppable_) stop_.store(true, std::memory_order_relaxed);
}

void TransferTask::Abandon() {
  std::lock_guard lock(channel_->mutex);
  channel_->abandoned = true;
  channel_->changed.notify_all();
}

TransferRunner::TransferRunner(std::function<std::string()> language, QObject* parent)
    : QObject(parent), language_(std::move(language)) {}

bool TransferRunner::Run(TransferJob job, Operator& op) {
  if (busy()) return false;
  auto channel = std::make_shared<TransferChannel>();
  WorkerOperator worker_op(op, this, channel);
  TransferTask task(worker_op, this, channel, job.stoppable);
  task_ = &task;
  {
    HeldControls held(job.page, job.held);
    if (job.comm != nullptr) job.comm->set_transfer_running(true);
    QEventLoop loop;
    // The worker's word that it is done may arrive after the program left
    // this loop and it is gone: the guarded pointer is null then.
    QPointer<QEventLoop> done_loop(&loop);
    QTimer progress;
    connect(&progress, &QTimer::timeout, this, [this, &job] { ShowProgress(job); });
    progress.start(kProgressMs);
    bool work_done = false;
    std::thread worker;
    try {
      worker = std::thread([&] {
        try {
          job.work(task);
        } catch (const std::exception& e) {
          Log(LogLevel::kError, std::string("transfer: ") + e.what());
        } catch (...) {
          Log(LogLevel::kError, "transfer: unknown failure");
        }
        {
          std::lock_guard lock(channel->mutex);
          work_done = true;
        }
        PostToThreadOf(this, [done_loop] {
          if (done_loop) done_loop->quit();
        });
      });
    } catch (const std::system_error& e) {
      // No thread to be had: the job cannot run, and the window must not
      // wait for it.
      Log(LogLevel::kError, std::string("transfer: no worker: ") + e.what());
      if (job.comm != nullptr) job.comm->set_transfer_running(false);
      task_ = nullptr;
      return false;
    }
    loop.exec();
    {
      std::lock_guard lock(channel->mutex);
      // The program is ending and left every event loop before the job
      // did: nothing more is shown, and a stoppable job stops at its next
      // chunk.
      if (!work_done) task.RequestStop();
    }
    task.Abandon();
    worker.join();
    progress.stop();
    if (QProgressBar* bar = ProgressBar(job)) bar->hide();
    if (job.comm != nullptr) job.comm->set_transfer_running(false);
    task_ = nullptr;
  }
  emit finished();
  return true;
}

void TransferRunner::RequestStop() {
  if (task_ == nullptr) return;
  task_->RequestStop();
  task_->Abandon();
}

void TransferRunner::ShowProgress(const TransferJob& job) const {
  QProgressBar* bar = ProgressBar(job);
  if (bar == nullptr || task_ == nullptr) return;
  const uint64_t sent = task_->sent();
  const uint64_t total = task_->total();
  // Nothing goes out yet (checks, a question): nothing to show.
  if (sent == 0 && total == 0) return;
  bar->setRange(0, 1000);
  bar->setValue(TransferPerMille(sent, total));
  bar->setFormat(QString::fromStdString(TransferProgressText(sent, total, language_())));
  bar->show();
}

}  // namespace vidodez::gui
