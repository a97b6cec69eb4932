#include "gui/window/caption_dragger.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

#include "gui/window/hit_test.h"

namespace vidodez::gui {

CaptionDragger::CaptionDragger(QWidget* window, int caption_height, int border)
    : QObject(window), window_(window), caption_height_(caption_height), border_(border) {
  window_->installEventFilter(this);
  window_->setMouseTracking(true);
}

bool CaptionDragger::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      const QPoint at = mouse->position().toPoint();
      QWidget* under = window_->childAt(at);
      const bool over_control = qobject_cast<QAbstractButton*>(under) != nullptr ||
                                qobject_cast<QLabel*>(under) != nullptr;
      const HitResult hit = HitTest(window_->size(), at, border_, caption_height_, over_control,
                                    window_->isMaximized());
      QWindow* handle = window_->windowHandle();
      if (hit.edges) {
        if (handle != nullptr) handle->startSystemResize(hit.edges);
        return true;
      }
      if (!hit.caption) return false;
      if (handle == nullptr || !handle->startSystemMove()) {
        // No system move on this platform: follow the pointer ourselves.
        dragging_ = true;
        grab_offset_ = mouse->globalPosition().toPoint() - window_->frameGeometry().topLeft();
      }
      return true;
    }
    case QEvent::MouseMove:
      if (dragging_) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        window_->move(mouse->globalPosition().toPoint() - grab_offset_);
        return true;
      }
      return false;
    case QEvent::MouseButtonRelease:
      dragging_ = false;
      return false;
    default:
      return false;
  }
}

}  // namespace vidodez::gui
