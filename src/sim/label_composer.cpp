#include "sim/label_composer.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace vidodez::sim {

void LabelComposer::SkipLine(std::string_view line) {
  // A command's name: its leading letters (at most four), else its first
  // bytes.
  size_t letters = 0;
  while (letters < line.size() && letters < 4 &&
         std::isalpha(static_cast<unsigned char>(line[letters])))
    ++letters;
  SkipCommand(line.substr(0, letters > 0 ? letters : std::min<size_t>(line.size(), 4)));
}

bool LabelComposer::SkipCommand(std::string_view name) {
  job_.Skip(PrintableName(name));
  return true;
}

void LabelComposer::RecallForm(const std::string& name) {
  const auto& forms = stored_.forms;
  auto form = std::find_if(forms.begin(), forms.end(),
                           [&](const auto& entry) { return entry.first == name; });
  if (form == forms.end()) {
    SkipCommand("FR (form " + PrintableName(name) + ": not stored)");
    return;
  }
  // A form holds label commands only; one that recalls a form is not
  // followed further.
  if (form_depth_ > 0) {
    SkipCommand("FR (inside a form)");
    return;
  }
  ++form_depth_;
  const std::string_view body = form->second;
  for (size_t at = 0; at < body.size();) {
    size_t end = body.find("\r\n", at);
    const std::string_view line = body.substr(at, end == std::string_view::npos ? end : end - at);
    at = end == std::string_view::npos ? body.size() : end + 2;
    if (line.empty()) continue;
    if (line[0] == '^' || line[0] == '~') {
      for (std::string_view command : SplitVrlzCommands(line)) TakeVrlzCommand(command);
    } else if (!TakeVrleLine(line)) {
      SkipLine(line);
    }
  }
  --form_depth_;
  job_.from_form = true;
}

void LabelComposer::AddField(LabelField field) {
  if (job_.fields.size() >= kMaxLabelFields) {
    SkipCommand("fields past " + std::to_string(kMaxLabelFields));
    return;
  }
  job_.fields.push_back(std::move(field));
}

void LabelComposer::Print(int copies) {
  job_.width = width_;
  job_.height = height_;
  job_.copies = copies;
  printed_.push_back(std::move(job_));
  job_ = LabelJob{};
}

std::vector<LabelJob> LabelComposer::TakePrinted() {
  std::vector<LabelJob> printed = std::move(printed_);
  printed_.clear();
  return printed;
}

}  // namespace vidodez::sim
