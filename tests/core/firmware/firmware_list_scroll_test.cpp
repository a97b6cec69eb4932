#include "core/firmware/firmware_list_scroll.h"

#include <gtest/gtest.h>

#include <vector>

namespace vidodez {
namespace {

// The moves of a whole glide, tick by tick, with the list far from its ends.
std::vector<int> Glide(ListWheelScroll& scroll) {
  std::vector<int> moves;
  while (scroll.running()) moves.push_back(scroll.Tick(false, false));
  return moves;
}

TEST(ListWheelScroll, AStepGlidesAndDiesAway) {
  ListWheelScroll scroll;
  scroll.Wheel(true);
  EXPECT_EQ(scroll.speed(), 8);
  EXPECT_EQ(scroll.total(), 10);  // 5 × ⌊√8⌋
  EXPECT_EQ(Glide(scroll), (std::vector<int>{8, 6, 5, 3, 2, 2, 1, 0, 0, 0}));
  EXPECT_EQ(scroll.speed(), 0);
  EXPECT_EQ(scroll.Tick(false, false), 0);

  scroll.Wheel(false);
  EXPECT_EQ(Glide(scroll), (std::vector<int>{-8, -6, -5, -3, -2, -2, -1, 0, 0, 0}));
}

TEST(ListWheelScroll, StepsAddToWhatIsLeftAndAReverseStepBrakesHarder) {
  struct Case {
    const char* what;
    std::vector<bool> steps;  // wheel steps up (true) or down
    int ticks_between;
    int speed;
    int total;
  } cases[] = {
      // Two ticks leave 8 × (8/10)² = 5 of the first step.
      {"up, up", {true, true}, 2, 5 + 8, 15},
      {"up, down", {true, false}, 2, 5 - 12, 10},
      {"down, up", {false, true}, 2, -5 + 12, 10},
      {"down, down", {false, false}, 2, -5 - 8, 15},
      // Steady steps settle where a step makes up for two ticks' loss.
      {"steady up", std::vector<bool>(40, true), 2, 72, 40},
      {"quick up", std::vector<bool>(20, true), 0, 100, 50},
      {"quick down", std::vector<bool>(20, false), 0, -100, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListWheelScroll scroll;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      for (int t = 0; i > 0 && t < c.ticks_between; ++t) (void)scroll.Tick(false, false);
      scroll.Wheel(c.steps[i]);
    }
    EXPECT_EQ(scroll.speed(), c.speed);
    EXPECT_EQ(scroll.total(), c.total);
    EXPECT_EQ(scroll.remaining(), c.total);
  }
}

TEST(ListWheelScroll, AGlideStopsAtTheEndItRunsInto) {
  ListWheelScroll scroll;
  scroll.Wheel(true);
  EXPECT_EQ(scroll.Tick(false, true), 8);  // the other end does not stop it
  EXPECT_EQ(scroll.Tick(true, false), 0);
  EXPECT_FALSE(scroll.running());
  EXPECT_EQ(scroll.speed(), 0);
  scroll.Wheel(false);
  EXPECT_EQ(scroll.Tick(false, true), 0);
  EXPECT_FALSE(scroll.running());
}

}  // namespace
}  // namespace vidodez
