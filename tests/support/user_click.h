#pragma once
// A click as the operator makes it: at a point of a control's visible area,
// given to the window at that point, so Qt picks the widget that gets it.
// A control that is covered, hidden or disabled therefore misses the click
// the way it would for a person, and the test sees that.

#include <QLabel>
#include <QPoint>
#include <QWidget>
#include <Qt>

namespace vidodez::test {

// Clicks `control` at `at` (its own coordinates; by default the middle of the
// part of it that shows, and for a check box or option button the middle of
// its indicator's height near its left edge, where a person aims). Shows the
// control's window first if it is not shown, as a person only clicks what is
// on the screen. Returns the widget Qt found at that point: `control`, one of
// its children, or whatever covers it; the test fails when nothing of the
// control shows.
QWidget* UserClick(QWidget* control, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton);

// Clicks the first link of `label`, found as a person finds it: where the
// pointer moved over the label turns into a hand. False when no point of the
// label does.
bool UserClickLink(QLabel* label);

}  // namespace vidodez::test
