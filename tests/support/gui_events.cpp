#include "support/gui_events.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

namespace vidodez::test {

namespace {

// How often a wait looks at its condition while the loop runs.
constexpr int kLookEveryMs = 5;

void SendKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(widget, &release);
}

}  // namespace

bool RunEventsUntil(const std::function<bool()>& done, int ms) {
  const QDeadlineTimer deadline(ms);
  if (!done()) {
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
      if (done() || deadline.hasExpired()) loop.quit();
    });
    look.start(kLookEveryMs);
    loop.exec();
  }
  // An object the test itself let go of (deleteLater outside any loop) goes
  // now, as it would when a running program's loop came round again.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return done();
}

void RunEventsFor(int ms) {
  RunEventsUntil([] { return false; }, ms);
}

bool WaitForWindowExposed(QWidget* widget, int ms) {
  return RunEventsUntil(
      [widget] {
        const QWindow* window = widget->window()->windowHandle();
        return window != nullptr && window->isExposed();
      },
      ms);
}

bool WaitForWindowActive(QWidget* widget, int ms) {
  return WaitForWindowExposed(widget, ms) &&
         RunEventsUntil([widget] { return widget->window()->isActiveWindow(); }, ms);
}

void TypeKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  SendKey(widget, key, modifiers, {});
}

void TypeText(QWidget* widget, const QString& text) {
  for (const QChar typed : text) {
    // Latin-1 letters carry their capital's key code; other characters (as
    // from an input method) have no key of their own.
    const QChar upper = typed.toUpper();
    const auto key =
        upper.unicode() <= 0xff ? static_cast<Qt::Key>(upper.unicode()) : Qt::Key_unknown;
    SendKey(widget, key, Qt::NoModifier, QString(typed));
  }
}

bool SignalCounter::Wait(int ms) {
  const int before = count_;
  return RunEventsUntil([this, before] { return count_ > before; }, ms);
}

}  // namespace vidodez::test
