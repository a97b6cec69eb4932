#pragma once
// Gives a frameless window its caption and borders back: a press in the
// caption band moves the window, a press on a border resizes it.

#include <QObject>
#include <QPoint>
#include <QWidget>

namespace vidodez::gui {

class CaptionDragger final : public QObject {
 public:
  CaptionDragger(QWidget* window, int caption_height, int border);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  int caption_height_;
  int border_;
  bool dragging_ = false;
  QPoint grab_offset_;
};

}  // namespace vidodez::gui
