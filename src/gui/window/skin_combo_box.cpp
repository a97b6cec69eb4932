#include "gui/window/skin_combo_box.h"

#include <QAbstractItemView>

namespace vidodez::gui {

void SkinComboBox::showPopup() {
  dropped_ = true;
  emit droppedDown();
  if (drop_width_ > 0) view()->setMinimumWidth(drop_width_);
  QComboBox::showPopup();
}

void SkinComboBox::hidePopup() {
  QComboBox::hidePopup();
  // Qt also hides a list that never dropped (on clearing, on hiding).
  if (!dropped_) return;
  dropped_ = false;
  emit closedUp();
}

}  // namespace vidodez::gui
