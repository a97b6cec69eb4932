#pragma once
// The picture conversion dialog: the operator picks a picture, sets the
// printed size, resolution and rotation, and saves it as a black-and-white
// file (PCX unless another extension is typed) that the storage page can
// send to the printer.

#include <QString>
#include <optional>
#include <string>

#include "core/graphic/picture_size.h"
#include "gui/pages/page_ui.h"
#include "gui/window/dialog_service.h"
#include "gui/window/skin_dialog.h"
#include "imaging/picture_loader.h"

class QLabel;

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
  const QString& result_path() const { return result_path_; }
  const PictureSize& picture_size() const { return size_; }
  bool has_picture() const { return picture_.has_value(); }

  void done(int code) override;

 protected:
  void Notify(const Notification& notification) override;

 private:
  void SetTexts();
  void ShowSizes();
  void ApplyUnitChoice();
  void ApplyScaleChoice();
  void Browse();
  // False keeps the dialog open.
  bool Save();
  void EditSize(const QString& box_name);
  void ShowPreview();
  int Tell(const char* text, int type);
  // The path to write; "" when the operator cancels the file dialog, nullopt
  // when they would rather not replace a file.
  std::optional<QString> SaveTarget();

  DialogService& dialogs_;
  std::string language_;
  PictureReceiver& receiver_;
  PictureSize size_;
  std::string source_path_;
  std::optional<imaging::LoadedPicture> picture_;
  QString result_path_;
  bool handed_over_ = false;
};

// Runs the picture conversion dialog modally over `parent`; when it closes
// (saved, cancelled, or nothing chosen) it hands result_path() to
// context.pictures.HandChosenPicture.
void RunSetPictureDialog(PageContext& context, QWidget* parent);

}  // namespace vidodez::gui
