#include "core/firmware/firmware_list_scroll.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vidodez {

void ListWheelScroll::Wheel(bool up) {
  const int residual = Residual();
  int speed = 0;
  if (up) {
    speed = residual + (residual < 0 ? kReverseStep : kStep);
  } else {
    speed = residual - (residual < 1 ? kStep : kReverseStep);
  }
  speed_ = std::clamp(speed, -kMaxSpeed, kMaxSpeed);
  // The budget grows with the root of the speed: a fast glide lasts longer,
  // but not in proportion.
  total_ = 5 * static_cast<int>(std::sqrt(static_cast<double>(std::abs(speed_))));
  remaining_ = total_;
  if (total_ == 0) Stop();
}

int ListWheelScroll::Residual() const {
  if (total_ <= 0) return 0;
  const double share = static_cast<double>(remaining_) / total_;
  return static_cast<int>(speed_ * share * share);
}

int ListWheelScroll::Tick(bool at_top, bool at_bottom) {
  if (remaining_ <= 0) {
    Stop();
    return 0;
  }
  const int move = Residual();
  if ((move > 0 && at_top) || (move < 0 && at_bottom)) {
    Stop();
    return 0;
  }
  if (--remaining_ == 0) Stop();
  return move;
}

void ListWheelScroll::Stop() {
  speed_ = 0;
  total_ = 0;
  remaining_ = 0;
}

}  // namespace vidodez
