#pragma once
// The firmware list's animated wheel scrolling as arithmetic: a wheel step
// gives the list a speed that dies away over a budget of timer ticks, so a
// turn of the wheel glides instead of jumping, and a turn the other way
// brakes a glide before it reverses it.

namespace vidodez {

class ListWheelScroll {
 public:
  static constexpr int kMaxSpeed = 100;
  // A step in the direction of the glide adds this; a step against it the
  // larger kReverseStep, which first cancels what is left of the glide.
  static constexpr int kStep = 8;
  static constexpr int kReverseStep = 12;

  // One step of the wheel, up (towards the list's top) or down.
  void Wheel(bool up);
  // One tick: how far to move, up for a positive value and down for a
  // negative one; 0 when the glide is over. `at_top` and `at_bottom` say
  // where the list stands; a glide into the end it stands at stops there.
  int Tick(bool at_top, bool at_bottom);
  bool running() const { return remaining_ > 0; }

  // The speed left of the glide: speed × (remaining / total)², truncated.
  int Residual() const;
  int speed() const { return speed_; }
  int total() const { return total_; }
  int remaining() const { return remaining_; }

 private:
  void Stop();

  int speed_ = 0;
  int total_ = 0;
  int remaining_ = 0;
};

}  // namespace vidodez
