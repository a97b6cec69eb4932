#pragma once
// What a window test does to the event loop and the keyboard, with Qt's
// public event API alone, so that the window tests build wherever Qt
// Widgets does (the Windows Qt has no test library).

#include <QObject>
#include <QString>
#include <QWidget>
#include <Qt>
#include <functional>

namespace vidodez::test {

// Runs the event loop for `ms` milliseconds: timers fire, posted and
// deferred-delete events are delivered, windows paint.
void RunEventsFor(int ms);

// Runs the event loop until `done` holds or `ms` milliseconds pass; returns
// whether `done` holds.
bool RunEventsUntil(const std::function<bool()>& done, int ms);

// Shows nothing itself: waits until `widget`'s window can be seen (exposed)
// or, for the second, is also the active window taking the keyboard.
bool WaitForWindowExposed(QWidget* widget, int ms = 5000);
bool WaitForWindowActive(QWidget* widget, int ms = 5000);

// Presses and releases `key` in `widget` (the control the operator types
// into), as the keyboard does; for the keys that type no character
// (Backspace, the arrows), which the control acts on by key.
void TypeKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types `text` into `widget` one character at a time.
void TypeText(QWidget* widget, const QString& text);

// Counts how often a signal fired, and waits for its next one.
class SignalCounter : public QObject {
 public:
  template <typename Sender, typename Signal>
  SignalCounter(const Sender* sender, Signal signal) {
    QObject::connect(sender, signal, this, [this] { ++count_; });
  }
  int count() const { return count_; }
  // Runs the event loop until the signal fires once more or `ms` pass.
  bool Wait(int ms);

 private:
  int count_ = 0;
};

}  // namespace vidodez::test
