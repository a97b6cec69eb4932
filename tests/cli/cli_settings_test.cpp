// The settings commands of vidodez-cli against a vidodez-printer-sim
// process, checked on the wire log byte for byte.

#include <sstream>

#include "cli_fixture.h"

namespace vidodez::test {
namespace {

using CliSettings = CliTest;

constexpr char kRead[] = "^G1\r\n\r\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// One send only: each waits out the printer's real nine seconds.
TEST_F(CliSettings, SetChangesOneFieldOfThePrintersLineAndFilesCarryIt) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  RunResult before = Cli({"settings", "get"});
  ASSERT_EQ(before.exit_code, 0) << before.err;
  RunResult set = Cli({"settings", "set", "Darkness=15"});
  ASSERT_EQ(set.exit_code, 0) << set.err;
  // The simulated printer's own settings, Darkness (field 3) changed.
  EXPECT_EQ(Escaped(Wire()),
            Escaped(std::string(kRead) + kRead +
                    "#PS>S*1*0*0*15*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
                    "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*"
                    "0100*0*12*12*1*E\r\n"));
  std::vector<std::string> expected = Lines(before.out);
  ASSERT_GT(expected.size(), 5u);
  EXPECT_EQ(expected[0], "FieldCount=41");
  EXPECT_EQ(expected[4], "Darkness=10");
  expected[4] = "Darkness=15";
  EXPECT_EQ(Lines(Cli({"settings", "get"}).out), expected);

  // save reads the printer afresh; load reads the file named and stops at a
  // missing entry before anything is sent.
  std::string ini = files_.File("x.ini");
  RunResult save = Cli({"settings", "save", ini});
  ASSERT_EQ(save.exit_code, 0) << save.err;
  std::string file = ReadFileBytes(ini);
  ASSERT_NE(file.find("[Darkness]\r\nDarkValue=15\r\n"), std::string::npos) << file;
  WriteFileBytes(ini, file.replace(file.find("DarkValue=15"), 12, "DarkValue="));
  size_t sent = Wire().size();
  RunResult load = Cli({"settings", "load", ini});
  EXPECT_EQ(load.exit_code, 1);
  EXPECT_NE(load.err.find("Failed getting .ini"), std::string::npos) << load.err;
  EXPECT_EQ(Escaped(Wire().substr(sent)), Escaped(kRead));
}

TEST_F(CliSettings, ClearBufferNeedsYesAndActionsGoOutAsGiven) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  RunResult refused = Cli({"clear-buffer"});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find("Are you sure to excute clearbuffer?"), std::string::npos);
  EXPECT_EQ(Wire(), "");
  RunResult cleared = Cli({"clear-buffer", "--yes"});
  EXPECT_EQ(cleared.exit_code, 0);
  EXPECT_EQ(cleared.err, "Reboot to take effect!\n");
  EXPECT_EQ(Cli({"calibrate"}).exit_code, 0);
  EXPECT_EQ(Cli({"test-page"}).exit_code, 0);
  EXPECT_EQ(Cli({"factory-reset"}).exit_code, 0);
  EXPECT_EQ(Escaped(Wire()), Escaped("^z\r\nMD\r\nU\r\n#UM>IF\r\n"));
}

TEST_F(CliSettings, SetRefusedWhilePrintingOrForUnknownFields) {
  SimProcess sim(Sim({"--status", "4"}));  // status byte 4: printing
  ASSERT_TRUE(sim.ready());
  RunResult busy = Cli({"settings", "set", "Darkness=15"});
  EXPECT_EQ(busy.exit_code, 1);
  EXPECT_NE(busy.err.find("READY"), std::string::npos) << busy.err;
  for (const char* bad : {"IPAddress=1.2.3.4", "Darkness", "Darkness=99", "Nope=1"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(Cli({"settings", "set", bad}).exit_code, 2);
  }
  EXPECT_EQ(Wire(), "");
}

}  // namespace
}  // namespace vidodez::test
