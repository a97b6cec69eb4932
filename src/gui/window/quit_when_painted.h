#pragma once
// Ends the program as soon as the operator first sees the window, for the
// start-up benchmark; header-only so that the bare Qt program the benchmark
// compares against measures the same moments.
//
// VIDODEZ_QUIT_WHEN_SHOWN=1 ends at the first paint of any widget;
// VIDODEZ_QUIT_WHEN_SHOWN=<name> at the first paint of the widget of that
// name or of one inside it (a page's own controls, say). With
// VIDODEZ_PAINT_STAMPS=<file>, the moment of each is appended to the file as
// "first <ns>" and "<name> <ns>" on CLOCK_MONOTONIC, which every process
// shares, so that the start can be timed without the exit.

#include <chrono>

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>

namespace vidodez::gui {

class QuitWhenPainted final : public QObject {
 public:
  QuitWhenPainted()
      : target_(qgetenv("VIDODEZ_QUIT_WHEN_SHOWN")), stamps_(qgetenv("VIDODEZ_PAINT_STAMPS")) {
    enabled_ = !target_.isEmpty() && target_ != "0";
    if (target_ == "1") target_.clear();
  }

  // Watches every widget of the program when the environment asks for it.
  void InstallIfAsked(QCoreApplication& app) {
    if (enabled_) app.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || quitting_) return false;
    if (!first_seen_) {
      first_seen_ = true;
      Stamp("first");
    }
    if (!target_.isEmpty() && !Inside(watched)) return false;
    if (!target_.isEmpty()) Stamp(target_);
    quitting_ = true;
    // After the paint has reached the screen, not in the middle of it.
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    return false;
  }

 private:
  bool Inside(const QObject* watched) const {
    for (const QObject* o = watched; o != nullptr; o = o->parent()) {
      if (o->objectName().toUtf8() == target_) return true;
    }
    return false;
  }

  void Stamp(const QByteArray& moment) const {
    if (stamps_.isEmpty()) return;
    // The monotonic clock (CLOCK_MONOTONIC on Linux), which the benchmark
    // reads too.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    QFile file(QString::fromLocal8Bit(stamps_));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    const qint64 ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    file.write(moment + ' ' + QByteArray::number(ns) + '\n');
  }

  QByteArray target_;
  QByteArray stamps_;
  bool enabled_ = false;
  bool first_seen_ = false;
  bool quitting_ = false;
};

}  // namespace vidodez::gui
