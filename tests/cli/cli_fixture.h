#pragma once
// vidodez-cli run as a script runs it, against vidodez-printer-sim processes
// on a private bus, with a private application-data folder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez::test {

class CliTest : public ::testing::Test {
 protected:
  // `env` entries ("NAME=VALUE") replace the fixture's own.
  RunResult Cli(std::vector<std::string> args, const std::vector<std::string>& env = {}) {
    args.insert(args.begin(), BinDir() + "/vidodez-cli");
    std::vector<std::string> full{"VIDODEZ_SIM_BUS=" + bus_.path(), "VIDODEZ_APPDATA=" + appdata_.path(),
                                  "LC_ALL=C", "QT_QPA_PLATFORM=offscreen"};
    full.insert(full.end(), env.begin(), env.end());
    return test::Run(args, full);
  }
  // The arguments of a simulated printer on this bus whose bytes go to Wire(port).
  std::vector<std::string> Sim(std::vector<std::string> more = {}, int port = 1) const {
    std::vector<std::string> args{"--bus", bus_.path(), "--port-number", std::to_string(port),
                                  "--wire-log", WireLog(port)};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  std::string WireLog(int port = 1) const { return files_.File("wire" + std::to_string(port)); }
  std::string Wire(int port = 1) const { return ReadFileBytes(WireLog(port)); }

  TempDir bus_;
  TempDir appdata_;
  TempDir files_;
};

}  // namespace vidodez::test
