#pragma once
// The picture dialog's model: the size the operator sets, the picture
// loaded, the file handed over when the dialog closes, and the operations of
// its buttons and boxes. They talk to the operator through `Operator`, so
// every rule of the dialog is tested without a window; the window shows what
// the model holds and draws the preview.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/graphic/grey_bitmap.h"
#include "core/graphic/picture_save.h"
#include "core/graphic/picture_size.h"
#include "core/shell/operator.h"

namespace vidodez {

// Reads ordinary picture files; the imaging layer has one (Qt, ImageMagick).
class PictureDecoder {
 public:
  virtual ~PictureDecoder() = default;
  // kGraphicOk with the picture in grey and the bits a pixel of the file,
  // or the failure's code with both unchanged.
  [[nodiscard]] virtual int Decode(const std::string& path, GreyBitmap* picture,
                                   std::uint32_t* bits_per_pixel) const = 0;
};

inline constexpr char kPictureTable[] = "picture";
enum class PictureText { kReplaceFile };
OperatorMessage PictureMessage(PictureText text, std::string_view language);

// Which controls a scale mode leaves to the operator.
struct SizeBoxesEnabled {
  bool width = false;
  bool height = false;
  bool width_percent = false;
  bool height_percent = false;
  bool keep_scale = false;
};

struct PicturePage {
  std::string language;
  PictureSize size;
  GreyBitmap picture;       // the picture loaded; empty when none is
  std::string source_path;  // its file
  // What the dialog hands over when it closes: the file it saved, else the
  // picture chosen, else "".
  std::string result_path;

  bool has_picture() const { return !picture.empty(); }

  // "Browse": the operator chooses a picture. One that does not load
  // changes nothing (the operator is told why), so Save never writes a
  // picture other than the one the path box names. kGraphicOk, the load's
  // code, or kGraphicCancelled.
  [[nodiscard]] int Browse(Operator& op, const PictureDecoder& decoder);

  // "Save": the picture as the size says, in the format of the chosen
  // name's extension; a name typed without one is saved as ".pcx", asking
  // before it replaces a file. The loaded picture is never changed, so a
  // retried save starts again from it. kGraphicOk (saved, it is handed
  // over), kGraphicCancelled (nothing written, the dialog closes and hands
  // over the picture chosen), kGraphicReplaceDeclined (nothing written, the
  // dialog stays), or the failure's code, told (the dialog stays).
  [[nodiscard]] int Save(Operator& op, const PictureEncoder* encoder);

  // A size box's text changed: the size and `shown`, what the other boxes
  // show. kGraphicOk, or kGraphicBadNumber for text that is no number (the
  // operator is told; the box then reads "0").
  [[nodiscard]] int EditSize(SizeBox box, std::string_view text, Operator& op, SizeEdit* shown);

  // The unit list: its position of `size.unit`, and the unit of a position.
  int UnitPosition() const;
  void ChooseUnit(int position);
  // The resolution means nothing in dots.
  bool ResolutionEnabled() const { return size.unit != kUnitDots; }
  void ChooseScaleMode(int mode) { ApplyScaleMode(size, mode); }
  SizeBoxesEnabled BoxesEnabled() const;

  // The size the black-and-white preview is converted at: the saved size,
  // shrunk to fit a box of `box_width` x `box_height` (the box turned with
  // the picture) keeping its proportions, at least 1 x 1. Converting a large
  // result at the size it is shown at gives the same black and white without
  // greys from shrinking, and no resampling to a large size at every key.
  PixelSize PreviewPixelSize(int box_width, int box_height) const;
};

// Whether a Save's result closes the dialog.
bool SaveClosesDialog(int save_code);

}  // namespace vidodez
