#pragma once
// Ends the program as soon as any of its widgets has been painted once: the
// moment the operator first sees the window. The start-up benchmark and smoke
// runs use it (VIDODEZ_QUIT_WHEN_SHOWN=1); header-only so that the bare Qt
// program the benchmark compares against measures the same moment.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace vidodez::gui {

class QuitWhenPainted final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !quitting_) {
      quitting_ = true;
      // After the paint has reached the screen, not in the middle of it.
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool quitting_ = false;
};

}  // namespace vidodez::gui
