// What the printer prints: the labels its commands compose and its
// configuration label, handed to whoever watches the printer's output.

#include "sim/printer_model.h"
#include "sim/self_test_label.h"

namespace vidodez::sim {

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
  PrintedLabel label;
  label.number = labels_printed_;
  label.kind = kind;
  label.job = job;
  label.dpi = LabelDpi();
  label.width = LabelWidth();
  label.height = LabelHeight();
  label.stored = &stored_;
  options_.label_sink(label);
}

}  // namespace vidodez::sim
