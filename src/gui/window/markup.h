#pragma once
// The program's inline text markup, turned into Qt rich text. Texts carry
// codes in braces ({f 2}, {b}, {c #FF0000}, {n}, {p}, {y 4}, {x 10},
// {i icon.png}, {a target}) and list items the same codes in angle brackets
// ("<x 6>", "<f 2>", "<i list_icon_a.png>", "<a target>"). Anything that is
// not a known code is shown as typed.

#include <QString>

namespace vidodez::gui {

// Pixel size and weight of the markup's numbered fonts; the skins' fonts use
// the same scale.
struct MarkupFont {
  int pixel_size;
  bool bold;
};
MarkupFont MarkupFontOf(int index);

QString MarkupToRichText(const QString& markup);

// Whether the markup shows exactly as its own plain text: no codes, nothing
// rich text would escape, and no blanks it would fold.
bool ReadsAsPlainText(const QString& markup);

}  // namespace vidodez::gui
