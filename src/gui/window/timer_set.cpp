#include "gui/window/timer_set.h"

namespace vidodez::gui {

void TimerSet::SetTimer(int id, int interval_ms) {
  auto& timer = timers_[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [this, id] { on_tick_(id); });
  }
  timer->start(interval_ms);
}

void TimerSet::KillTimer(int id) {
  auto it = timers_.find(id);
  if (it != timers_.end()) it->second->stop();
}

bool TimerSet::IsRunning(int id) const {
  auto it = timers_.find(id);
  return it != timers_.end() && it->second->isActive();
}

}  // namespace vidodez::gui
