#pragma once
// Printed labels as a test sees them: caught from a printer's sink, and the
// font a download test sends.

#include <algorithm>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "model_io.h"
#include "sim/label_render.h"
#include "sim/printer_model.h"

namespace vidodez::sim {

// Debian's fonts-dejavu-core, which set-up installs: a proportional face, so
// its text never looks like the resident cells.
inline constexpr char kDownloadFontPath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// A printed label, drawn.
struct CapturedLabel {
  std::string kind;
  int copies = 1;
  LabelBitmap bitmap;
  std::vector<std::string> skipped;
};

// The sink runs on the printer's thread; the test reads after the bytes
// were taken.
class LabelCapture {
 public:
  LabelSink Sink() {
    return [this](const PrintedLabel& label) {
      DrawnLabel drawn = painter_.Draw(label);
      std::lock_guard lock(mutex_);
      labels_.push_back(
          {label.kind, label.job.copies, std::move(drawn.bitmap), std::move(drawn.skipped)});
    };
  }
  std::vector<CapturedLabel> Labels() {
    std::lock_guard lock(mutex_);
    return labels_;
  }

 private:
  LabelPainter painter_;
  std::mutex mutex_;
  std::vector<CapturedLabel> labels_;
};

// The labels a fresh printer prints for these transfers.
inline std::vector<CapturedLabel> PrintedBy(const std::vector<std::string>& transfers) {
  LabelCapture capture;
  PrinterOptions options;
  options.label_sink = capture.Sink();
  PrinterModel model(options);
  for (const auto& transfer : transfers) Send(model, transfer);
  return capture.Labels();
}

// The dots' box: left, top, right and bottom past the last black dot; all 0
// for a blank label.
struct InkBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const InkBox&) const = default;
};

inline InkBox InkOf(const LabelBitmap& bitmap) {
  InkBox box{bitmap.width, bitmap.height, 0, 0};
  for (int y = 0; y < bitmap.height; ++y)
    for (int x = 0; x < bitmap.width; ++x)
      if (bitmap.Black(x, y)) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
  return box.right == 0 ? InkBox{} : box;
}

inline std::ostream& operator<<(std::ostream& out, const InkBox& b) {
  return out << "[" << b.left << "," << b.top << " - " << b.right << "," << b.bottom << ")";
}

}  // namespace vidodez::sim
