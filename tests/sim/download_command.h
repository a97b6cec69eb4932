#pragma once
// The font download command the builder makes, whole, for the tests that
// send it to a simulated printer.

#include <string>
#include <string_view>

#include "core/font/font_codes.h"
#include "core/font/font_download_command.h"
#include "support/expect_code.h"

namespace vidodez::sim {

inline std::string DownloadCommandText(const FontDownloadJob& job) {
  std::string command;
  EXPECT_CODE(kFontOk, BuildFontDownloadCommand(job, [&command](std::string_view piece) {
                command.append(piece);
                return 0;
              }));
  return command;
}

}  // namespace vidodez::sim
