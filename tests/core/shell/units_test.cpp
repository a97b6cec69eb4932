#include "core/shell/units.h"

#include <gtest/gtest.h>

namespace vidodez {
namespace {

TEST(Units, ConversionsGiveTheTextsThePageShows) {
  struct Case {
    std::string got;
    const char* want;
  } cases[] = {
      {DotsToUnit(406, "2", kUnitInches), "2.000"},
      {DotsToUnit(0, "2", kUnitInches), "0"},
      {DotsToUnit(0.1f, "2", kUnitInches), "0"},          // "0.000" reads as zero
      {DotsToUnit(203, "9", kUnitMillimetres), "25.40"},  // unknown code: 203 dpi
      {DotsToUnit(12.5f, "2", kUnitDots), "12"},
      {ConvertUnit(0, "3", kUnitMillimetres, kUnitInches), "0"},
      {ConvertUnitFine(25.4f, "3", kUnitMillimetres, kUnitMillimetres), "25.40"},
      {ConvertUnit(25.4f, "3", kUnitMillimetres, kUnitMillimetres), "25"},
      {ConvertUnit(150, "3", kUnitDots, kUnitInches), "0.500"},
      {ConvertUnit(150, "3", kUnitDots, kUnitMillimetres), "13"},
      {ConvertUnitFine(150, "3", kUnitDots, kUnitMillimetres), "12.70"},
      {ConvertUnit(1, "6", kUnitInches, kUnitDots), "600"},
      {ConvertUnit(1, "6", kUnitInches, kUnitMillimetres), "25"},
      {ConvertUnit(0.001f, "6", kUnitInches, kUnitInches), "0"},
      {ConvertUnit(25.4f, "2", kUnitMillimetres, kUnitDots), "203"},
      {UnitToDots(1, "6", kUnitInches), "600"},
      {UnitToDots(2, "3", kUnitInches), "600"},
      {UnitToDots(1, "2", kUnitMillimetres), "8"},  // 7.99 rounds up
      {UnitToDots(2.5f, "2", kUnitDots), "3"},      // halves away from zero
      {UnitToDots(-2.5f, "2", kUnitDots), "-3"},
      {UnitToDots(-0.3f, "2", kUnitDots), "0"},  // never "-0"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(c.want, c.got);
  }
}

// One table serves the pages, the picture dialog and the command line: a
// name, word or list that drifted from it would pick another unit.
TEST(Units, NamesWordsAndListsComeFromTheOneTable) {
  for (int unit : kPageUnits) {
    SCOPED_TRACE(unit);
    EXPECT_EQ(unit, UnitFromWord(UnitOf(unit).word, kPageUnits));
  }
  EXPECT_STREQ("毫米", UnitName(kUnitMillimetres, "chi"));
  EXPECT_STREQ("Inch", UnitName(kUnitInches, "fr"));
  EXPECT_EQ(kUnitCentimetres, UnitFromWord("cm", kPictureUnits));
  EXPECT_EQ(-1, UnitFromWord("cm", kPageUnits));
  EXPECT_EQ(-1, UnitFromWord("Dot", kPictureUnits));
  std::string picture_list;
  for (int unit : kPictureUnits)
    picture_list += std::string(Pick(UnitOf(unit).picture_name, "chi")) + ",";
  EXPECT_EQ("点(Dot),英寸,厘米,毫米,", picture_list);
  EXPECT_EQ(kUnitMillimetres, StartUnitForLanguage("chi"));
  EXPECT_EQ(kUnitDots, StartUnitForLanguage("eng"));
  EXPECT_EQ(-1, StartUnitForLanguage("fr"));
}

}  // namespace
}  // namespace vidodez
