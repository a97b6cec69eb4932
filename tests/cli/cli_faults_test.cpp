// vidodez-cli when the printer process misbehaves: it is killed while a reply
// is awaited, it answers near the end of the reply window, or another
// program holds it. Each ends in a message and exit 1, never a hang, and the
// printer is usable again afterwards.

#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "cli_fixture.h"
#include "support/firmware_image.h"

namespace vidodez::test {
namespace {

using namespace std::chrono_literals;

class CliFaults : public CliTest {
 protected:
  // Waits until the simulated printer's wire log holds `bytes` bytes.
  bool WaitForWire(size_t bytes) {
    for (int i = 0; i < 2000; ++i) {
      if (Wire().size() >= bytes) return true;
      std::this_thread::sleep_for(5ms);
    }
    return false;
  }
  std::future<RunResult> CliInBackground(const std::vector<std::string>& args) {
    return std::async(std::launch::async, [this, args] { return Cli(args); });
  }
#ifndef _WIN32
  // The same, `pid` set once it runs.
  std::future<RunResult> CliInBackground(std::vector<std::string> args, std::atomic<pid_t>* pid) {
    args.insert(args.begin(), BinDir() + "/vidodez-cli");
    return std::async(std::launch::async,
                      [this, args, pid] { return test::Run(args, Env({}), 30000, pid); });
  }
#endif
};

// The reply window is 2000 ms from the command: a reply 100 ms inside it is
// read, one 100 ms past it is told as no reply. A machine busy with other
// tests can make the simulator answer late, so the early reply has three
// tries; a window cut short fails all three, while no delay makes the late
// reply read.
TEST_F(CliFaults, ReplyJustInsideTheWindowIsReadAndJustPastItIsNot) {
  {
    SimProcess slow(Sim({"--reply-delay", "1900"}));
    ASSERT_TRUE(slow.ready());
    RunResult query;
    for (int attempt = 0; attempt < 3 && query.exit_code != 0; ++attempt) {
      query = Cli({"query", "^G1"});
    }
    EXPECT_EQ(query.exit_code, 0) << query.err;
    EXPECT_EQ(query.out.substr(0, 2), "S*");
  }
  SimProcess slower(Sim({"--reply-delay", "2100"}));
  ASSERT_TRUE(slower.ready());
  RunResult query = Cli({"--lang", "eng", "query", "^G1"});
  EXPECT_EQ(query.exit_code, 1);
  EXPECT_EQ(query.out, "");
  EXPECT_NE(query.err.find("Identifying USB port Failed."), std::string::npos) << query.err;
}

// The printer's process dies while a reply is awaited: the command ends with
// the unplug as its cause, and a printer started again on that port answers.
TEST_F(CliFaults, PrinterKilledWhileAReplyIsAwaited) {
  std::future<RunResult> query;
  {
    SimProcess sim(Sim({"--reply-delay", "1500"}));
    ASSERT_TRUE(sim.ready());
    query = CliInBackground({"--lang", "eng", "query", "^G1"});
    ASSERT_TRUE(WaitForWire(5));
    sim.Kill();
    sim.Stop();
  }
  ASSERT_EQ(query.wait_for(20s), std::future_status::ready) << "the command hangs";
  RunResult failed = query.get();
  EXPECT_EQ(failed.exit_code, 1);
  EXPECT_EQ(failed.out, "");
  EXPECT_NE(failed.err.find("unplugged"), std::string::npos) << failed.err;

  SimProcess again(Sim());
  ASSERT_TRUE(again.ready());
  RunResult query_again = Cli({"query", "^G1"});
  EXPECT_EQ(query_again.exit_code, 0) << query_again.err;
}

// One vidodez-cli sends a file to a slow printer while another asks it
// something: the second is refused at once as busy, the send is not
// disturbed, and the printer answers once the send has ended.
TEST_F(CliFaults, SecondProgramIsToldThePrinterIsInUse) {
  SimProcess sim(Sim({"--write-rate", "131072"}));
  ASSERT_TRUE(sim.ready());
  const std::string content(512 * 1024, 'b');
  WriteFileBytes(files_.File("f.bin"), content);
  std::future<RunResult> send = CliInBackground({"send-file", files_.File("f.bin")});
  ASSERT_TRUE(WaitForWire(1));

  RunResult busy = Cli({"--lang", "eng", "query", "^G1"});
  EXPECT_EQ(busy.exit_code, 1);
  EXPECT_NE(busy.err.find("in use by another program"), std::string::npos) << busy.err;

  RunResult sent = send.get();
  EXPECT_EQ(sent.exit_code, 0) << sent.err;
  EXPECT_TRUE(Wire() == content);
  EXPECT_EQ(Cli({"query", "^G1"}).exit_code, 0);
}

// A printer answering 2.5 s after each command: the "G0" the first command
// gave up on arrives inside the second's reply window. Its Wi-Fi addresses
// must not go back to the printer as the wired ones.
TEST_F(CliFaults, LateReplyOfAnEarlierCommandIsNeverSentBack) {
  SimProcess slow(Sim({"--reply-delay", "2500"}));
  ASSERT_TRUE(slow.ready());
  EXPECT_EQ(Cli({"query", "G0"}).exit_code, 1);
  RunResult set = Cli({"settings", "set", "Darkness=5", "--yes"});
  EXPECT_EQ(set.exit_code, 1) << set.err;
  EXPECT_EQ(Wire().find("#PS>S"), std::string::npos) << Wire();
}

// Ctrl-C in the middle of a graphic left the printer waiting for the rest of
// the announced bytes, and every later query failed: the signal waits until
// they are out, then ends the program.
TEST_F(CliFaults, SignalDuringAGraphicWaitsForItsAnnouncedBytes) {
#ifdef _WIN32
  GTEST_SKIP() << "signals sent to another program are Linux's";
#else
  SimProcess slow(Sim({"--write-rate", "200000"}));
  ASSERT_TRUE(slow.ready());
  const std::string pcx = OneBitPcx(4000, 200);
  WriteFileBytes(files_.File("BIG.pcx"), pcx);
  std::atomic<pid_t> pid{0};
  std::future<RunResult> store = CliInBackground(
      {"--lang", "eng", "graphic", "store", files_.File("BIG.pcx"), "--id", "BIG"}, &pid);
  ASSERT_TRUE(WaitForWire(20000));
  ASSERT_TRUE(SignalWhenStarted(pid, SIGINT));
  RunResult stored = store.get();
  EXPECT_EQ(stored.exit_code, 128 + SIGINT);
  EXPECT_NE(stored.err.find("Finishing the transfer"), std::string::npos) << stored.err;
  const std::string header = "GM\"BIG\"" + std::to_string(pcx.size()) + "\r\n";
  EXPECT_NE(Wire().find(header + pcx), std::string::npos) << "the graphic was cut";
  EXPECT_EQ(Cli({"query", "^G1"}).exit_code, 0);
#endif
}

// A second signal stops the transfer at once, and says what that leaves.
TEST_F(CliFaults, SecondSignalStopsTheTransferAndSaysThePrinterMayNeedARestart) {
#ifdef _WIN32
  GTEST_SKIP() << "signals sent to another program are Linux's";
#else
  SimProcess slow(Sim({"--write-rate", "100000"}));
  ASSERT_TRUE(slow.ready());
  const std::string image = FirmwareImage("", std::string(400000, 'x'));
  WriteFileBytes(files_.File("new.bin"), image);
  std::atomic<pid_t> pid{0};
  std::future<RunResult> upgrade = CliInBackground(
      {"--lang", "eng", "firmware", "upgrade", files_.File("new.bin"), "--yes"}, &pid);
  ASSERT_TRUE(WaitForWire(20000));
  ASSERT_TRUE(SignalWhenStarted(pid, SIGTERM));
  std::this_thread::sleep_for(200ms);
  ASSERT_TRUE(SignalWhenStarted(pid, SIGINT));
  RunResult stopped = upgrade.get();
  EXPECT_EQ(stopped.exit_code, 128 + SIGINT);
  EXPECT_NE(stopped.err.find("may need a restart"), std::string::npos) << stopped.err;
  EXPECT_LT(Wire().size(), image.size());
#endif
}

// A FIFO named like a registration held every listing until it was killed.
TEST_F(CliFaults, FifoInTheBusFolderDoesNotHoldTheListing) {
#ifdef _WIN32
  GTEST_SKIP() << "FIFOs in a folder are Linux's";
#else
  ASSERT_TRUE(StartSim());
  ASSERT_EQ(::mkfifo(bus_.File("FIFO.printer").c_str(), 0600), 0);
  RunResult list = test::Run({BinDir() + "/vidodez-cli", "list"}, Env({}), 8000);
  EXPECT_EQ(list.exit_code, 0) << list.err;
  EXPECT_EQ(list.out, "USB01 [MarliXPrinters VT-4100]\n");
#endif
}

// The simulator blocked before it was ready on a FIFO as its state file or
// wire log (deaf to SIGINT and SIGTERM), read a 200 MB state file whole and
// replaced it, and ran without a word where it could keep nothing. Each is
// refused at start, saying which file and why.
TEST_F(CliFaults, SimulatorRefusesFilesItCannotKeep) {
#ifdef _WIN32
  GTEST_SKIP() << "FIFOs in a folder and /dev/full are Linux's";
#else
  TempDir state, fifo_state, big_state;
  WriteFileBytes(files_.File("plain"), "");
  ASSERT_EQ(::mkfifo(files_.File("log.fifo").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(fifo_state.File("SIM0001.settings").c_str(), 0600), 0);
  WriteFileBytes(big_state.File("SIM0001.settings"), "");
  ASSERT_EQ(::truncate(big_state.File("SIM0001.settings").c_str(), 200 << 20), 0);
  struct Case {
    std::vector<std::string> args;
    const char* said;
  } cases[] = {
      {{"--state-dir", files_.File("none")}, "No such file or directory"},
      {{"--state-dir", files_.File("plain")}, "not a folder"},
      {{"--state-dir", fifo_state.path()}, "SIM0001.settings: not a regular file"},
      {{"--state-dir", big_state.path()}, "SIM0001.settings: larger than 65536 bytes"},
      {{"--wire-log", "/dev/full"}, "--wire-log /dev/full: not a regular file"},
      {{"--wire-log", files_.File("log.fifo")}, "log.fifo: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    std::vector<std::string> args{BinDir() + "/vidodez-printer-sim", "--bus", bus_.path()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult sim = test::Run(args, {}, 8000);
    EXPECT_EQ(sim.exit_code, 1) << sim.err;
    EXPECT_EQ(sim.out, "");
    EXPECT_NE(sim.err.find(c.said), std::string::npos) << sim.err;
  }
  EXPECT_EQ(test::FileNames(bus_.path()), std::vector<std::string>{});
  // A state folder it may keep starts as ever.
  SimProcess kept(Sim({"--state-dir", state.path()}));
  EXPECT_TRUE(kept.ready());
#endif
}

}  // namespace
}  // namespace vidodez::test
