#pragma once
// The measuring units of the program, in one table: their names in both
// languages, their words on the command line and their size against the
// inch. The settings and system pages offer dots, inches and millimetres
// (indexes 0-2); the picture dialog offers the same units and centimetres.
// Arithmetic is single precision, as the printers' own tools compute it, so
// displayed values match theirs.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/shell/texts.h"

namespace vidodez {

inline constexpr int kUnitDots = 0;
inline constexpr int kUnitInches = 1;
inline constexpr int kUnitMillimetres = 2;
inline constexpr int kUnitCentimetres = 3;  // the picture dialog's only

inline constexpr float kMillimetresPerInch = 25.4f;
inline constexpr float kCentimetresPerInch = 2.54f;

struct UnitInfo {
  Text name;          // "Dot" / "像素点": the settings and system pages
  Text picture_name;  // "Dot" / "点(Dot)": the picture dialog's list
  const char* word;   // "dot": the command line's --unit and length suffix
};

// A unit's row; an unknown index reads dots.
const UnitInfo& UnitOf(int unit);

// The units of the settings and system pages, in their lists' order.
inline constexpr std::array<int, 3> kPageUnits{kUnitDots, kUnitInches, kUnitMillimetres};
// The picture dialog's unit list, in its order.
inline constexpr std::array<int, 4> kPictureUnits{kUnitDots, kUnitInches, kUnitCentimetres,
                                                  kUnitMillimetres};

// The unit a page starts in for the program's language: millimetres in
// Chinese, dots in English; -1 for any other code (the unit stays).
int StartUnitForLanguage(std::string_view language);

// "2" 203, "3" 300, "6" 600 dots per inch; any other code counts as 203.
int DpiForResolution(std::string_view resolution_code);
// The code of 203, 300 or 600 dots per inch; empty for any other.
std::string_view ResolutionCodeForDpi(int dpi);

// "Dot", "Inch", "mm" (Chinese "像素点", "英寸", "毫米"); an unknown index
// names dots.
const char* UnitName(int unit, std::string_view language);
// The unit among `offered` whose command-line word is `word`; -1 for none.
int UnitFromWord(std::string_view word, std::span<const int> offered);
// A number followed by a page unit's name ("1.00mm", "8dot", "3.94 Inch"; the
// English names in any case, the Chinese ones as written): true with the
// number and the unit apart. False when nothing follows the number or no
// number comes first; the unit is -1 when what follows names no unit.
bool SplitUnitSuffix(std::string_view text, std::string_view* number, int* unit);

// A value in `unit` as whole dots, rounded half away from zero: "%.0f".
std::string UnitToDots(float value, std::string_view resolution_code, int unit);
// Dots shown in `unit`: "%.0f" dots, "%.3f" inches (a zero reads "0"),
// "%.2f" millimetres.
std::string DotsToUnit(float dots, std::string_view resolution_code, int unit);
// A value from one unit to another, for whole-number boxes: millimetres and
// dots "%.0f", inches "%.2f" (dots to inches "%.3f"); a zero in inches
// reads "0".
std::string ConvertUnit(float value, std::string_view resolution_code, int from_unit, int to_unit);
// As ConvertUnit, but millimetres keep two decimals.
std::string ConvertUnitFine(float value, std::string_view resolution_code, int from_unit,
                            int to_unit);

// True when a formatted number is zero ("0", "0.000", "-0.00").
bool ReadsAsZero(std::string_view text);

}  // namespace vidodez
