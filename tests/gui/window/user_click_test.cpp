// The click of the window tests is the operator's: a control that no person
// could click (covered, disabled) misses it, and one that shows takes it once.

#include "support/user_click.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QWidget>

#include "support/gui_events.h"

namespace vidodez::test {
namespace {

TEST(UserClick, ReachesOnlyAControlAPersonCouldClick) {
  enum class Hindrance { kNone, kCovered, kDisabled };
  for (const Hindrance hindrance : {Hindrance::kNone, Hindrance::kCovered, Hindrance::kDisabled}) {
    SCOPED_TRACE(static_cast<int>(hindrance));
    QWidget window;
    window.resize(200, 100);
    auto* button = new QPushButton("OK", &window);
    button->setGeometry(10, 10, 80, 30);
    auto* cover = new QWidget(&window);
    cover->setGeometry(0, 0, 100, 50);
    cover->setVisible(hindrance == Hindrance::kCovered);
    button->setEnabled(hindrance != Hindrance::kDisabled);
    SignalCounter clicked(button, &QPushButton::clicked);
    window.show();
    ASSERT_TRUE(WaitForWindowExposed(&window));
    QWidget* hit = UserClick(button);
    EXPECT_EQ(clicked.count(), hindrance == Hindrance::kNone ? 1 : 0);
    EXPECT_EQ(hit, hindrance == Hindrance::kCovered ? cover : button);
  }
}

}  // namespace
}  // namespace vidodez::test
