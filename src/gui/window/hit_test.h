#pragma once
// Where a point of a frameless window lands: a sizing border, the caption
// (drags the window) or the client area. Controls in the caption (buttons,
// options, texts) stay clickable.

#include <QPoint>
#include <QSize>
#include <Qt>

namespace vidodez::gui {

struct HitResult {
  Qt::Edges edges;  // non-empty: a sizing border
  bool caption = false;
};

HitResult HitTest(QSize window, QPoint point, int border, int caption_height, bool over_control,
                  bool maximised);

}  // namespace vidodez::gui
