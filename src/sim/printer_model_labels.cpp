// What the printer prints: the labels its commands compose and its
// configuration label, drawn for whoever watches the printer's output.

#include <cstdio>

#include "sim/label_render.h"
#include "sim/label_text.h"
#include "sim/printer_model.h"
#include "sim/self_test_label.h"
#include "sim/truetype_face.h"

namespace vidodez::sim {
namespace {

// Larger than any font file Debian ships.
constexpr size_t kMaxResidentFace = 16 << 20;

std::string ReadFace(const char* path) {
  std::string bytes;
  std::FILE* file = std::fopen(path, "rbe");
  if (file == nullptr) return bytes;
  char block[65536];
  size_t got = 0;
  while (bytes.size() < kMaxResidentFace && (got = std::fread(block, 1, sizeof(block), file)) > 0)
    bytes.append(block, got);
  std::fclose(file);
  return bytes;
}

}  // namespace

// 4 by 6 inches unless the options say otherwise.
int PrinterModel::LabelWidth() const {
  return options_.label_width > 0 ? options_.label_width : 4 * LabelDpi();
}

int PrinterModel::LabelHeight() const {
  return options_.label_height > 0 ? options_.label_height : 6 * LabelDpi();
}

void PrinterModel::PrintComposedLabels() {
  for (const LabelJob& job : labels_.TakePrinted()) PrintLabel(job, LabelKind(job));
}

void PrinterModel::PrintSelfTest() {
  PrinterReport report;
  report.description = Description();
  report.model = options_.model;
  report.serial = Serial();
  report.settings = settings_;
  report.wifi = wifi_.settings();
  report.stored = &stored_;
  // The count includes this label.
  report.labels_printed = labels_printed_ + 1;
  PrintLabel(SelfTestLabel(report, LabelDpi(), LabelWidth()), "self-test");
}

void PrinterModel::PrintLabel(const LabelJob& job, const char* kind) {
  ++labels_printed_;
  SaveLabelCount();
  if (!options_.label_sink) return;
  if (!resident_face_read_) {
    resident_face_read_ = true;
    resident_face_ = TrueTypeFace::Open(ReadFace(kResidentFacePath));
  }
  PrintedLabel label;
  label.number = labels_printed_;
  label.kind = kind;
  label.dpi = LabelDpi();
  label.copies = job.copies;
  label.skipped = job.skipped;
  LabelResources resources;
  resources.stored = &stored_;
  resources.resident = resident_face_.get();
  resources.dpi = label.dpi;
  resources.width = LabelWidth();
  resources.height = LabelHeight();
  label.bitmap = RenderLabel(job, resources, &label.skipped);
  options_.label_sink(label);
}

}  // namespace vidodez::sim
