#pragma once
// Result codes compared by name, so a failure reads "NoSuchUsbPrinter" and
// not -2992.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/config/config_codes.h"
#include "core/firmware/firmware_codes.h"
#include "core/font/font_codes.h"
#include "core/graphic/graphic_codes.h"
#include "core/link/port_codes.h"
#include "core/network/network_codes.h"
#include "core/shell/shell_codes.h"

namespace vidodez::test {

// The code's name in whichever subsystem owns it (0 reads "PortOk").
inline std::string CodeText(int code) {
  const char* name = "Unknown";
  for (auto name_of : {PortCodeName, ShellCodeName, ConfigCodeName, GraphicCodeName,
                       FontCodeName, FirmwareCodeName, NetworkCodeName}) {
    name = name_of(code);
    if (std::strcmp(name, "Unknown") != 0) break;
  }
  return std::string(name) + " (" + std::to_string(code) + ")";
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
