// The VRLE (EPL-like) commands of the label buffer, one a line.

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "sim/label_composer.h"
#include "sim/label_params.h"
#include "sim/label_text.h"

namespace vidodez::sim {
namespace {

// A downloaded font's em, in dots.
constexpr int kMaxEm = 1000;

bool Digits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "x,y,...,\"data\"": the parameters before the first quote (without the
// comma before it) and the data up to the last quote. False without both.
bool SplitQuoted(std::string_view text, std::string_view* params, std::string_view* data) {
  const size_t open = text.find('"');
  const size_t close = text.rfind('"');
  if (open == std::string_view::npos || close == open) return false;
  *params = text.substr(0, open);
  if (!params->empty()) {
    if (params->back() != ',') return false;
    params->remove_suffix(1);
  }
  *data = text.substr(open + 1, close - open - 1);
  return true;
}

bool ParsePosition(std::string_view x, std::string_view y, int* px, int* py) {
  return ParseNumber(x, 0, kMaxPosition, px) && ParseNumber(y, 0, kMaxPosition, py);
}

}  // namespace

bool LabelComposer::TakeVrleLine(std::string_view line) {
  if (line.empty()) return false;
  const char first = line[0];
  const bool digit_next = line.size() > 1 && std::isdigit(static_cast<unsigned char>(line[1]));
  std::string_view params, data;
  if (line == "N") {
    job_ = LabelJob{};
    return true;
  }
  if (line == "ZT" || line == "ZB" || line == "ZS" || line == "ZN") return true;
  if ((first == 'H' || first == 'D' || first == 'S') && Digits(line.substr(1))) return true;
  if (line.starts_with("I8,")) {
    const int code_page = CodePageOfField(SplitParams(line.substr(3))[0]);
    if (code_page == 0) return SkipCommand("I8 (code page " + PrintableName(line.substr(3)) + ")");
    vrle_code_page_ = code_page;
    return true;
  }
  if (line.starts_with("CF")) {
    // CF<storage>,<ID>,<name>: the name may be anything but a line end.
    const auto p = SplitParams(line.substr(2));
    if (p.size() < 3 || p[1].size() != 1) return SkipCommand("CF");
    const size_t name_at = 2 + p[0].size() + 1 + p[1].size() + 1;
    vrle_fonts_[p[1][0]] = std::string(line.substr(name_at));
    return true;
  }
  if (line.starts_with("LO")) return TakeVrleLineField(StampMode::kBlack, line.substr(2));
  if (line.starts_with("LW")) return TakeVrleLineField(StampMode::kWhite, line.substr(2));
  if (line.starts_with("LE")) return TakeVrleLineField(StampMode::kFlip, line.substr(2));
  if (line.starts_with("GG")) {
    if (!SplitQuoted(line.substr(2), &params, &data)) return SkipCommand("GG");
    return TakeVrleGraphic(params, data);
  }
  if (line.starts_with("FR\"")) {
    if (!SplitQuoted(line.substr(2), &params, &data) || !params.empty()) return SkipCommand("FR");
    RecallForm(std::string(data));
    return true;
  }
  if (!digit_next) return false;
  switch (first) {
    case 'q':
    case 'Q': {
      int size = 0;
      if (!ParseNumber(SplitParams(line.substr(1))[0], 1, kMaxLabelSide, &size))
        return SkipCommand(std::string(1, first));
      (first == 'q' ? width_ : height_) = size;
      return true;
    }
    case 'A':
      if (!SplitQuoted(line.substr(1), &params, &data)) return SkipCommand("A");
      return TakeVrleText(params, data);
    case 'B':
      if (!SplitQuoted(line.substr(1), &params, &data)) return SkipCommand("B");
      return TakeVrleBarcode(params, data);
    case 'b':
      if (!SplitQuoted(line.substr(1), &params, &data)) return SkipCommand("b");
      return TakeVrleQr(params, data);
    case 'X':
      return TakeVrleBox(line.substr(1));
    case 'P':
    case 'W': {
      // P<labels>[,<copies>]: the picture is the same for every copy.
      const auto p = SplitParams(line.substr(1));
      int labels = 1, copies = 1;
      if (p.size() > 2 || !ParseNumber(p[0], 1, kMaxCopies, &labels) ||
          (p.size() == 2 && !ParseNumber(p[1], 1, kMaxCopies, &copies)))
        return SkipCommand(std::string(1, first));
      Print(static_cast<int>(std::min<std::int64_t>(std::int64_t{labels} * copies, kMaxCopies)));
      return true;
    }
    default:
      return false;
  }
}

// A<x>,<y>,<turns>,<font>,<h>,<v>,<N|R>,"data": a resident font 1-5 takes
// h and v as multipliers of its cell, a downloaded font as its em in dots.
bool LabelComposer::TakeVrleText(std::string_view params, std::string_view data) {
  const auto p = SplitParams(params);
  TextField f;
  int h = 0, v = 0;
  if (p.size() != 7 || !ParsePosition(p[0], p[1], &f.x, &f.y) ||
      !ParseNumber(p[2], 0, 3, &f.quarter_turns) || p[3].size() != 1 ||
      !ParseNumber(p[4], 1, kMaxEm, &h) || !ParseNumber(p[5], 1, kMaxEm, &v) ||
      (p[6] != "N" && p[6] != "R"))
    return SkipCommand("A");
  f.font_id = p[3][0];
  f.reverse = p[6] == "R";
  if (auto cell = ResidentFontCell(FontCommandType::VRLE, f.font_id, dpi_)) {
    if (h > kMaxScale || v > kMaxScale) return SkipCommand("A");
    f.width = cell->width * h;
    f.height = cell->height * v;
  } else if (auto font = vrle_fonts_.find(f.font_id); font != vrle_fonts_.end()) {
    f.font_name = font->second;
    f.width = h;
    f.height = v;
  } else {
    return SkipCommand("A (font " + PrintableName(p[3]) + ": none assigned)");
  }
  f.text = DecodeLabelText(data, vrle_code_page_);
  AddField(std::move(f));
  return true;
}

// B<x>,<y>,<turns>,<type>,<narrow>,<wide>,<height>,<B|N>,"data"; type 1,
// 1A, 1B and 1C are Code 128 (zint chooses the subsets).
bool LabelComposer::TakeVrleBarcode(std::string_view params, std::string_view data) {
  const auto p = SplitParams(params);
  BarcodeField f;
  int wide = 0;
  if (p.size() != 8 || !ParsePosition(p[0], p[1], &f.x, &f.y) ||
      !ParseNumber(p[2], 0, 3, &f.quarter_turns) || !ParseNumber(p[4], 1, kMaxScale, &f.module) ||
      !ParseNumber(p[5], 1, kMaxScale * 3, &wide) ||
      !ParseNumber(p[6], 1, kMaxLabelSide, &f.height) || (p[7] != "B" && p[7] != "N"))
    return SkipCommand("B");
  if (p[3] != "1" && p[3] != "1A" && p[3] != "1B" && p[3] != "1C")
    return SkipCommand("B (type " + PrintableName(p[3]) + ")");
  f.kind = BarcodeKind::kCode128;
  f.readable = p[7] == "B";
  f.data = std::string(data);
  AddField(std::move(f));
  return true;
}

// b<x>,<y>,Q[,s<module>][,e<L|M|Q|H>][,m<model>]...,"data"; options the
// picture does not show are passed over.
bool LabelComposer::TakeVrleQr(std::string_view params, std::string_view data) {
  const auto p = SplitParams(params);
  BarcodeField f;
  f.kind = BarcodeKind::kQr;
  f.module = 3;
  if (p.size() < 3 || !ParsePosition(p[0], p[1], &f.x, &f.y)) return SkipCommand("b");
  if (p[2] != "Q") return SkipCommand("b (type " + PrintableName(p[2]) + ")");
  for (size_t i = 3; i < p.size(); ++i) {
    const std::string_view option = p[i];
    if (option.starts_with('s') && !ParseNumber(option.substr(1), 1, kMaxScale, &f.module))
      return SkipCommand("b");
    if (option.starts_with('e')) {
      if (option.size() != 2 || std::string_view("LMQH").find(option[1]) == std::string_view::npos)
        return SkipCommand("b");
      f.error_level = option[1];
    }
  }
  f.data = std::string(data);
  AddField(std::move(f));
  return true;
}

// X<left>,<top>,<thickness>,<right>,<bottom>.
bool LabelComposer::TakeVrleBox(std::string_view params) {
  const auto p = SplitParams(params);
  BoxField f;
  int right = 0, bottom = 0;
  if (p.size() != 5 || !ParsePosition(p[0], p[1], &f.x, &f.y) ||
      !ParseNumber(p[2], 1, kMaxLabelSide, &f.thickness) ||
      !ParsePosition(p[3], p[4], &right, &bottom) || right <= f.x || bottom <= f.y)
    return SkipCommand("X");
  f.width = right - f.x;
  f.height = bottom - f.y;
  AddField(f);
  return true;
}

// LO, LW, LE<x>,<y>,<width>,<height>.
bool LabelComposer::TakeVrleLineField(StampMode mode, std::string_view params) {
  const auto p = SplitParams(params);
  BoxField f;
  f.mode = mode;
  if (p.size() != 4 || !ParsePosition(p[0], p[1], &f.x, &f.y) ||
      !ParseNumber(p[2], 1, kMaxLabelSide, &f.width) ||
      !ParseNumber(p[3], 1, kMaxLabelSide, &f.height))
    return SkipCommand(mode == StampMode::kBlack ? "LO" : mode == StampMode::kWhite ? "LW" : "LE");
  f.thickness = std::max(f.width, f.height);
  AddField(f);
  return true;
}

// GG<x>,<y>,"name".
bool LabelComposer::TakeVrleGraphic(std::string_view params, std::string_view data) {
  const auto p = SplitParams(params);
  GraphicField f;
  if (p.size() != 2 || !ParsePosition(p[0], p[1], &f.x, &f.y)) return SkipCommand("GG");
  f.name = std::string(data);
  AddField(std::move(f));
  return true;
}

}  // namespace vidodez::sim
