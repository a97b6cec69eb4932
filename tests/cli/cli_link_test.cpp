// vidodez-cli against a vidodez-printer-sim process, as a script would use them.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/process.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::RunResult;
using test::SimProcess;

class CliLink : public ::testing::Test {
 protected:
  RunResult Cli(std::vector<std::string> args, std::vector<std::string> env = {}) {
    args.insert(args.begin(), test::BinDir() + "/vidodez-cli");
    std::vector<std::string> full{"VIDODEZ_SIM_BUS=" + bus_.path(),
                                  "VIDODEZ_APPDATA=" + appdata_.path(), "LC_ALL=C"};
    full.insert(full.end(), env.begin(), env.end());
    return test::Run(args, full);
  }
  std::vector<std::string> Printer(int port, std::vector<std::string> more = {}) {
    std::vector<std::string> args{"--bus", bus_.path(), "--port-number", std::to_string(port)};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  // Waits for the bus to list `count` printers.
  bool WaitForPrinters(size_t count) {
    for (int i = 0; i < 200; ++i) {
      std::string out = Cli({"list"}).out;
      size_t lines = static_cast<size_t>(std::count(out.begin(), out.end(), '\n'));
      if (lines == count) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
  }

  test::TempDir bus_;
  test::TempDir appdata_;
  test::TempDir files_;
};

TEST_F(CliLink, ListStatusSendAndQueryAPrinter) {
  std::string wire = files_.File("wire");
  SimProcess sim(Printer(3, {"--wire-log", wire}));
  ASSERT_TRUE(sim.ready());

  RunResult list = Cli({"list"});
  EXPECT_EQ(list.exit_code, 0);
  EXPECT_EQ(list.out, "USB03 [MarliXPrinters VT-4100]\n");

  EXPECT_EQ(Cli({"status"}).out, "READY\n");
  EXPECT_EQ(Cli({"--lang", "chi", "status"}).out, "就绪\n");

  EXPECT_EQ(Cli({"send", "#HF>ST"}).exit_code, 0);
  EXPECT_EQ(test::Escaped(test::ReadFileBytes(wire)), test::Escaped("#HF>ST\r\n"));

  RunResult query = Cli({"query", "^G1"});
  EXPECT_EQ(query.exit_code, 0) << query.err;
  ASSERT_GE(query.out.size(), 6u);
  EXPECT_EQ(query.out.substr(0, 2), "S*");
  EXPECT_EQ(query.out.substr(query.out.size() - 4), "*E\r\n");
  // The program's read and the query each got one answer; nothing is left over.
  EXPECT_EQ(Cli({"query", "^G1"}).out, query.out);
}

TEST_F(CliLink, LanguageComesFromTheLocaleWithoutLang) {
  SimProcess sim(Printer(1));
  ASSERT_TRUE(sim.ready());
  RunResult chinese = Cli({"status"}, {"LC_ALL=", "LANG=zh_CN.UTF-8"});
  EXPECT_EQ(chinese.out, "就绪\n");
  RunResult english = Cli({"status"}, {"LC_ALL=", "LANG=de_DE.UTF-8"});
  EXPECT_EQ(english.out, "READY\n");
}

TEST_F(CliLink, LanguageOfSysIniWinsOverTheLocaleAndIsNeverWritten) {
  SimProcess sim(Printer(1));
  ASSERT_TRUE(sim.ready());
  std::string ini = appdata_.File("Marlix Vidodez 3.0/Sys.ini");
  EXPECT_EQ(Cli({"status"}, {"LC_ALL=zh_CN.UTF-8"}).out, "就绪\n");
  EXPECT_TRUE(test::ReadFileBytes(ini).empty());  // not created by the command line
  std::filesystem::create_directories(appdata_.File("Marlix Vidodez 3.0"));
  test::WriteFileBytes(ini, "[LanguageSetting]\r\nLanguageValue=eng\r\n");
  EXPECT_EQ(Cli({"status"}, {"LC_ALL=zh_CN.UTF-8"}).out, "READY\n");
  EXPECT_EQ(Cli({"--lang", "chi", "status"}).out, "就绪\n");
}

TEST_F(CliLink, PrinterIsChosenByPositionOrNameStart) {
  SimProcess first(Printer(1));
  SimProcess second(Printer(2, {"--status", "1"}));
  ASSERT_TRUE(first.ready() && second.ready());
  EXPECT_EQ(Cli({"status", "-p", "2"}).out, "GRAMMAR ERROR\n");
  EXPECT_EQ(Cli({"status", "-p", "USB02"}).out, "GRAMMAR ERROR\n");
  EXPECT_EQ(Cli({"status"}).out, "READY\n");
  RunResult none = Cli({"status", "-p", "USB07"});
  EXPECT_EQ(none.exit_code, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(Cli({"status", "-p", "3"}).exit_code, 1);
}

TEST_F(CliLink, FailuresExitOneWithTheirMessage) {
  RunResult no_printer = Cli({"status"});
  EXPECT_EQ(no_printer.exit_code, 1);
  EXPECT_EQ(no_printer.err, "No printer connected\n");
  EXPECT_EQ(Cli({"list"}).out, "");

  SimProcess silent(Printer(1, {"--reply-mode", "none"}));
  ASSERT_TRUE(silent.ready());
  RunResult query = Cli({"--lang", "eng", "query", "^G1"});
  EXPECT_EQ(query.exit_code, 1);
  EXPECT_EQ(query.out, "");
  EXPECT_NE(query.err.find("Identifying USB port Failed."), std::string::npos) << query.err;

  RunResult missing = Cli({"send-file", files_.File("missing.bin")});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("cannot be opened"), std::string::npos) << missing.err;
}

TEST_F(CliLink, UsageErrorsExitTwo) {
  EXPECT_EQ(Cli({}).exit_code, 2);
  EXPECT_EQ(Cli({"bogus"}).exit_code, 2);
  EXPECT_EQ(Cli({"query"}).exit_code, 2);
  EXPECT_EQ(Cli({"--lang", "fr", "list"}).exit_code, 2);
  EXPECT_EQ(Cli({"--help"}).exit_code, 0);
}

TEST_F(CliLink, FileArrivesByteForByte) {
  std::string wire = files_.File("wire");
  SimProcess sim(Printer(1, {"--wire-log", wire}));
  ASSERT_TRUE(sim.ready());
  std::string content;
  for (int i = 0; i < (1 << 20); ++i) content.push_back(static_cast<char>((i * 131) >> 3));
  test::WriteFileBytes(files_.File("f.bin"), content);
  RunResult sent = Cli({"send-file", files_.File("f.bin")});
  EXPECT_EQ(sent.exit_code, 0) << sent.err;
  EXPECT_TRUE(test::ReadFileBytes(wire) == content);

  // Watching reads the status while the file goes out, through the held device.
  RunResult watched = Cli({"send-file", "--watch", files_.File("f.bin")});
  EXPECT_EQ(watched.exit_code, 0) << watched.err;
  EXPECT_EQ(watched.err.substr(0, 6), "READY\n");
  EXPECT_EQ(test::ReadFileBytes(wire).size(), 2 * content.size());
}

TEST_F(CliLink, UnplugAndPlugBackBySignal) {
  SimProcess sim(Printer(1));
  ASSERT_TRUE(sim.ready());
  sim.Signal(SIGUSR1);
  EXPECT_TRUE(WaitForPrinters(0));
  sim.Signal(SIGUSR2);
  EXPECT_TRUE(WaitForPrinters(1));
  EXPECT_EQ(Cli({"status"}).out, "READY\n");
  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_EQ(Cli({"list"}).out, "");
}

}  // namespace
}  // namespace vidodez
