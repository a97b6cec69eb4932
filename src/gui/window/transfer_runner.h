#pragma once
// Long printer operations (a file send, a font download, a firmware upload,
// a ping) run on a worker thread while the window goes on painting and
// shows their progress. The work talks to the operator only through the
// task's Operator: every message and question is shown on the interface
// thread by the page's own operator, in the order the work asks, and the
// work waits for each answer, so a page's rules read as they do without a
// worker. One job at a time per window.

#include <QObject>
#include <QStringList>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "core/link/printer_comm.h"
#include "core/link/transfer_progress.h"
#include "core/shell/operator.h"

namespace vidodez::gui {

struct TransferChannel;

// What the work sees, on the worker.
class TransferTask {
 public:
  TransferTask(Operator& op, QObject* interface_side, std::shared_ptr<TransferChannel> channel,
               bool stoppable);

  // Shows through the page's operator on the interface thread and waits.
  Operator& op() { return op_; }
  // For the core's sends: keeps the numbers for the window; false once the
  // window asked a stoppable job to stop.
  SendProgress progress();
  // Runs `update` on the interface thread after everything the task showed
  // before it, without waiting: a ping's replies as they come.
  void Post(std::function<void()> update);

  uint64_t sent() const { return sent_.load(std::memory_order_relaxed); }
  uint64_t total() const { return total_.load(std::memory_order_relaxed); }
  void RequestStop();
  bool stop_requested() const { return stop_.load(std::memory_order_relaxed); }
  // Nothing more is shown: a call waiting for the interface thread, and
  // every later one, returns at once with the answer Cancel.
  void Abandon();

 private:
  Operator& op_;
  QObject* interface_side_;
  std::shared_ptr<TransferChannel> channel_;
  const bool stoppable_;
  std::atomic<uint64_t> sent_{0};
  std::atomic<uint64_t> total_{0};
  std::atomic<bool> stop_{false};
};

struct TransferJob {
  // The operation; it runs on the worker.
  std::function<void(TransferTask& task)> work;
  // Where the progress shows: the page's "<prefix>TransferBar", a
  // QProgressBar, shown while bytes go out. No prefix: nothing shown (a
  // ping posts its own lines).
  QWidget* page = nullptr;
  QString prefix;
  // Controls of the page that would start another operation or change what
  // this one reads; disabled while it runs, as they were afterwards.
  QStringList held;
  // False for what must never stop half-way (a firmware upload): closing
  // the window then waits for its end.
  bool stoppable = true;
  // The link the work holds, whose refresh leaves the port alone
  // meanwhile; none for work without the port.
  CPrinterComm* comm = nullptr;
};

class TransferRunner final : public QObject {
  Q_OBJECT
 public:
  static constexpr int kProgressMs = 100;

  // `language` gives the program's language for the progress text.
  explicit TransferRunner(std::function<std::string()> language, QObject* parent = nullptr);

  // Runs the job and returns when it has ended; the window goes on
  // processing events meanwhile. `op` is the page's operator, used on the
  // interface thread only. False, with nothing run, while another job runs
  // (or when the system has no thread to give).
  bool Run(TransferJob job, Operator& op);
  bool busy() const { return task_ != nullptr; }
  // The window is closing: a stoppable job stops after its next chunk, an
  // unstoppable one runs to its end, and neither shows anything more.
  void RequestStop();

 signals:
  // A job ended and its controls are back.
  void finished();

 private:
  void ShowProgress(const TransferJob& job) const;

  std::function<std::string()> language_;
  TransferTask* task_ = nullptr;
};

}  // namespace vidodez::gui
