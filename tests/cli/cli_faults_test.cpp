// vidodez-cli when the printer process misbehaves: it is killed while a reply
// is awaited, it answers near the end of the reply window, or another
// program holds it. Each ends in a message and exit 1, never a hang, and the
// printer is usable again afterwards.

#include <chrono>
#include <future>
#include <thread>

#include "cli_fixture.h"

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
  std::future<RunResult> CliInBackground(std::vector<std::string> args) {
    return std::async(std::launch::async, [this, args] { return Cli(args); });
  }
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

}  // namespace
}  // namespace vidodez::test
