#pragma once
// Measuring units of the settings page: dots, inches and millimetres, and the
// text the page shows for a value in each. Arithmetic is single precision, as
// the printers' own tools compute it, so displayed values match theirs.

#include <string>
#include <string_view>

namespace vidodez {

inline constexpr int kUnitDots = 0;
inline constexpr int kUnitInches = 1;
inline constexpr int kUnitMillimetres = 2;

// "2" 203, "3" 300, "6" 600 dots per inch; any other code counts as 203.
int DpiForResolution(std::string_view resolution_code);

// "Dot", "Inch", "mm" (Chinese "像素点", "英寸", "毫米"); an unknown index
// names dots.
const char* UnitName(int unit, std::string_view language);
// The index of a unit name in either language; any other name gives 0.
int UnitIndexFromName(std::string_view name);
// A number followed by a unit's name ("1.00mm", "8dot", "3.94 Inch"; the
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
