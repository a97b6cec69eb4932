#include "gui/window/hit_test.h"

namespace vidodez::gui {

HitResult HitTest(QSize window, QPoint point, int border, int caption_height, bool over_control,
                  bool maximised) {
  HitResult hit;
  if (!maximised && border > 0) {
    if (point.x() < border) hit.edges |= Qt::LeftEdge;
    if (point.x() >= window.width() - border) hit.edges |= Qt::RightEdge;
    if (point.y() < border) hit.edges |= Qt::TopEdge;
    if (point.y() >= window.height() - border) hit.edges |= Qt::BottomEdge;
    if (hit.edges) return hit;
  }
  hit.caption = point.y() < caption_height && !over_control;
  return hit;
}

}  // namespace vidodez::gui
