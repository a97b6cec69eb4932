#pragma once
// Draws a composed label with the printer's stored fonts and graphics and
// its resident face.

#include <memory>
#include <string>
#include <vector>

#include "sim/label_bitmap.h"
#include "sim/label_job.h"
#include "sim/printer_model.h"
#include "sim/stored_objects.h"
#include "sim/truetype_face.h"

namespace vidodez::sim {

struct LabelResources {
  const StoredObjects* stored = nullptr;
  const TrueTypeFace* resident = nullptr;  // null: resident text is skipped
  int dpi = 203;
  // The label when the job names no size of its own.
  int width = 0;
  int height = 0;
};

// The label, blank where a field could not be drawn; each such field is
// named once in `skipped` (a font or graphic the printer does not hold, data
// a barcode cannot carry).
LabelBitmap RenderLabel(const LabelJob& job, const LabelResources& resources,
                        std::vector<std::string>* skipped);

struct DrawnLabel {
  LabelBitmap bitmap;
  // The job's skipped commands, then what drawing could not use.
  std::vector<std::string> skipped;
};

// Draws the labels a printer hands its sink, reading the resident face once,
// at the first label.
class LabelPainter {
 public:
  LabelPainter();
  ~LabelPainter();
  LabelPainter(const LabelPainter&) = delete;
  LabelPainter& operator=(const LabelPainter&) = delete;

  DrawnLabel Draw(const PrintedLabel& label);

 private:
  std::unique_ptr<TrueTypeFace> resident_;
  bool resident_read_ = false;
};

}  // namespace vidodez::sim
