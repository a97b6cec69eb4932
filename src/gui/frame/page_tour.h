#pragma once
// Opens every page of the main frame in turn, as the operator would with the
// option buttons, saves a picture of the window on each (N-PAGE.png) and the
// texts its labels show (N-PAGE.txt), then asks the frame to close: what
// scripts/demo shows when it runs without a display.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace vidodez::gui {

class CDialogFrameWnd;

class PageTour final : public QObject {
 public:
  // Each page stays shown for `dwell_ms`, so that the refresh timer has
  // shown the printer's status on it before the picture is taken.
  PageTour(CDialogFrameWnd& frame, QString folder, int dwell_ms = 800);

  // Begins once the frame has finished its start. `done` gets the saved
  // files (an empty list when the folder cannot be written).
  void Start(std::function<void(const QStringList& saved)> done);

 private:
  void Next();

  CDialogFrameWnd& frame_;
  QString folder_;
  int dwell_ms_;
  int index_ = 0;
  QStringList saved_;
  std::function<void(const QStringList&)> done_;
};

}  // namespace vidodez::gui
