#pragma once
// Result codes compared by name, so a failure reads "NoSuchUsbPrinter" and
// not -2992.

#include <gtest/gtest.h>

#include <string>

#include "support/code_tables.h"

namespace vidodez::test {

// The code's name in whichever subsystem owns it (0 reads "PortOk"); a
// negative code no table names is the link's short write.
inline std::string CodeText(int code) {
  const char* name = nullptr;
  for (const SubsystemCodes& subsystem : kSubsystemCodes) {
    if (name == nullptr) name = NameOfCode(subsystem.table(), code, nullptr);
  }
  if (name == nullptr) name = PortCodeName(code);
  return std::string(name) + " (" + std::to_string(code) + ")";
}

inline ::testing::AssertionResult CodeEq(const char* expected_expr, const char* actual_expr,
                                         int expected, int actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual_expr << " is " << CodeText(actual) << ", expected "
                                       << expected_expr << " = " << CodeText(expected);
}

}  // namespace vidodez::test

#define EXPECT_CODE(expected, actual) EXPECT_PRED_FORMAT2(::vidodez::test::CodeEq, expected, actual)
#define ASSERT_CODE(expected, actual) ASSERT_PRED_FORMAT2(::vidodez::test::CodeEq, expected, actual)
