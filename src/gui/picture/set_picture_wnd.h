#pragma once
// The picture conversion dialog: the operator picks a picture, sets the
// printed size, resolution and rotation, and saves it as a black-and-white
// file (PCX unless another extension is typed) that the storage page can
// send to the printer. Its rules are the PicturePage model's; the dialog
// moves its controls to and from the model and draws the preview.

#include <QString>
#include <string>

#include "core/graphic/picture_page.h"
#include "gui/pages/page_ui.h"
#include "gui/window/dialog_service.h"
#include "gui/window/skin_dialog.h"
#include "gui/window/window_operator.h"

namespace vidodez::gui {

class CSetPictureWnd final : public SkinDialog {
  Q_OBJECT
 public:
  static constexpr int kWidth = 590;
  static constexpr int kHeight = 580;

  // `receiver` gets the result path once, whichever way the dialog closes.
  CSetPictureWnd(const SkinArchive& skins, DialogService& dialogs, const std::string& language,
                 PictureReceiver& receiver, QWidget* owner);

  // The path the dialog hands over when it closes: the file it saved, else
  // the picture chosen, else "".
  QString result_path() const { return QString::fromStdString(model_.result_path); }
  const PictureSize& picture_size() const { return model_.size; }
  bool has_picture() const { return model_.has_picture(); }

  void done(int code) override;

 protected:
  void Notify(const Notification& notification) override;

 private:
  void SetTexts();
  // The model's sizes, source and choices to the controls.
  void ShowSizes();
  void ShowSource();
  void ShowUnitChoice();
  void ShowScaleChoice();
  void EditSize(const QString& box_name);
  void ShowPreview();

  PicturePage model_;
  WindowOperator operator_;
  PictureReceiver& receiver_;
  bool handed_over_ = false;
};

// Runs the picture conversion dialog modally over `parent`; when it closes
// (saved, cancelled, or nothing chosen) it hands result_path() to
// context.pictures.HandChosenPicture.
void RunSetPictureDialog(PageContext& context, QWidget* parent);

}  // namespace vidodez::gui
