#pragma once
// Timers by number, as the windows here use them: starting a running timer
// again restarts it with the new interval; each tick calls the owner with
// the timer's number.

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

namespace vidodez::gui {

class TimerSet final {
 public:
  explicit TimerSet(std::function<void(int id)> on_tick) : on_tick_(std::move(on_tick)) {}

  void SetTimer(int id, int interval_ms);
  void KillTimer(int id);
  bool IsRunning(int id) const;

 private:
  std::function<void(int)> on_tick_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace vidodez::gui
