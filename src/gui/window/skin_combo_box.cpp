#include "gui/window/skin_combo_box.h"

#include <QAbstractItemView>

namespace vidodez::gui {

void SkinComboBox::showPopup() {
  emit droppedDown();
  if (drop_width_ > 0) view()->setMinimumWidth(drop_width_);
  QComboBox::showPopup();
}

}  // namespace vidodez::gui
