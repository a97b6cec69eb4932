#pragma once
// A label as the printer composes it from the commands of either language,
// before it is drawn: its fields in the order they came, and what it could
// not understand.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/label_bitmap.h"

namespace vidodez::sim {

struct TextField {
  int x = 0;
  int y = 0;
  int quarter_turns = 0;
  bool reverse = false;  // white on black
  // A downloaded font by the name it was stored under; empty: the resident
  // face in cells of `width` by `height`.
  std::string font_name;
  // The font ID the field named, for messages about it.
  char font_id = '\0';
  int width = 0;  // downloaded: the em's width; resident: the cell's
  int height = 0;
  std::u32string text;
};

// Lines are boxes whose thickness fills them.
struct BoxField {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int thickness = 1;
  StampMode mode = StampMode::kBlack;
};

struct GraphicField {
  int x = 0;
  int y = 0;
  std::string name;  // as stored by "GM"
  int scale_x = 1;
  int scale_y = 1;
};

enum class BarcodeKind { kCode128, kQr };

struct BarcodeField {
  BarcodeKind kind = BarcodeKind::kCode128;
  int x = 0;
  int y = 0;
  int quarter_turns = 0;
  int module = 2;          // the narrowest bar, or a QR module's side, in dots
  int height = 50;         // Code 128's bars
  bool readable = true;    // Code 128's text under the bars
  char error_level = 'M';  // QR: L, M, Q or H
  std::string data;
};

using LabelField = std::variant<TextField, BoxField, GraphicField, BarcodeField>;

// Far more fields than any label has; a file that is no label stops there
// rather than taking the printer minutes to draw.
inline constexpr size_t kMaxLabelFields = 2000;

// Skipped commands a label names; "..." stands for the rest.
inline constexpr size_t kMaxSkippedNames = 16;

// Adds what a label skipped unless it is already named or the list is full.
void AddSkipped(std::vector<std::string>* skipped, const std::string& name);

struct LabelJob {
  // 0: the printer's label size.
  int width = 0;
  int height = 0;
  std::vector<LabelField> fields;
  // Each command the printer skipped, once, in the order met.
  std::vector<std::string> skipped;
  bool from_form = false;  // a stored form was recalled into it
  int copies = 1;

  // Records a skipped command (AddSkipped).
  void Skip(const std::string& name) { AddSkipped(&skipped, name); }
};

// A name as the output line shows it: printable ASCII as it is, every other
// byte (and the backslash) as \xNN.
std::string PrintableName(std::string_view bytes);

// What the file name says the label was: "form", "font-test" (text in a
// downloaded font), "graphic" (stored graphics only) or "label".
const char* LabelKind(const LabelJob& job);

}  // namespace vidodez::sim
