#pragma once
// Result codes compared by name, so a failure reads "NoSuchUsbPrinter" and
// not -2992.

#include <gtest/gtest.h>

#include <string>

#include "core/link/port_codes.h"

namespace vidodez::test {

inline std::string CodeText(int code) {
  return std::string(PortCodeName(code)) + " (" + std::to_string(code) + ")";
}

inline ::testing::AssertionResult CodeEq(const char* expected_expr, const char* actual_expr,
                                         int expected, int actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual_expr << " is " << CodeText(actual) << ", expected "
                                       << expected_expr << " = " << CodeText(expected);
}

}  // namespace vidodez::test

#define EXPECT_CODE(expected, actual) \
  EXPECT_PRED_FORMAT2(::vidodez::test::CodeEq, expected, actual)
#define ASSERT_CODE(expected, actual) \
  ASSERT_PRED_FORMAT2(::vidodez::test::CodeEq, expected, actual)
