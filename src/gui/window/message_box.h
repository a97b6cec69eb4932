#pragma once
// The program's own message box: OK, or OK and Cancel, over the main window.

#include <QString>
#include <string>

#include "gui/window/dialog_service.h"
#include "gui/window/skin_dialog.h"

namespace vidodez::gui {

class CMarliXMsgBox final : public SkinDialog {
  Q_OBJECT
 public:
  static constexpr int kWidth = 436;
  static constexpr int kHeight = 286;

  CMarliXMsgBox(const SkinArchive& skins, QWidget* parent, const QString& text,
                const QString& caption, int type, const std::string& language);

  // kBoxNotAnswered until a button closes the box.
  int box_result() const { return box_result_; }
  // Escape answers as the close button does.
  void reject() override;

 protected:
  void Notify(const Notification& notification) override;

 private:
  int box_result_ = kBoxNotAnswered;
};

// Applies a position attribute such as "pos=\"325,10,0,0\" ": left, top,
// right, bottom in the parent; a right or bottom of 0 keeps the control's
// size. False (nothing moved) for any other text.
bool ApplyPosAttribute(QWidget* control, const QString& attributes);

// Runs the box modally: kBoxOk or kBoxCancel.
int ShowMessageBox(const SkinArchive& skins, QWidget* parent, const QString& text,
                   const QString& caption, int type, const std::string& language);

}  // namespace vidodez::gui
