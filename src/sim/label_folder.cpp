#include "sim/label_folder.h"

#include <cstdio>

#include "core/link/io_error_texts.h"
#include "sim/label_png.h"

namespace vidodez::sim {

std::string LabelLine(const PrintedLabel& label, const std::string& path) {
  char number[32];
  std::snprintf(number, sizeof(number), "%04ld", label.number);
  std::string line = "label " + std::string(number) + " " + label.kind + " " +
                     std::to_string(label.bitmap.width) + "x" +
                     std::to_string(label.bitmap.height) + " " + path;
  if (label.copies > 1) line += " copies " + std::to_string(label.copies);
  for (size_t i = 0; i < label.skipped.size(); ++i)
    line += (i == 0 ? " skipped: " : ", ") + label.skipped[i];
  return line;
}

LabelSink LabelFolderSink(std::string folder, std::FILE* out, std::FILE* errors) {
  return [folder = std::move(folder), out, errors](const PrintedLabel& label) {
    char name[64];
    std::snprintf(name, sizeof(name), "/%04ld-%s.png", label.number, label.kind.c_str());
    const std::string path = folder + name;
    if (int rc = WriteLabelPng(label.bitmap, label.dpi, path); rc != 0) {
      std::fprintf(errors, "vidodez-printer-sim: cannot write %s: %s\n", path.c_str(),
                   SystemErrorText(rc).c_str());
      std::fflush(errors);
      return;
    }
    std::fprintf(out, "%s\n", LabelLine(label, path).c_str());
    std::fflush(out);
  };
}

}  // namespace vidodez::sim
