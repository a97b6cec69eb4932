// vidodez-cli against a vidodez-printer-sim process, as a script would use them.

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "cli_fixture.h"

namespace vidodez::test {
namespace {

class CliLink : public CliTest {
 protected:
  // Waits for the bus to list `count` printers.
  bool WaitForPrinters(size_t count) {
    for (int i = 0; i < 200; ++i) {
      std::string out = Cli({"list"}).out;
      if (static_cast<size_t>(std::count(out.begin(), out.end(), '\n')) == count) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
  }
};

TEST_F(CliLink, ListStatusSendAndQueryAPrinter) {
  SimProcess sim(Sim({}, 3));
  ASSERT_TRUE(sim.ready());

  RunResult list = Cli({"list"});
  EXPECT_EQ(list.exit_code, 0);
  EXPECT_EQ(list.out, "USB03 [MarliXPrinters VT-4100]\n");

  EXPECT_EQ(Cli({"status"}).out, "READY\n");
  EXPECT_EQ(Cli({"--lang", "chi", "status"}).out, "就绪\n");

  EXPECT_EQ(Cli({"send", "#HF>ST"}).exit_code, 0);
  EXPECT_EQ(Escaped(Wire(3)), Escaped("#HF>ST\r\n"));

  RunResult query = Cli({"query", "^G1"});
  EXPECT_EQ(query.exit_code, 0) << query.err;
  ASSERT_GE(query.out.size(), 6u);
  EXPECT_EQ(query.out.substr(0, 2), "S*");
  EXPECT_EQ(query.out.substr(query.out.size() - 4), "*E\r\n");
  // The program's read and the query each got one answer; nothing is left over.
  EXPECT_EQ(Cli({"query", "^G1"}).out, query.out);
}

TEST_F(CliLink, LanguageOfSysIniWinsOverTheLocaleAndIsNeverWritten) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  // An empty LC_ALL counts as unset.
  EXPECT_EQ(Cli({"status"}, {"LC_ALL=", "LANG=zh_CN.UTF-8"}).out, "就绪\n");
  EXPECT_EQ(Cli({"status"}, {"LC_ALL=", "LANG=de_DE.UTF-8"}).out, "READY\n");
  EXPECT_EQ(Cli({"status"}, {"LC_ALL=zh_CN.UTF-8"}).out, "就绪\n");
  std::string ini = appdata_.File("Marlix Vidodez 3.0/Sys.ini");
  EXPECT_TRUE(ReadFileBytes(ini).empty());  // not created by the command line
  std::filesystem::create_directories(appdata_.File("Marlix Vidodez 3.0"));
  WriteFileBytes(ini, "[LanguageSetting]\r\nLanguageValue=eng\r\n");
  EXPECT_EQ(Cli({"status"}, {"LC_ALL=zh_CN.UTF-8"}).out, "READY\n");
  EXPECT_EQ(Cli({"--lang", "chi", "status"}).out, "就绪\n");
}

TEST_F(CliLink, PrinterIsChosenByPositionOrNameStart) {
  SimProcess first(Sim());
  SimProcess second(Sim({"--status", "1"}, 2));
  ASSERT_TRUE(first.ready() && second.ready());
  EXPECT_EQ(Cli({"status", "-p", "2"}).out, "GRAMMAR ERROR\n");
  EXPECT_EQ(Cli({"status", "-p", "USB02"}).out, "GRAMMAR ERROR\n");
  EXPECT_EQ(Cli({"status"}).out, "READY\n");
  RunResult none = Cli({"status", "-p", "USB07"});
  EXPECT_EQ(none.exit_code, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(Cli({"status", "-p", "3"}).exit_code, 1);
}

TEST_F(CliLink, FailuresExitOneWithTheirMessageAndUsageErrorsTwo) {
  RunResult no_printer = Cli({"status"});
  EXPECT_EQ(no_printer.exit_code, 1);
  EXPECT_EQ(no_printer.err, "No printer connected\n");
  EXPECT_EQ(Cli({"list"}).out, "");
  for (std::vector<std::string> usage : {std::vector<std::string>{}, {"bogus"}, {"query"}, {"--lang", "fr", "list"}}) {
    EXPECT_EQ(Cli(usage).exit_code, 2) << (usage.empty() ? "" : usage[0]);
  }
  EXPECT_EQ(Cli({"--help"}).exit_code, 0);

  SimProcess silent(Sim({"--reply-mode", "none"}));
  ASSERT_TRUE(silent.ready());
  RunResult query = Cli({"--lang", "eng", "query", "^G1"});
  EXPECT_EQ(query.exit_code, 1);
  EXPECT_EQ(query.out, "");
  EXPECT_NE(query.err.find("Identifying USB port Failed."), std::string::npos) << query.err;

  RunResult missing = Cli({"send-file", files_.File("missing.bin")});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("cannot be opened"), std::string::npos) << missing.err;
}

TEST_F(CliLink, FileArrivesByteForByte) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  std::string content;
  for (int i = 0; i < (1 << 20); ++i) content.push_back(static_cast<char>((i * 131) >> 3));
  WriteFileBytes(files_.File("f.bin"), content);
  RunResult sent = Cli({"send-file", files_.File("f.bin")});
  EXPECT_EQ(sent.exit_code, 0) << sent.err;
  EXPECT_TRUE(Wire() == content);

  // Watching reads the status while the file goes out, through the held device.
  RunResult watched = Cli({"send-file", "--watch", files_.File("f.bin")});
  EXPECT_EQ(watched.exit_code, 0) << watched.err;
  EXPECT_EQ(watched.err.substr(0, 6), "READY\n");
  EXPECT_EQ(Wire().size(), 2 * content.size());
}

TEST_F(CliLink, UnplugAndPlugBackBySignal) {
  SimProcess sim(Sim());
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
}  // namespace vidodez::test
