// The VRLZ (ZPL-like) commands of the label buffer: "^" or "~", a code of
// two letters, parameters.

#include <cctype>
#include <string>

#include "sim/label_composer.h"
#include "sim/label_params.h"
#include "sim/label_text.h"

namespace vidodez::sim {
namespace {

// A downloaded font named without a size.
constexpr int kDefaultEm = 30;

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// N, R, I, B: normal, turned a quarter right, upside down, a quarter left.
int TurnsOf(std::string_view orientation, int unset) {
  if (orientation.empty()) return unset;
  switch (std::toupper(static_cast<unsigned char>(orientation[0]))) {
    case 'R':
      return 1;
    case 'I':
      return 2;
    case 'B':
      return 3;
    case 'N':
      return 0;
    default:
      return -1;
  }
}

// "E:ARIAL.TTF" or "R:LOGO.PCX" is the object stored as ARIAL or LOGO.
std::string StoredName(std::string_view name) {
  if (name.size() >= 2 && name[1] == ':') name.remove_prefix(2);
  for (const char* extension : {".TTF", ".PCX", ".GRF", ".FNT"}) {
    if (name.size() > 4 && Upper(name.substr(name.size() - 4)) == extension) {
      name.remove_suffix(4);
      break;
    }
  }
  return std::string(name);
}

// An optional number: empty leaves `value` as it was.
bool Optional(const std::vector<std::string_view>& p, size_t i, int low, int high, int* value) {
  return i >= p.size() || p[i].empty() || ParseNumber(p[i], low, high, value);
}

}  // namespace

std::vector<std::string_view> SplitVrlzCommands(std::string_view line) {
  std::vector<std::string_view> commands;
  size_t at = line.find_first_of("^~");
  while (at != std::string_view::npos) {
    size_t end = std::string_view::npos;
    if (line[at] == '^' && Upper(line.substr(at + 1, 2)) == "FD") {
      for (size_t s = line.find('^', at + 3); s != std::string_view::npos;
           s = line.find('^', s + 1)) {
        if (Upper(line.substr(s + 1, 2)) == "FS") {
          end = s;
          break;
        }
      }
    } else {
      end = line.find_first_of("^~", at + 1);
    }
    commands.push_back(line.substr(at, end == std::string_view::npos ? end : end - at));
    at = end;
  }
  return commands;
}

void LabelComposer::TakeVrlzCommand(std::string_view command) {
  if (command.size() < 2) return;
  if (command[0] == '^' && std::toupper(static_cast<unsigned char>(command[1])) == 'A' &&
      command.size() >= 3 && command[2] != '@') {
    TakeVrlzFont(command);
    return;
  }
  const std::string code = Upper(command.substr(0, 3));
  const std::string_view rest = command.substr(std::min<size_t>(command.size(), 3));
  const auto p = SplitParams(rest);
  if (code == "^XA") {
    job_ = LabelJob{};
    field_ = VrlzField{};
  } else if (code == "^XZ") {
    EndVrlzField();
    Print(job_.copies);
  } else if (code == "^FO") {
    int x = 0, y = 0;
    if (!Optional(p, 0, 0, kMaxPosition, &x) || !Optional(p, 1, 0, kMaxPosition, &y)) {
      SkipCommand("^FO");
      return;
    }
    field_.x = home_x_ + x;
    field_.y = home_y_ + y;
  } else if (code == "^FD") {
    field_.data = std::string(rest);
    field_.has_data = true;
  } else if (code == "^FS") {
    EndVrlzField();
  } else if (code == "^GB") {
    // ^GB<width>,<height>,<thickness>[,<B|W>]: a box as thick as it is
    // wide or high is a line.
    BoxField f;
    int width = 1, height = 1;
    if (!Optional(p, 2, 1, kMaxLabelSide, &f.thickness) ||
        !Optional(p, 0, 1, kMaxLabelSide, &width) || !Optional(p, 1, 1, kMaxLabelSide, &height)) {
      SkipCommand("^GB");
      return;
    }
    f.x = field_.x;
    f.y = field_.y;
    f.width = std::max(width, f.thickness);
    f.height = std::max(height, f.thickness);
    if (p.size() > 3 && Upper(p[3]) == "W") f.mode = StampMode::kWhite;
    AddField(f);
  } else if (code == "^BY") {
    if (!Optional(p, 0, 1, kMaxScale, &bar_module_) ||
        !Optional(p, 2, 1, kMaxLabelSide, &bar_height_))
      SkipCommand("^BY");
  } else if (code == "^BC" || code == "^BQ") {
    // ^BC<o>,<height>,<Y|N text>...; ^BQ<o>,<model>,<magnification>.
    BarcodeField& f = field_.code;
    f = BarcodeField{};
    f.quarter_turns = TurnsOf(p[0], 0);
    f.module = bar_module_;
    f.height = bar_height_;
    bool ok = f.quarter_turns >= 0;
    if (code == "^BC") {
      ok = ok && Optional(p, 1, 1, kMaxLabelSide, &f.height);
      f.readable = p.size() < 3 || Upper(p[2]) != "N";
    } else {
      f.kind = BarcodeKind::kQr;
      f.module = 2;
      ok = ok && Optional(p, 2, 1, kMaxScale, &f.module);
    }
    if (!ok) {
      SkipCommand(code);
      return;
    }
    field_.barcode = true;
  } else if (code == "^XG") {
    // ^XG<device:name.ext>,<x scale>,<y scale>.
    GraphicField f;
    if (p[0].empty() || !Optional(p, 1, 1, kMaxScale, &f.scale_x) ||
        !Optional(p, 2, 1, kMaxScale, &f.scale_y)) {
      SkipCommand("^XG");
      return;
    }
    f.x = field_.x;
    f.y = field_.y;
    f.name = StoredName(p[0]);
    AddField(std::move(f));
  } else if (code == "^CW") {
    // ^CW<ID>,<device:name.TTF>.
    if (p.size() != 2 || p[0].size() != 1 || p[1].empty()) {
      SkipCommand("^CW");
      return;
    }
    vrlz_fonts_[p[0][0]] = StoredName(p[1]);
  } else if (code == "^CI") {
    int number = 0;
    const int code_page = ParseNumber(p[0], 0, 99, &number) ? CodePageOfVrlzCharset(number) : 0;
    if (code_page == 0) {
      SkipCommand("^CI (" + PrintableName(rest) + ")");
      return;
    }
    vrlz_code_page_ = code_page;
  } else if (code == "^PW" || code == "^LL") {
    int size = 0;
    if (!ParseNumber(p[0], 1, kMaxLabelSide, &size)) {
      SkipCommand(code);
      return;
    }
    (code == "^PW" ? width_ : height_) = size;
  } else if (code == "^LH") {
    if (!Optional(p, 0, 0, kMaxPosition, &home_x_) || !Optional(p, 1, 0, kMaxPosition, &home_y_))
      SkipCommand("^LH");
  } else if (code == "^PQ") {
    if (!Optional(p, 0, 1, kMaxCopies, &job_.copies)) SkipCommand("^PQ");
  } else if (code == "^CF") {
    // ^CF<font>,<height>,<width>: the font of fields that name none.
    if (p[0].size() != 1 || !Optional(p, 1, 1, kMaxLabelSide, &vrlz_font_height_) ||
        !Optional(p, 2, 1, kMaxLabelSide, &vrlz_font_width_)) {
      SkipCommand("^CF");
      return;
    }
    vrlz_font_ = static_cast<char>(std::toupper(static_cast<unsigned char>(p[0][0])));
  } else if (code != "^FX" && code != "~SD") {
    SkipCommand(code);
  }
}

// ^A<font><orientation>,<height>,<width>.
void LabelComposer::TakeVrlzFont(std::string_view command) {
  const auto p = SplitParams(command.substr(3));
  VrlzField& f = field_;
  f.font = static_cast<char>(std::toupper(static_cast<unsigned char>(command[2])));
  f.quarter_turns = TurnsOf(p[0], 0);
  f.height = 0;
  f.width = 0;
  if (f.quarter_turns < 0 || !Optional(p, 1, 1, kMaxLabelSide, &f.height) ||
      !Optional(p, 2, 1, kMaxLabelSide, &f.width)) {
    f.font = '\0';
    f.quarter_turns = 0;
    SkipCommand("^A");
  }
}

void LabelComposer::EndVrlzField() {
  if (field_.has_data) {
    if (field_.barcode) {
      BarcodeField code = field_.code;
      code.x = field_.x;
      code.y = field_.y;
      code.data = field_.data;
      // A QR field's data begins with its error level and input mode:
      // "QA,data", "HM,data".
      if (code.kind == BarcodeKind::kQr && code.data.size() >= 3 && code.data[2] == ',') {
        if (std::string_view("LMQH").find(code.data[0]) != std::string_view::npos)
          code.error_level = code.data[0];
        code.data.erase(0, 3);
      }
      AddField(std::move(code));
    } else {
      TakeVrlzText();
    }
  }
  field_ = VrlzField{};
  field_.x = home_x_;
  field_.y = home_y_;
}

void LabelComposer::TakeVrlzText() {
  const bool own_font = field_.font != '\0';
  const char font = own_font ? field_.font : vrlz_font_;
  int height = own_font ? field_.height : vrlz_font_height_;
  int width = own_font ? field_.width : vrlz_font_width_;
  TextField f;
  f.x = field_.x;
  f.y = field_.y;
  f.quarter_turns = field_.quarter_turns;
  f.font_id = font;
  if (auto assigned = vrlz_fonts_.find(font); assigned != vrlz_fonts_.end()) {
    f.font_name = assigned->second;
    f.height = height > 0 ? height : width > 0 ? width : kDefaultEm * dpi_ / 203;
    f.width = width > 0 ? width : f.height;
  } else if (auto cell = ResidentFontCell(FontCommandType::VRLZ, font, dpi_)) {
    // One size given: the other keeps the cell's proportions.
    f.height = height > 0 ? height : width > 0 ? width * cell->height / cell->width : cell->height;
    f.width = width > 0 ? width : height > 0 ? height * cell->width / cell->height : cell->width;
  } else {
    SkipCommand("^A (font " + PrintableName(std::string_view(&font, 1)) + ": none assigned)");
    return;
  }
  f.text = DecodeLabelText(field_.data, vrlz_code_page_);
  AddField(std::move(f));
}

}  // namespace vidodez::sim
