// vidodez-cli against a vidodez-printer-sim process, as a script would use them.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "cli_fixture.h"
#include "core/platform/sim/sim_bus_backend.h"

namespace vidodez::test {
namespace {

#ifdef _WIN32
constexpr char kBytesInArguments[] =
    "a Windows program's arguments are text (UTF-16), so the simulator cannot be given the "
    "printer's own bytes (GBK, or none at all) on its command line";
#endif

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
  ASSERT_TRUE(StartSim({}, 3));
  ExpectRuns({{{"list"}, 0, "USB03 [MarliXPrinters VT-4100]\n"},
              {{"status"}, 0, "READY\n"},
              {{"--lang", "chi", "status"}, 0, "就绪\n"},
              {{"send", "#HF>ST"}, 0}});
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
  ASSERT_TRUE(StartSim());
  // An empty LC_ALL counts as unset.
  ExpectRuns({{{"status"}, 0, "就绪\n", "", {"LC_ALL=", "LANG=zh_CN.UTF-8"}},
              {{"status"}, 0, "READY\n", "", {"LC_ALL=", "LANG=de_DE.UTF-8"}},
              {{"status"}, 0, "就绪\n", "", {"LC_ALL=zh_CN.UTF-8"}}});
  std::string ini = appdata_.File("Marlix Vidodez 3.0/Sys.ini");
  EXPECT_TRUE(ReadFileBytes(ini).empty());  // not created by the command line
  std::filesystem::create_directories(appdata_.File("Marlix Vidodez 3.0"));
  WriteFileBytes(ini, "[LanguageSetting]\r\nLanguageValue=eng\r\n");
  ExpectRuns({{{"status"}, 0, "READY\n", "", {"LC_ALL=zh_CN.UTF-8"}},
              {{"--lang", "chi", "status"}, 0, "就绪\n"}});
}

TEST_F(CliLink, PrinterIsChosenByPositionOrNameStartAndFailuresExitOneUsageTwo) {
  ExpectRuns({{{"status"}, 1, "", "No printer connected\n"},
              {{"list"}, 0, ""},
              {{}, 2},
              {{"bogus"}, 2},
              {{"query"}, 2},
              {{"--lang", "fr", "list"}, 2},
              {{"--help"}, 0}});
  ASSERT_TRUE(StartSim());
  ASSERT_TRUE(StartSim({"--status", "1"}, 2));
  ASSERT_TRUE(StartSim({"--reply-mode", "none"}, 4));
  ExpectRuns(
      {{{"status", "-p", "2"}, 0, "GRAMMAR ERROR\n"},
       {{"status", "-p", "USB02"}, 0, "GRAMMAR ERROR\n"},
       {{"status"}, 0, "READY\n"},
       {{"status", "-p", "USB07"}, 1, ""},
       {{"status", "-p", "5"}, 1},
       {{"--lang", "eng", "query", "^G1", "-p", "USB04"}, 1, "", "Identifying USB port Failed."},
       {{"send-file", files_.File("missing.bin")}, 1, std::nullopt, "cannot be opened"}});
}

// "-p USB1" with USB01 and USB12 attached could mean either: a guess would
// reset the wrong printer. A whole name, a port part or a position decides.
TEST_F(CliLink, AmbiguousPrinterIsRefusedNamingTheMatches) {
  ASSERT_TRUE(StartSim());
  ASSERT_TRUE(StartSim({"--status", "1"}, 12));
  const std::string both = "  USB01 [MarliXPrinters VT-4100]\n  USB12 [MarliXPrinters VT-4100]";
  ExpectRuns({{{"--lang", "eng", "status", "-p", "USB1"}, 2, "", both},
              {{"--lang", "eng", "status", "-p", "USB"}, 2, "", both},
              {{"--lang", "eng", "factory-reset", "--yes", "-p", "USB1"}, 2, "", "More than one"},
              {{"status", "-p", "USB01"}, 0, "READY\n"},
              {{"status", "-p", "USB12"}, 0, "GRAMMAR ERROR\n"},
              {{"status", "-p", "USB12 [MarliXPrinters VT-4100]"}, 0, "GRAMMAR ERROR\n"},
              {{"status", "-p", "2"}, 0, "GRAMMAR ERROR\n"},
              {{"status", "-p", "USB0"}, 0, "READY\n"},
              {{"status", "-p", "USB3"}, 1, ""}});
  EXPECT_EQ(Wire(1), "");
}

// Catches bytes lost or changed on the way, a bar drawn into a script's
// stderr, and one missing on a terminal or not reaching the whole file.
// Watching reads the status while the file goes out, through the held device.
TEST_F(CliLink, SendFileArrivesWholeAndDrawsItsProgressOnATerminalOnly) {
  ASSERT_TRUE(StartSim());
  std::string content;
  for (int i = 0; i < (3 << 20); ++i) content.push_back(static_cast<char>((i * 131) >> 3));
  WriteFileBytes(files_.File("f.bin"), content);
  RunResult plain = Cli({"send-file", files_.File("f.bin")});
  EXPECT_EQ(plain.exit_code, 0) << plain.err;
  EXPECT_EQ(plain.err, "");
  EXPECT_TRUE(Wire() == content);

  RunResult watched = Cli({"send-file", "--watch", files_.File("f.bin")});
  EXPECT_EQ(watched.exit_code, 0) << watched.err;
  ASSERT_FALSE(watched.err.empty());
  for (size_t at = 0; at < watched.err.size(); at = watched.err.find('\n', at) + 1)
    EXPECT_EQ(watched.err.substr(at, 6), "READY\n") << watched.err;
  EXPECT_EQ(Wire().size(), 2 * content.size());

  if (std::string why = TerminalUnavailable(); !why.empty()) GTEST_SKIP() << why;
  RunResult shown = CliOnTerminal({"send-file", files_.File("f.bin")});
  EXPECT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_NE(shown.err.find("\r[##############################] 100%  Sent 3.0 MiB of 3.0 MiB"),
            std::string::npos)
      << shown.err;
  EXPECT_EQ(shown.err.substr(shown.err.size() - 2), "\r\n");
  EXPECT_EQ(Wire().size(), 3 * content.size());
}

// Printers report their names and values in their own bytes: JSON shows them
// as the window does, GBK decoded, a byte that is not GBK as U+FFFD.
TEST_F(CliLink, JsonDecodesPrinterBytesAndNamesBothPortNumbers) {
#ifdef _WIN32
  GTEST_SKIP() << kBytesInArguments;
#endif
  ASSERT_TRUE(StartSim({"--description", "MarliXPrinters \xd6\xd0\xce\xc4"}, 2));
  ASSERT_TRUE(StartSim({"--description", "\xff\xfe"}, 3));
  RunResult list = Cli({"list", "--json"});
  EXPECT_EQ(list.exit_code, 0) << list.err;
  EXPECT_EQ(list.out,
            "[\n"
            "  {\n    \"name\": \"USB02 [MarliXPrinters 中文]\",\n    \"model\": \"中文\",\n"
            "    \"usbPort\": 2,\n    \"portNumber\": 8\n  },\n"
            "  {\n    \"name\": \"USB03 [\xef\xbf\xbd\xef\xbf\xbd]\",\n"
            "    \"model\": \"[\xef\xbf\xbd\xef\xbf\xbd\",\n"
            "    \"usbPort\": 3,\n    \"portNumber\": 9\n  }\n"
            "]\n");
}

// Scripts read the status and a query's reply as JSON; a failure still
// writes nothing on stdout and exits 1.
TEST_F(CliLink, StatusAndQueryReportJson) {
#ifdef _WIN32
  GTEST_SKIP() << kBytesInArguments;
#endif
  ASSERT_TRUE(StartSim({"--list-reply", "\xd6\xd0"}, 2));
  ASSERT_TRUE(StartSim({"--status", "1", "--model", "VT-300"}, 3));
  RunResult status = Cli({"status", "-p", "USB03", "--json"});
  EXPECT_EQ(status.exit_code, 0) << status.err;
  EXPECT_EQ(status.out,
            "{\n  \"printer\": \"USB03 [MarliXPrinters VT-300]\",\n  \"model\": \"VT-300\",\n"
            "  \"status\": 1,\n  \"ready\": false,\n  \"message\": \"GRAMMAR ERROR\"\n}\n");
  EXPECT_NE(Cli({"--lang", "chi", "status", "--json"}).out.find("\"ready\": true"),
            std::string::npos);
  RunResult query = Cli({"query", "^S1", "--json"});
  EXPECT_EQ(query.exit_code, 0) << query.err;
  EXPECT_EQ(query.out,
            "{\n  \"printer\": \"USB02 [MarliXPrinters VT-4100]\",\n  \"command\": \"^S1\",\n"
            "  \"reply\": \"中\"\n}\n");
  ExpectRuns({{{"status", "-p", "USB09", "--json"}, 1, ""}});
}

// Output that never got out is a failure, whatever the command.
TEST_F(CliLink, OutputThatCannotBeWrittenFailsTheCommand) {
#ifdef _WIN32
  GTEST_SKIP() << "a full device (/dev/full) and a shell that closes stdout are Linux's";
#endif
  ASSERT_TRUE(StartSim());
  for (const char* redirect : {">/dev/full", ">&-"}) {
    for (std::vector<std::string> args : {std::vector<std::string>{"list"},
                                          {"list", "--json"},
                                          {"status"},
                                          {"query", "^G1"},
                                          {"settings", "get", "--json"},
                                          {"--help"}}) {
      SCOPED_TRACE(args[0] + " " + redirect);
      args.insert(args.begin(), {"/bin/sh", "-c", std::string("exec \"$@\" ") + redirect, "sh",
                                 BinDir() + "/vidodez-cli"});
      RunResult run = test::Run(args, {"VIDODEZ_SIM_BUS=" + bus_.path(),
                                       "VIDODEZ_APPDATA=" + appdata_.path(), "LC_ALL=C"});
      EXPECT_EQ(run.exit_code, 1);
      EXPECT_NE(run.err.find("The output could not be written: "), std::string::npos) << run.err;
    }
  }
}

// The operator's text goes out in GBK from every command that takes it, and
// text without a GBK form is refused before anything is sent.
TEST_F(CliLink, OperatorTextGoesOutInGbkFromEveryCommand) {
  ASSERT_TRUE(StartSim({"--reply-mode", "empty"}));
  for (const char* command : {"send", "query", "console"}) {
    SCOPED_TRACE(command);
    RunResult refused = Cli({command, "\xff"});
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_EQ(refused.err,
              "The text holds characters that the printer's character set (GBK) does not have.\n");
    (void)Cli({command, "中文"});
  }
  const std::string gbk = "\xd6\xd0\xce\xc4\r\n";
  EXPECT_EQ(Escaped(Wire()), Escaped(gbk + gbk + gbk));
}

// Another program holds the printer: every command says so in the
// program's language, never a code nor nothing at all (the maintenance
// actions used to exit 1 without a word), and sends nothing.
TEST_F(CliLink, BusyPrinterAndMissingStatusNameTheirCause) {
  ASSERT_TRUE(StartSim());
  platform::SimBusBackend usb(bus_.path());
  std::vector<platform::UsbPrinterInterface> interfaces;
  ASSERT_EQ(usb.Enumerate(&interfaces), 0);
  ASSERT_EQ(interfaces.size(), 1u);
  std::unique_ptr<platform::UsbDevice> held;
  ASSERT_EQ(usb.Open(interfaces[0], &held), 0);
  struct Case {
    std::vector<std::string> args;
    std::string first_line;
  } cases[] = {
      {{"query", "^G1"}, "Please check the port!"},
      {{"status"}, "The printer reports no status."},
      {{"--lang", "chi", "status"}, "打印机未返回状态。"},
      {{"test-page"}, "Please check the port!"},
      {{"calibrate"}, "Please check the port!"},
      {{"factory-reset", "--yes"}, "Please check the port!"},
      {{"clear-buffer", "--yes"}, "Please check the port!"},
      {{"--lang", "chi", "test-page"}, "请检查端口！"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    RunResult run = Cli(c.args);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.first_line);
    EXPECT_EQ(run.err.find("NoSuchUsbPrinter"), std::string::npos) << run.err;
    bool named = run.err.find("in use by another program") != std::string::npos ||
                 run.err.find("正被其他程序占用") != std::string::npos;
    EXPECT_TRUE(named) << run.err;
  }
  EXPECT_EQ(Wire(), "");
}

TEST_F(CliLink, UnplugAndPlugBackBySignal) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  sim.Unplug();
  EXPECT_TRUE(WaitForPrinters(0));
  sim.Plug();
  EXPECT_TRUE(WaitForPrinters(1));
  EXPECT_EQ(Cli({"status"}).out, "READY\n");
  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_EQ(Cli({"list"}).out, "");
}

}  // namespace
}  // namespace vidodez::test
