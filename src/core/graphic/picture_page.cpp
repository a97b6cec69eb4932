#include "core/graphic/picture_page.h"

#include <algorithm>
#include <cstddef>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "core/platform/file_system.h"
#include "core/shell/file_dialog_texts.h"

namespace vidodez {
namespace {

constexpr Text kPictureTexts[] = {
    {"The file already exists. Replace it?", "文件已存在，是否替换？"},
};

// The file dialogs' filters read the same in both languages.
constexpr char kOpenFilterName[] = "支持的图片文件(*.pcx,*.bmp,*.jpg,*.png,*.tif,*.ico,*.gif)";
constexpr char kOpenPattern[] = "*.pcx *.bmp *.jpg *.png *.tif *.ico *.gif";
constexpr char kSaveFilterName[] = "保存图片格式(*.pcx) (*.pcx)";
constexpr char kSavePattern[] = "*.pcx";

// The source picture's name with ".pcx" for its last extension, in its
// folder; "" without a source.
std::string SuggestedSavePath(const std::string& source) {
  if (source.empty()) return {};
  const std::size_t slash = source.find_last_of('/');
  const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = source.rfind('.');
  const std::size_t end = dot == std::string::npos || dot < name ? source.size() : dot;
  return source.substr(0, end) + ".pcx";
}

}  // namespace

OperatorMessage PictureMessage(PictureText text, std::string_view language) {
  const int index = static_cast<int>(text);
  return {kPictureTable, index, Pick(kPictureTexts[static_cast<std::size_t>(index)], language)};
}

bool SaveClosesDialog(int save_code) {
  return save_code == kGraphicOk || save_code == kGraphicCancelled;
}

int PicturePage::Browse(Operator& op, const PictureDecoder& decoder) {
  FileChoice choice;
  choice.title = Pick(kOpenFileTitle, language);
  choice.filter_name = kOpenFilterName;
  choice.pattern = kOpenPattern;
  std::string path;
  if (!op.ChooseFileToOpen(choice, &path) || path.empty()) return kGraphicCancelled;
  GreyBitmap loaded;
  std::uint32_t bits_per_pixel = 0;
  if (const int code = decoder.Decode(path, &loaded, &bits_per_pixel); code != kGraphicOk) {
    op.Tell(GraphicMessage(code, language));
    return code;
  }
  picture = std::move(loaded);
  source_path = path;
  SetSource(size, std::uint32_t(picture.width), std::uint32_t(picture.height), bits_per_pixel);
  // Closed without a save, the dialog hands over the chosen picture; the
  // storage page then decides whether it can be sent.
  result_path = path;
  return kGraphicOk;
}

int PicturePage::Save(Operator& op, const PictureEncoder* encoder) {
  if (!has_picture()) {
    op.Tell(GraphicMessage(kGraphicNoPicture, language));
    return kGraphicNoPicture;
  }
  FileChoice choice;
  choice.title = Pick(kSaveFileTitle, language);
  choice.filter_name = kSaveFilterName;
  choice.pattern = kSavePattern;
  choice.suggested_path = SuggestedSavePath(source_path);
  std::string target;
  if (!op.ChooseFileToSave(choice, &target) || target.empty()) return kGraphicCancelled;
  // A name typed without an extension is meant as PCX, the one format the
  // dialog offers; the file dialog asked about replacing the name as typed,
  // so ask again for the name that is written.
  if (ExtensionOf(target).empty()) {
    target += target.ends_with('.') ? "pcx" : ".pcx";
    if (platform::PathExists(target) &&
        !op.Confirm(PictureMessage(PictureText::kReplaceFile, language)))
      return kGraphicReplaceDeclined;
  }
  if (const int code = SavePicture(&picture, size, target, nullptr, encoder); code != kGraphicOk) {
    op.Tell(GraphicMessage(code, language));
    return code;
  }
  result_path = target;
  return kGraphicOk;
}

int PicturePage::EditSize(SizeBox box, std::string_view text, Operator& op, SizeEdit* shown) {
  *shown = ApplySizeEdit(size, box, text);
  if (!shown->refused) return kGraphicOk;
  op.Tell(GraphicMessage(kGraphicBadNumber, language));
  return kGraphicBadNumber;
}

int PicturePage::UnitPosition() const {
  const auto found = std::find(kPictureUnits.begin(), kPictureUnits.end(), size.unit);
  return found == kPictureUnits.end() ? 0 : static_cast<int>(found - kPictureUnits.begin());
}

void PicturePage::ChooseUnit(int position) {
  const int last = static_cast<int>(kPictureUnits.size()) - 1;
  size.unit = kPictureUnits[static_cast<std::size_t>(std::clamp(position, 0, last))];
}

SizeBoxesEnabled PicturePage::BoxesEnabled() const {
  const bool origin = size.scale_mode == kScaleOrigin;
  const bool scaling = size.scale_mode == kScaleScaling;
  return {!origin && !scaling, !origin && !scaling, scaling, scaling, !origin};
}

PixelSize PicturePage::PreviewPixelSize(int box_width, int box_height) const {
  const PixelSize saved = SavePixelSize(size);
  if (RotationQuarterTurns(size.rotation) % 2 != 0) std::swap(box_width, box_height);
  if (saved.width <= 0 || saved.height <= 0 ||
      (saved.width <= box_width && saved.height <= box_height)) {
    return saved;
  }
  // The largest size of the picture's proportions inside the box.
  PixelSize shown{box_width, box_height};
  const long long width_at_box_height =
      static_cast<long long>(box_height) * saved.width / saved.height;
  if (width_at_box_height <= box_width) {
    shown.width = static_cast<int>(width_at_box_height);
  } else {
    shown.height = static_cast<int>(static_cast<long long>(box_width) * saved.height / saved.width);
  }
  return {std::max(shown.width, 1), std::max(shown.height, 1)};
}

}  // namespace vidodez
