#include "gui/picture/set_picture_wnd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <array>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "core/graphic/picture_save.h"
#include "core/shell/file_dialog_texts.h"
#include "core/shell/texts.h"
#include "gui/window/controls.h"
#include "imaging/magick_codec.h"
#include "imaging/picture_preview.h"

namespace vidodez::gui {
namespace {

struct ControlText {
  const char* kind;
  const char* name;
  Text text;
};

constexpr std::array<ControlText, 22> kControlTexts{{
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
    {"Option", "PPreviewBWOp", {"Black and white", "黑白效果"}},
}};
constexpr Text kBlackWhiteTip{"Shows the picture as it will be saved",
                              "预览保存后的黑白图片"};
constexpr Text kReplace{"The file already exists. Replace it?", "文件已存在，是否替换？"};

struct ComboItems {
  const char* name;
  std::array<Text, 4> items;
  int count;
};
constexpr std::array<ComboItems, 4> kComboItems{{
    {"PUnitCombo", {{{"Dot", "点(Dot)"}, {"Inch", "英寸"}, {"cm", "厘米"}, {"mm", "毫米"}}}, 4},
    {"PResolutionCombo", {{{"203", "203"}, {"300", "300"}, {"600", "600"}, {}}}, 3},
    {"PRotateCombo", {{{"0", "0"}, {"90", "右转90"}, {"180", "右转180"}, {"270", "右转270"}}}, 4},
    {"PZoomModeCombo",
     {{{"Origin", "原始大小"}, {"Scaling", "按比例缩放"}, {"Manual", "手动修改大小"}, {}}},
     3},
}};

// The file dialogs' filters read the same in both languages.
constexpr char kOpenFilter[] =
    "支持的图片文件(*.pcx,*.bmp,*.jpg,*.png,*.tif,*.ico,*.gif) "
    "(*.pcx *.bmp *.jpg *.png *.tif *.ico *.gif)";
constexpr char kSaveFilter[] = "保存图片格式(*.pcx) (*.pcx)";

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

}  // namespace

CSetPictureWnd::CSetPictureWnd(const SkinArchive& skins, DialogService& dialogs,
                               const std::string& language, PictureReceiver& receiver,
                               QWidget* owner)
    : SkinDialog(skins, "SetPictureWnd.ui", owner, 36),
      dialogs_(dialogs),
      language_(language),
      receiver_(receiver) {
  setObjectName("SetPictureWnd");
  setWindowTitle("Graphic Settings");
  setFixedSize(kWidth, kHeight);
  const QRect area = owner != nullptr ? owner->frameGeometry()
                     : screen() != nullptr ? screen()->availableGeometry()
                                           : QRect();
  if (area.isValid()) move(area.center() - QPoint(kWidth / 2, kHeight / 2));

  if (auto* keep = FindControl<QAbstractButton>(this, "PZoomOp")) {
    const QSignalBlocker quiet(keep);
    keep->setChecked(true);
  }
  if (auto* path = FindControl<QLineEdit>(this, "PFilePathEdit")) path->setEnabled(false);
  ShowSizes();
  for (const char* name : {"PWidthPixelsValueEdit", "PHeightPixelsValueEdit", "PBppValueEdit"}) {
    SetControlTexts(this, "Edit", name, "0");
    if (auto* edit = FindControl<QLineEdit>(this, name)) edit->setEnabled(false);
  }
  SetTexts();
  ApplyUnitChoice();
  ApplyScaleChoice();
  ShowPreview();
}

void CSetPictureWnd::SetTexts() {
  for (const ControlText& control : kControlTexts)
    SetControlTexts(this, control.kind, control.name, Pick(control.text, language_));
  SetControlTexts(this, "Option", "PPreviewBWOp", nullptr, Pick(kBlackWhiteTip, language_), true);
  const std::array<int, 4> selected{size_.unit, size_.resolution, size_.rotation,
                                    size_.scale_mode};
  for (std::size_t i = 0; i < kComboItems.size(); ++i) {
    QStringList items;
    for (int item = 0; item < kComboItems[i].count; ++item)
      items << QString::fromUtf8(Pick(kComboItems[i].items[std::size_t(item)], language_));
    SetComboItems(this, kComboItems[i].name, items, selected[i]);
  }
}

void CSetPictureWnd::ShowSizes() {
  const SizeTexts texts = SizeBoxTexts(size_);
  SetControlTexts(this, "Edit", "PWidthEdit", texts.width.c_str());
  SetControlTexts(this, "Edit", "PHeightEdit", texts.height.c_str());
  SetControlTexts(this, "Edit", "PWidthScaleEdit", texts.width_percent.c_str());
  SetControlTexts(this, "Edit", "PHeightScaleEdit", texts.height_percent.c_str());
}

void CSetPictureWnd::ApplyUnitChoice() {
  const bool dots = size_.unit == kUnitDot;
  if (auto* label = FindControl<QLabel>(this, "PResolutionLabel")) label->setEnabled(!dots);
  if (auto* resolution = FindControl<QComboBox>(this, "PResolutionCombo")) {
    resolution->setEnabled(!dots);
    resolution->setStyleSheet(dots ? kResolutionTextDisabled : kResolutionTextEnabled);
    if (!dots) resolution->setToolTip({});
  }
  if (auto* unit = FindControl<QComboBox>(this, "PUnitCombo")) {
    const QByteArray text = unit->currentText().toUtf8();
    SetControlTexts(this, "Label", "PWidthUnitLabel", text.constData());
    SetControlTexts(this, "Label", "PHeightUnitLabel", text.constData());
  }
  ShowSizes();
}

void CSetPictureWnd::ApplyScaleChoice() {
  vidodez::ApplyScaleMode(size_, size_.scale_mode);
  const bool origin = size_.scale_mode == kScaleOrigin;
  const bool scaling = size_.scale_mode == kScaleScaling;
  if (auto* keep = FindControl<QAbstractButton>(this, "PZoomOp")) {
    keep->setEnabled(!origin);
    const QSignalBlocker quiet(keep);
    if (!origin) keep->setChecked(size_.keep_scale);
  }
  const std::array<std::pair<const char*, bool>, 4> enabled{{{"PWidthEdit", !origin && !scaling},
                                                             {"PHeightEdit", !origin && !scaling},
                                                             {"PWidthScaleEdit", scaling},
                                                             {"PHeightScaleEdit", scaling}}};
  for (const auto& [name, on] : enabled)
    if (auto* edit = FindControl<QLineEdit>(this, name)) edit->setEnabled(on);
  if (auto* path = FindControl<QLineEdit>(this, "PFilePathEdit")) path->setEnabled(false);
  if (origin) ShowSizes();
}

int CSetPictureWnd::Tell(const char* text, int type) {
  return dialogs_.MessageBox(this, QString::fromUtf8(text), kProgramCaption, type, language_);
}

void CSetPictureWnd::Browse() {
  const QString chosen =
      dialogs_.OpenFile(this, QString::fromUtf8(Pick(kOpenFileTitle, language_)), kOpenFilter);
  if (chosen.isEmpty()) return;
  const std::string path = QFile::encodeName(chosen).toStdString();
  imaging::LoadedPicture loaded;
  // A picture that does not load changes nothing: the earlier picture, its
  // path and its sizes stay together, so Save never writes a picture other
  // than the one the path box names.
  if (const int code = imaging::LoadPicture(path, &loaded); code != kGraphicOk) {
    Tell(Pick(GraphicCodeText(code), language_), kBoxTypeOk);
    return;
  }
  picture_ = std::move(loaded);
  source_path_ = path;
  SetSource(size_, std::uint32_t(picture_->bitmap.width), std::uint32_t(picture_->bitmap.height),
            picture_->bits_per_pixel);
  SetControlTexts(this, "Edit", "PWidthPixelsValueEdit",
                  std::to_string(size_.source_width).c_str());
  SetControlTexts(this, "Edit", "PHeightPixelsValueEdit",
                  std::to_string(size_.source_height).c_str());
  SetControlTexts(this, "Edit", "PBppValueEdit", std::to_string(size_.source_bpp).c_str());
  ShowSizes();
  SetControlTexts(this, "Edit", "PFilePathEdit", chosen.toUtf8().constData());
  // Closed without a save, the dialog hands over the chosen picture; the
  // storage page then decides whether it can be sent.
  result_path_ = chosen;
  ShowPreview();
}

std::optional<QString> CSetPictureWnd::SaveTarget() {
  QString suggested;
  if (!source_path_.empty()) {
    const QFileInfo source(QFile::decodeName(source_path_.c_str()));
    suggested = source.dir().filePath(source.completeBaseName() + ".pcx");
  }
  QString target = dialogs_.SaveFile(this, QString::fromUtf8(Pick(kSaveFileTitle, language_)),
                                     kSaveFilter, suggested);
  if (target.isEmpty()) return target;
  // A name typed without an extension is meant as PCX, the one format the
  // dialog offers; the file dialog asked about replacing the name as typed,
  // so ask again for the name that is written.
  if (ExtensionOf(QFile::encodeName(target).toStdString()).empty()) {
    target += target.endsWith('.') ? "pcx" : ".pcx";
    if (QFileInfo::exists(target) && Tell(Pick(kReplace, language_), kBoxTypeOkCancel) != kBoxOk)
      return std::nullopt;
  }
  return target;
}

bool CSetPictureWnd::Save() {
  if (!picture_) {
    Tell(Pick(GraphicCodeText(kGraphicNoPicture), language_), kBoxTypeOk);
    return false;
  }
  const std::optional<QString> chosen = SaveTarget();
  if (!chosen) return false;
  const QString& target = *chosen;
  // Nothing to write: the dialog closes and hands over the chosen picture.
  if (target.isEmpty()) return true;
  // The loaded picture stays as it was, so a retried save starts again from
  // the picture the operator chose, not from a thresholded copy.
  const imaging::FileEncoder encoder;
  const int code = SavePicture(&picture_->bitmap, size_, QFile::encodeName(target).toStdString(),
                               nullptr, &encoder);
  if (code != kGraphicOk) {
    Tell(Pick(GraphicCodeText(code), language_), kBoxTypeOk);
    return false;
  }
  result_path_ = target;
  return true;
}

void CSetPictureWnd::EditSize(const QString& box_name) {
  SizeBox box = SizeBox::kWidth;
  for (const SizeBoxName& entry : kSizeBoxes)
    if (box_name == entry.name) box = entry.box;
  auto* edit = FindControl<QLineEdit>(this, box_name);
  if (edit == nullptr) return;
  const SizeEdit result = ApplySizeEdit(size_, box, edit->text().toStdString());
  if (result.refused) Tell(Pick(GraphicCodeText(kGraphicBadNumber), language_), kBoxTypeOk);
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
  if (picture_) {
    const auto* black_white = FindControl<QAbstractButton>(this, "PPreviewBWOp");
    if (black_white != nullptr && black_white->isChecked()) {
      // A result larger than the box is converted at the size it is shown
      // at: the same black and white, without greys from shrinking it, and
      // without resampling to a large size at every keystroke.
      const PixelSize pixels = SavePixelSize(size_);
      const int turns = RotationQuarterTurns(size_.rotation);
      QSize shown(pixels.width, pixels.height);
      QSize box = preview->size();
      if (turns % 2 != 0) box.transpose();
      if (!shown.isEmpty() && (shown.width() > box.width() || shown.height() > box.height()))
        shown = shown.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
      GreyBitmap converted;
      if (ConvertPicture(picture_->bitmap, shown.width(), shown.height(), turns, &converted) ==
          kGraphicOk)
        image = imaging::FitOnWhite(imaging::ImageFromGrey(converted), preview->size());
    } else {
      image = imaging::PicturePreview(source_path_, picture_->bitmap, preview->size());
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
    Browse();
  } else if (n.Is(kClick, "PSavebtn")) {
    if (Save()) done(1);
  } else if (n.Is(kItemSelect, "PUnitCombo")) {
    size_.unit = index();
    ApplyUnitChoice();
  } else if (n.Is(kItemSelect, "PResolutionCombo")) {
    size_.resolution = index();
    ShowSizes();
    ShowPreview();
  } else if (n.Is(kItemSelect, "PRotateCombo")) {
    size_.rotation = index();
    ShowSizes();
    ShowPreview();
  } else if (n.Is(kItemSelect, "PZoomModeCombo")) {
    size_.scale_mode = index();
    ApplyScaleChoice();
    ShowPreview();
  } else if (n.Is(kSelectChanged, "PZoomOp")) {
    if (const auto* keep = qobject_cast<QAbstractButton*>(n.control.data()))
      size_.keep_scale = keep->isChecked();
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
    receiver_.HandChosenPicture(result_path_);
  }
}

void RunSetPictureDialog(PageContext& context, QWidget* parent) {
  CSetPictureWnd dialog(context.skins, context.dialogs, context.comm.GetLanguage(),
                        context.pictures, parent);
  dialog.exec();
}

}  // namespace vidodez::gui
