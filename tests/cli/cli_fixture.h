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
    return test::Run(args, Env(env));
  }
  // The same with stderr on a terminal.
  RunResult CliOnTerminal(std::vector<std::string> args) {
    args.insert(args.begin(), BinDir() + "/vidodez-cli");
    return test::RunOnTerminal(args, Env({}));
  }
  std::vector<std::string> Env(const std::vector<std::string>& more) const {
    std::vector<std::string> full{"VIDODEZ_SIM_BUS=" + bus_.path(),
                                  "VIDODEZ_APPDATA=" + appdata_.path(), "LC_ALL=C",
                                  "QT_QPA_PLATFORM=offscreen"};
    full.insert(full.end(), more.begin(), more.end());
    return full;
  }
  // The arguments of a simulated printer on this bus whose bytes go to Wire(port).
  std::vector<std::string> Sim(std::vector<std::string> more = {}, int port = 1) const {
    std::vector<std::string> args{"--bus",      bus_.path(),  "--port-number", std::to_string(port),
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
