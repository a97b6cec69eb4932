#include "core/config/model_list.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::TempDir;
using test::WriteFileBytes;

TEST(ModelList, LineEndsAndBlankLinesNeverDecide) {
  TempDir dir;
  std::string path = dir.File("MARLIX.dat");
  WriteFileBytes(path, "VT-4100\r\n\r\n   \nvt-6300\nVT-4200");
  struct Case {
    const char* model;
    int want;
  } cases[] = {
      {" VT-4100", kModelListed},  // a line with CR LF still matches
      {" vt-4200", kModelListed},    {" VT-6300 Plus", kModelListed},
      {" VT-2100", kModelNotListed},  // the blank lines match nothing
      {"", kModelNotListed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.model);
    EXPECT_EQ(c.want, FindModelInSupportList(path, c.model));
  }
  EXPECT_EQ(kModelListUnreadable, FindModelInSupportList(dir.File("none"), "VT-4100"));
}

TEST(ModelList, ShippedListKnowsTheSimulatedPrinters) {
  std::string path = std::string(VIDODEZ_SOURCE_DIR) + "/data/MARLIX.dat";
  EXPECT_EQ(kModelListed, FindModelInSupportList(path, " VT-4100"));
  EXPECT_EQ(kModelNotListed, FindModelInSupportList(path, " VT-2100"));
}

}  // namespace
}  // namespace vidodez
