// How a field's stamp lands on the label: turned about its box's corner,
// and each way of meeting the dots already there.

#include "sim/label_bitmap.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace vidodez::sim {
namespace {

using Dots = std::set<std::pair<int, int>>;

Dots BlackDots(const LabelBitmap& bitmap) {
  Dots dots;
  for (int y = 0; y < bitmap.height; ++y)
    for (int x = 0; x < bitmap.width; ++x)
      if (bitmap.Black(x, y)) dots.insert({x, y});
  return dots;
}

// A stamp 3 wide and 2 high, black at its top-left corner and beside it:
// clockwise turns carry that corner to the top-right, the bottom-right and
// the bottom-left of the turned box, whose top-left stays at 10,20.
TEST(LabelBitmap, StampsTurnClockwiseWithTheTurnedBoxAtThePosition) {
  LabelBitmap stamp(3, 2);
  stamp.Set(0, 0, true);
  stamp.Set(1, 0, true);
  struct Case {
    int turns;
    Dots dots;
  } cases[] = {
      {0, {{10, 20}, {11, 20}}}, {1, {{11, 20}, {11, 21}}},  {2, {{12, 21}, {11, 21}}},
      {3, {{10, 22}, {10, 21}}}, {-1, {{10, 22}, {10, 21}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.turns);
    LabelBitmap label(40, 40);
    PlaceStamp(stamp, 10, 20, c.turns, StampMode::kBlack, &label);
    EXPECT_EQ(BlackDots(label), c.dots);
  }
}

// On a label black at 5,5 and 6,5: a stamp black at its first two dots
// placed at 4,5 blackens, clears, flips, or prints reversed (its box black,
// its dots white); what falls off the label is lost.
TEST(LabelBitmap, EachModeMeetsTheLabelsDotsItsOwnWay) {
  LabelBitmap stamp(3, 1);
  stamp.Set(0, 0, true);
  stamp.Set(1, 0, true);
  struct Case {
    StampMode mode;
    Dots dots;
  } cases[] = {
      {StampMode::kBlack, {{4, 5}, {5, 5}, {6, 5}}},
      {StampMode::kWhite, {{6, 5}}},
      {StampMode::kFlip, {{4, 5}, {6, 5}}},
      {StampMode::kReverse, {{6, 5}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    LabelBitmap label(7, 7);
    label.Set(5, 5, true);
    label.Set(6, 5, true);
    PlaceStamp(stamp, 4, 5, 0, c.mode, &label);
    EXPECT_EQ(BlackDots(label), c.dots);
  }
  LabelBitmap label(7, 7);
  PlaceStamp(stamp, -1, 6, 0, StampMode::kBlack, &label);
  PlaceStamp(stamp, 6, -1, 1, StampMode::kBlack, &label);
  EXPECT_EQ(BlackDots(label), (Dots{{0, 6}, {6, 0}}));
}

}  // namespace
}  // namespace vidodez::sim
