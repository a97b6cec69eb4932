#include "gui/picture/set_picture_wnd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <array>
#include <optional>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_save.h"
#include "core/shell/units.h"
#include "gui/window/controls.h"
#include "imaging/magick_codec.h"
#include "imaging/picture_loader.h"
#include "imaging/picture_preview.h"

namespace vidodez::gui {
namespace {

constexpr ControlText kControlTexts[] = {
    {"Label", "PicDialogTitleLabel", {"Graphic Settings", "设置图片"}},
    {"Label", "PicSizeHintLabel", {"Size", "图片尺寸"}},
    {"Label", "PicUnitLabel", {"Units:", "图片尺寸单位："}},
    {"Label", "PResolutionLabel", {"Resolution:", "分辨率："}},
    {"Label", "RotateLabelUI", {"Rotation", "旋转："}},
    {"Label", "PICZoomModeLabel", {"Scale Mode", "缩放方式："}},
    {"Option", "PZoomOp", {"Keep Scale", "按比例缩放"}},
    {"Label", "PicWidthHintLabel", {"Width: ", "图片宽度："}},
    {"Label", "PicHeightHintLabel", {"Height: ", "图片高度："}},
    {"Label", "PFilePathHintLabel", {"Source ", "图片来源"}},
    {"Label", "PPathHintLabel", {"Path:", "图片路径："}},
    {"Label", "PBrowseHintLabel", {"Preview", "预览图片"}},
    {"Label", "GraphicSouSizeLabel", {"Original size", "原始尺寸"}},
    {"Label", "PWidthPixelsHintLabel", {"Width: ", "宽度："}},
    {"Label", "PHeightPixelsHintLabel", {"Height: ", "高度："}},
    {"Label", "OPWidthUnitLabel", {"pixels", "像素"}},
    {"Label", "OPHeightUnitLabel", {"pixels", "像素"}},
    {"Label", "PBppHintLabel", {"Bit depth: ", "位深度："}},
    {"Button", "PBrowseBtn", {"View Graphics", "浏览图片"}},
    {"Button", "PSavebtn", {"Save as", "保存图片"}},
    {"Button", "PCancelbtn", {"Close", "关闭"}},
    {"Option",
     "PPreviewBWOp",
     {"Black and white", "黑白效果"},
     {"Shows the picture as it will be saved", "预览保存后的黑白图片"}},
};

constexpr Text kResolutions[] = {{"203", "203"}, {"300", "300"}, {"600", "600"}};
constexpr Text kRotations[] = {
    {"0", "0"}, {"90", "右转90"}, {"180", "右转180"}, {"270", "右转270"}};
constexpr Text kScaleModes[] = {
    {"Origin", "原始大小"}, {"Scaling", "按比例缩放"}, {"Manual", "手动修改大小"}};

constexpr char kResolutionTextDisabled[] = "QComboBox { color: rgb(167, 166, 170); }";
constexpr char kResolutionTextEnabled[] = "QComboBox { color: rgb(102, 102, 102); }";

struct SizeBoxName {
  const char* name;
  SizeBox box;
};
constexpr std::array<SizeBoxName, 4> kSizeBoxes{{{"PWidthEdit", SizeBox::kWidth},
                                                 {"PHeightEdit", SizeBox::kHeight},
                                                 {"PWidthScaleEdit", SizeBox::kWidthPercent},
                                                 {"PHeightScaleEdit", SizeBox::kHeightPercent}}};

void SetEnabled(QWidget* root, const char* name, bool enabled) {
  if (auto* control = FindControl<QWidget>(root, name)) control->setEnabled(enabled);
}

}  // namespace

CSetPictureWnd::CSetPictureWnd(const SkinArchive& skins, DialogService& dialogs,
                               const std::string& language, PictureReceiver& receiver,
                               QWidget* owner)
    : SkinDialog(skins, "SetPictureWnd.ui", owner, 36),
      operator_(dialogs, skins, this, [this] { return model_.language; }),
      receiver_(receiver) {
  model_.language = language;
  setObjectName("SetPictureWnd");
  setWindowTitle("Graphic Settings");
  setFixedSize(kWidth, kHeight);
  const QRect area = owner != nullptr      ? owner->frameGeometry()
                     : screen() != nullptr ? screen()->availableGeometry()
                                           : QRect();
  if (area.isValid()) move(area.center() - QPoint(kWidth / 2, kHeight / 2));

  if (auto* keep = FindControl<QAbstractButton>(this, "PZoomOp")) {
    const QSignalBlocker quiet(keep);
    keep->setChecked(true);
  }
  SetEnabled(this, "PFilePathEdit", false);
  ShowSizes();
  for (const char* name : {"PWidthPixelsValueEdit", "PHeightPixelsValueEdit", "PBppValueEdit"}) {
    SetControlTexts(this, "Edit", name, "0");
    SetEnabled(this, name, false);
  }
  SetTexts();
  ShowUnitChoice();
  ShowScaleChoice();
  ShowPreview();
}

void CSetPictureWnd::SetTexts() {
  const std::string& language = model_.language;
  SetControlTexts(this, kControlTexts, language);
  QStringList units;
  for (int unit : kPictureUnits)
    units << QString::fromUtf8(Pick(UnitOf(unit).picture_name, language));
  SetComboItems(this, "PUnitCombo", units, model_.UnitPosition());
  SetComboItems(this, "PResolutionCombo", TextItems(kResolutions, language),
                model_.size.resolution);
  SetComboItems(this, "PRotateCombo", TextItems(kRotations, language), model_.size.rotation);
  SetComboItems(this, "PZoomModeCombo", TextItems(kScaleModes, language), model_.size.scale_mode);
}

void CSetPictureWnd::ShowSizes() {
  const SizeTexts texts = SizeBoxTexts(model_.size);
  SetControlTexts(this, "Edit", "PWidthEdit", texts.width.c_str());
  SetControlTexts(this, "Edit", "PHeightEdit", texts.height.c_str());
  SetControlTexts(this, "Edit", "PWidthScaleEdit", texts.width_percent.c_str());
  SetControlTexts(this, "Edit", "PHeightScaleEdit", texts.height_percent.c_str());
}

void CSetPictureWnd::ShowSource() {
  const PictureSize& size = model_.size;
  SetControlTexts(this, "Edit", "PWidthPixelsValueEdit", std::to_string(size.source_width).c_str());
  SetControlTexts(this, "Edit", "PHeightPixelsValueEdit",
                  std::to_string(size.source_height).c_str());
  SetControlTexts(this, "Edit", "PBppValueEdit", std::to_string(size.source_bpp).c_str());
  ShowSizes();
  SetControlTexts(this, "Edit", "PFilePathEdit", model_.source_path.c_str());
}

void CSetPictureWnd::ShowUnitChoice() {
  const bool enabled = model_.ResolutionEnabled();
  SetEnabled(this, "PResolutionLabel", enabled);
  if (auto* resolution = FindControl<QComboBox>(this, "PResolutionCombo")) {
    resolution->setEnabled(enabled);
    resolution->setStyleSheet(enabled ? kResolutionTextEnabled : kResolutionTextDisabled);
    if (enabled) resolution->setToolTip({});
  }
  if (auto* unit = FindControl<QComboBox>(this, "PUnitCombo")) {
    const QByteArray text = unit->currentText().toUtf8();
    SetControlTexts(this, "Label", "PWidthUnitLabel", text.constData());
    SetControlTexts(this, "Label", "PHeightUnitLabel", text.constData());
  }
  ShowSizes();
}

void CSetPictureWnd::ShowScaleChoice() {
  const SizeBoxesEnabled enabled = model_.BoxesEnabled();
  if (auto* keep = FindControl<QAbstractButton>(this, "PZoomOp")) {
    keep->setEnabled(enabled.keep_scale);
    const QSignalBlocker quiet(keep);
    if (enabled.keep_scale) keep->setChecked(model_.size.keep_scale);
  }
  SetEnabled(this, "PWidthEdit", enabled.width);
  SetEnabled(this, "PHeightEdit", enabled.height);
  SetEnabled(this, "PWidthScaleEdit", enabled.width_percent);
  SetEnabled(this, "PHeightScaleEdit", enabled.height_percent);
  SetEnabled(this, "PFilePathEdit", false);
  if (model_.size.scale_mode == kScaleOrigin) ShowSizes();
}

void CSetPictureWnd::EditSize(const QString& box_name) {
  SizeBox box = SizeBox::kWidth;
  for (const SizeBoxName& entry : kSizeBoxes)
    if (box_name == entry.name) box = entry.box;
  auto* edit = FindControl<QLineEdit>(this, box_name);
  if (edit == nullptr) return;
  SizeEdit result;
  (void)model_.EditSize(box, edit->text().toStdString(), operator_, &result);
  const std::array<std::pair<const char*, const std::optional<std::string>*>, 4> shown{
      {{"PWidthEdit", &result.width},
       {"PHeightEdit", &result.height},
       {"PWidthScaleEdit", &result.width_percent},
       {"PHeightScaleEdit", &result.height_percent}}};
  for (const auto& [name, text] : shown)
    if (text->has_value()) SetControlTexts(this, "Edit", name, (*text)->c_str());
  ShowPreview();
}

void CSetPictureWnd::ShowPreview() {
  auto* preview = FindControl<QLabel>(this, "PPreviewLabel");
  if (preview == nullptr) return;
  QImage image;
  if (model_.has_picture()) {
    const auto* black_white = FindControl<QAbstractButton>(this, "PPreviewBWOp");
    if (black_white != nullptr && black_white->isChecked()) {
      const PixelSize shown = model_.PreviewPixelSize(preview->width(), preview->height());
      GreyBitmap converted;
      if (ConvertPicture(model_.picture, shown.width, shown.height,
                         RotationQuarterTurns(model_.size.rotation), &converted) == kGraphicOk)
        image = imaging::FitOnWhite(imaging::ImageFromGrey(converted), preview->size());
    } else {
      image = imaging::PicturePreview(model_.source_path, model_.picture, preview->size());
    }
  }
  preview->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
  preview->setProperty("loaded", !image.isNull());
  preview->style()->unpolish(preview);
  preview->style()->polish(preview);
}

void CSetPictureWnd::Notify(const Notification& n) {
  auto index = [&n] {
    const auto* combo = qobject_cast<QComboBox*>(n.control.data());
    return combo != nullptr ? combo->currentIndex() : 0;
  };
  if (n.Is(kClick, "PicClosebtn") || n.Is(kClick, "PCancelbtn")) {
    done(1);
  } else if (n.Is(kClick, "PBrowseBtn")) {
    if (model_.Browse(operator_, imaging::FileDecoder()) != kGraphicOk) return;
    ShowSource();
    ShowPreview();
  } else if (n.Is(kClick, "PSavebtn")) {
    const imaging::FileEncoder encoder;
    if (SaveClosesDialog(model_.Save(operator_, &encoder))) done(1);
  } else if (n.Is(kItemSelect, "PUnitCombo")) {
    model_.ChooseUnit(index());
    ShowUnitChoice();
  } else if (n.Is(kItemSelect, "PResolutionCombo")) {
    model_.size.resolution = index();
    ShowSizes();
    ShowPreview();
  } else if (n.Is(kItemSelect, "PRotateCombo")) {
    model_.size.rotation = index();
    ShowSizes();
    ShowPreview();
  } else if (n.Is(kItemSelect, "PZoomModeCombo")) {
    model_.ChooseScaleMode(index());
    ShowScaleChoice();
    ShowPreview();
  } else if (n.Is(kSelectChanged, "PZoomOp")) {
    if (const auto* keep = qobject_cast<QAbstractButton*>(n.control.data()))
      model_.size.keep_scale = keep->isChecked();
  } else if (n.Is(kSelectChanged, "PPreviewBWOp")) {
    ShowPreview();
  } else if (n.type == kTextChanged) {
    for (const SizeBoxName& entry : kSizeBoxes)
      if (n.sender == entry.name) EditSize(n.sender);
  }
}

void CSetPictureWnd::done(int code) {
  QDialog::done(code);
  if (!handed_over_) {
    handed_over_ = true;
    receiver_.HandChosenPicture(result_path());
  }
}

void RunSetPictureDialog(PageContext& context, QWidget* parent) {
  CSetPictureWnd dialog(context.skins, context.dialogs, context.comm.GetLanguage(),
                        context.pictures, parent);
  dialog.exec();
}

}  // namespace vidodez::gui
