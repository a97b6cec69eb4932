#include "sim/label_job.h"

#include <algorithm>
#include <cstdio>

namespace vidodez::sim {

void AddSkipped(std::vector<std::string>* skipped, const std::string& name) {
  // A file that is no label (a font's hex lines sent without their header)
  // would name thousands; the line stays readable.
  if (skipped->size() > kMaxSkippedNames) return;
  if (std::find(skipped->begin(), skipped->end(), name) != skipped->end()) return;
  skipped->push_back(skipped->size() == kMaxSkippedNames ? "..." : name);
}

const char* LabelKind(const LabelJob& job) {
  if (job.from_form) return "form";
  bool graphics = false, others = false;
  for (const LabelField& field : job.fields) {
    if (const auto* text = std::get_if<TextField>(&field); text && !text->font_name.empty())
      return "font-test";
    (std::holds_alternative<GraphicField>(field) ? graphics : others) = true;
  }
  return graphics && !others ? "graphic" : "label";
}

std::string PrintableName(std::string_view bytes) {
  std::string name;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      name.push_back(static_cast<char>(c));
    } else {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02x", c);
      name += hex;
    }
  }
  return name;
}

}  // namespace vidodez::sim
