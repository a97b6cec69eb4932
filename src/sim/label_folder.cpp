#include "sim/label_folder.h"

#include <memory>

#include "core/link/io_error_texts.h"
#include "sim/label_png.h"
#include "sim/label_render.h"

namespace vidodez::sim {
namespace {

std::string LabelLine(const PrintedLabel& label, const DrawnLabel& drawn, const std::string& path) {
  char number[32];
  std::snprintf(number, sizeof(number), "%04ld", label.number);
  std::string line = "label " + std::string(number) + " " + label.kind + " " +
                     std::to_string(drawn.bitmap.width) + "x" +
                     std::to_string(drawn.bitmap.height) + " " + path;
  if (label.job.copies > 1) line += " copies " + std::to_string(label.job.copies);
  for (size_t i = 0; i < drawn.skipped.size(); ++i)
    line += (i == 0 ? " skipped: " : ", ") + drawn.skipped[i];
  return line;
}

}  // namespace

int MakeLabelFolderSink(std::string folder, std::FILE* out, std::FILE* errors, LabelSink* sink) {
  // The sink is copied with the printer's options; they share one painter.
  auto painter = std::make_shared<LabelPainter>();
  *sink = [folder = std::move(folder), out, errors, painter](const PrintedLabel& label) {
    const DrawnLabel drawn = painter->Draw(label);
    char name[64];
    std::snprintf(name, sizeof(name), "/%04ld-%s.png", label.number, label.kind.c_str());
    const std::string path = folder + name;
    if (int rc = WriteLabelPng(drawn.bitmap, label.dpi, path); rc != 0) {
      std::fprintf(errors, "vidodez-printer-sim: cannot write %s: %s\n", path.c_str(),
                   SystemErrorText(rc).c_str());
      std::fflush(errors);
      return;
    }
    std::fprintf(out, "%s\n", LabelLine(label, drawn, path).c_str());
    std::fflush(out);
  };
  return 0;
}

}  // namespace vidodez::sim
