#pragma once
// A combo box that tells when its list drops down and when it closes again,
// chosen from or not, so a page can stop the refresh that would rebuild the
// list under the operator's pointer, and start it again.

#include <QComboBox>

namespace vidodez::gui {

class SkinComboBox final : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;
  void showPopup() override;
  void hidePopup() override;

  // Width of the dropped list; 0 follows the combo's own width.
  void SetDropWidth(int width) { drop_width_ = width; }
  int drop_width() const { return drop_width_; }

 signals:
  void droppedDown();
  void closedUp();

 private:
  int drop_width_ = 0;
  bool dropped_ = false;
};

}  // namespace vidodez::gui
