#pragma once
// vidodez-cli run as a script runs it, against vidodez-printer-sim processes
// on a private bus, with a private application-data folder.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez::test {

// One run of vidodez-cli and what it must give: the exit code, the whole of
// stdout when `out` is given, and a part of stderr when `err` is not empty.
struct CliRun {
  CliRun(std::vector<std::string> run_args, int code = 0,
         std::optional<std::string> whole_out = std::nullopt, std::string err_part = "",
         std::vector<std::string> run_env = {})
      : args(std::move(run_args)),
        exit_code(code),
        out(std::move(whole_out)),
        err(std::move(err_part)),
        env(std::move(run_env)) {}
  std::vector<std::string> args;
  int exit_code;
  std::optional<std::string> out;
  std::string err;
  std::vector<std::string> env;
};

// A 1-bit PCX of `width` (a multiple of 8) x `height` pixels, every byte a
// literal one.
inline std::string OneBitPcx(int width, int height) {
  std::string pcx(128, '\0');
  pcx[0] = 10, pcx[1] = 5, pcx[2] = 1, pcx[3] = 1, pcx[65] = 1;
  pcx[8] = char((width - 1) & 0xff), pcx[9] = char((width - 1) >> 8);
  pcx[10] = char((height - 1) & 0xff), pcx[11] = char((height - 1) >> 8);
  pcx[66] = char((width / 8) & 0xff), pcx[67] = char((width / 8) >> 8);
  return pcx + std::string(size_t(width / 8) * size_t(height), '\x55');
}

class CliTest : public ::testing::Test {
 protected:
  // Runs each in turn and checks what it gave.
  void ExpectRuns(const std::vector<CliRun>& runs) {
    for (const CliRun& run : runs) {
      SCOPED_TRACE(::testing::PrintToString(run.args));
      RunResult result = Cli(run.args, run.env);
      EXPECT_EQ(result.exit_code, run.exit_code) << result.err;
      if (run.out) {
        EXPECT_EQ(result.out, *run.out);
      }
      EXPECT_NE(result.err.find(run.err), std::string::npos) << result.err;
      // A script must be able to tell why a command failed.
      if (run.exit_code != 0) {
        EXPECT_FALSE(result.err.empty());
      }
    }
  }
  // Starts a simulated printer that lives as long as the test (see Sim);
  // false when it did not come up.
  bool StartSim(std::vector<std::string> more = {}, int port = 1) {
    sims_.push_back(std::make_unique<SimProcess>(Sim(std::move(more), port)));
    return sims_.back()->ready();
  }
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
  // CliOnTerminal where a test can read a terminal, else Cli; `on_terminal`
  // says which ran.
  RunResult CliOnTerminalIfAny(std::vector<std::string> args, bool* on_terminal) {
    *on_terminal = TerminalUnavailable().empty();
    return *on_terminal ? CliOnTerminal(std::move(args)) : Cli(std::move(args));
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
  std::vector<std::unique_ptr<SimProcess>> sims_;
};

}  // namespace vidodez::test
