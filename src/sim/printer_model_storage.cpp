// The printer's store: forms, graphics and font downloads.

#include <cctype>

#include "sim/printer_model.h"

namespace vidodez::sim {
namespace {

// Larger than any graphic the program can send in one piece.
constexpr size_t kMaxGraphic = 16 << 20;

}  // namespace

bool PrinterModel::HandleFontLine(const std::string& line) {
  FontDownloadHeader header;
  if (ParseFontDownloadHeader(line, &header)) {
    font_.emplace(std::move(header));
    return true;
  }
  return false;
}

// A font is kept only when its payload had exactly the announced size.
void PrinterModel::EndFontDownload() {
  font_->End();
  if (std::optional<std::string> font = font_->Font()) {
    StoredObjects::Put(&stored_.fonts, font_->header().name, std::move(*font));
    SaveState();
  }
  font_.reset();
}

bool PrinterModel::HandleStorageLine(const std::string& line, Clock::time_point now) {
  if (line == "^S1") {
    QueueReply(options_.list_reply ? *options_.list_reply : stored_.ListReply(), now);
    return true;
  }
  if (auto name = QuotedName(line, "FS")) {
    form_name_ = *name;
    return true;
  }
  if (auto name = QuotedName(line, "GM")) {
    // GM"NAME"SIZE: SIZE bytes of picture follow the line.
    size_t digits_at = 2 + name->size() + 2;
    size_t size = 0;
    bool valid = digits_at < line.size();
    for (size_t i = digits_at; i < line.size() && valid; ++i) {
      valid = std::isdigit(static_cast<unsigned char>(line[i])) && size < kMaxGraphic;
      size = size * 10 + static_cast<size_t>(line[i] - '0');
    }
    if (!valid || size > kMaxGraphic) return false;
    binary_name_ = *name;
    binary_.clear();
    binary_left_ = size;
    if (size == 0) StoredObjects::Put(&stored_.graphics, binary_name_, {});
    return true;
  }
  struct Delete {
    const char* prefix;
    std::vector<std::pair<std::string, std::string>>* kind;
  } deletes[] = {{"FK", &stored_.forms},
                 {"^ZF", &stored_.fonts},
                 {"ZF", &stored_.fonts},
                 {"GK", &stored_.graphics}};
  for (const auto& d : deletes) {
    if (auto name = QuotedName(line, d.prefix)) {
      if (StoredObjects::Remove(d.kind, *name)) SaveState();
      return true;
    }
  }
  return false;
}

}  // namespace vidodez::sim
