#pragma once
// The printer's label buffer: the commands of both languages compose
// labels, and a print command hands each one over. A job that never sends
// its print command prints nothing; the next "N" or "^XA" starts afresh.
//
// VRLE (EPL-like), one command a line: "N" clears, "A" text, "B" Code 128
// (type 1, 1A, 1B or 1C), "b" QR ("b x,y,Q,s<scale>,e<L|M|Q|H>,\"data\""),
// "LO"/"LW"/"LE" lines, "X" boxes, "GG" stored graphics, "FR" stored forms,
// "CF" assigns a downloaded font to a letter, "I8" chooses the code page,
// "q" and "Q" the label's size, "P" and "W" print; "H", "D", "S", "ZT",
// "ZB", "ZS" and "ZN" change nothing a picture shows. A text's data runs from
// its first double quote to the line's last, so quotes, carets and tildes
// print as they are.
//
// VRLZ (ZPL-like), commands anywhere in a line: "^XA" starts, "^XZ" prints,
// "^FO" places a field, "^A" and "^CF" choose fonts, "^FD" data up to "^FS"
// or the line's end, "^GB" boxes, "^BY", "^BC" and "^BQ" barcodes, "^XG"
// stored graphics, "^CW" assigns a downloaded font to an ID, "^CI" the code
// page, "^PW", "^LL", "^LH" and "^PQ" the label; "^FX" and "~SD" change
// nothing shown.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/label_job.h"
#include "sim/label_text.h"
#include "sim/stored_objects.h"

namespace vidodez::sim {

class LabelComposer {
 public:
  // Forms are recalled from `stored`, which must outlive the composer.
  LabelComposer(const StoredObjects& stored, int dpi) : stored_(stored), dpi_(dpi) {}
  // The resolution resident fonts are sized for.
  void set_dpi(int dpi) { dpi_ = dpi; }

  // A VRLE line; false, nothing changed, for a line that is no VRLE command.
  bool TakeVrleLine(std::string_view line);
  // One VRLZ command as SplitVrlzCommands cuts it.
  void TakeVrlzCommand(std::string_view command);
  // Names a line the printer did not understand on the label being composed.
  void SkipLine(std::string_view line);

  // The labels whose print command has come, oldest first; each once.
  std::vector<LabelJob> TakePrinted();

 private:
  struct VrlzField {
    int x = 0;
    int y = 0;
    char font = '\0';  // '\0': the default of "^CF"
    int quarter_turns = 0;
    int height = 0;
    int width = 0;
    bool barcode = false;
    BarcodeField code;
    bool has_data = false;
    std::string data;
  };

  bool TakeVrleText(std::string_view params, std::string_view data);
  bool TakeVrleBarcode(std::string_view params, std::string_view data);
  bool TakeVrleQr(std::string_view params, std::string_view data);
  bool TakeVrleBox(std::string_view params);
  bool TakeVrleLineField(StampMode mode, std::string_view params);
  bool TakeVrleGraphic(std::string_view params, std::string_view data);
  void RecallForm(const std::string& name);
  // Names a command the printer could not use; true (the line was taken), so
  // a VRLE handler can end with it.
  bool SkipCommand(std::string_view name);

  void TakeVrlzFont(std::string_view command);
  void EndVrlzField();
  void TakeVrlzText();

  void Print(int copies);
  // Adds a field to the label, or names it skipped past kMaxLabelFields.
  void AddField(LabelField field);

  const StoredObjects& stored_;
  int dpi_;
  LabelJob job_;
  std::vector<LabelJob> printed_;
  // A size a command gave, kept for the labels after it; 0: the printer's.
  int width_ = 0;
  int height_ = 0;
  std::map<char, std::string> vrle_fonts_;  // letter: the downloaded font's name
  std::map<char, std::string> vrlz_fonts_;
  int vrle_code_page_ = CodePageOfField("");
  int vrlz_code_page_ = CodePageOfVrlzCharset(0);
  int form_depth_ = 0;
  VrlzField field_;
  char vrlz_font_ = 'A';  // "^CF"
  int vrlz_font_height_ = 0;
  int vrlz_font_width_ = 0;
  int bar_module_ = 2;  // "^BY"
  int bar_height_ = 10;
  int home_x_ = 0;  // "^LH"
  int home_y_ = 0;
};

// A VRLZ line cut into its commands, each from its "^" or "~" to the next;
// "^FD" runs to its "^FS" or the line's end, so its data may hold carets.
// Bytes before the first command are left out.
std::vector<std::string_view> SplitVrlzCommands(std::string_view line);

}  // namespace vidodez::sim
