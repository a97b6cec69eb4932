// The settings commands of vidodez-cli against a vidodez-printer-sim
// process, checked on the wire log byte for byte.

#include <gtest/gtest.h>

#include <sstream>

#include "support/process.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

constexpr char kRead[] = "^G1\r\n\r\n";
// The simulated printer's own settings, as the program builds them back.
constexpr char kFactoryLine[] =
    "#PS>S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
    "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*"
    "0100*0*12*12*1*E\r\n";

class CliSettings : public ::testing::Test {
 protected:
  test::RunResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), test::BinDir() + "/vidodez-cli");
    return test::Run(args, {"VIDODEZ_SIM_BUS=" + bus_.path(), "VIDODEZ_APPDATA=" + bus_.path(),
                            "LC_ALL=C"});
  }
  std::string Wire() const { return test::ReadFileBytes(files_.File("wire")); }
  std::vector<std::string> SimArgs(std::vector<std::string> more = {}) {
    std::vector<std::string> args{"--bus", bus_.path(), "--wire-log", files_.File("wire")};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  test::TempDir bus_;
  test::TempDir files_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(CliSettings, SaveThenLoadSendsThePrintersLineAndSetChangesOneField) {
  test::SimProcess sim(SimArgs());
  ASSERT_TRUE(sim.ready());
  std::string ini = files_.File("x.ini");
  test::RunResult save = Cli({"settings", "save", ini});
  ASSERT_EQ(save.exit_code, 0) << save.err;
  test::RunResult load = Cli({"settings", "load", ini});
  ASSERT_EQ(load.exit_code, 0) << load.err;
  EXPECT_EQ(test::Escaped(Wire()), test::Escaped(std::string(kRead) + kRead + kFactoryLine));

  test::RunResult before = Cli({"settings", "get"});
  ASSERT_EQ(before.exit_code, 0) << before.err;
  test::RunResult set = Cli({"settings", "set", "Darkness=15"});
  ASSERT_EQ(set.exit_code, 0) << set.err;
  test::RunResult after = Cli({"settings", "get"});
  std::vector<std::string> expected = Lines(before.out);
  ASSERT_GT(expected.size(), 5u);
  EXPECT_EQ(expected[0], "FieldCount=41");
  EXPECT_EQ(expected[4], "Darkness=10");
  expected[4] = "Darkness=15";
  EXPECT_EQ(Lines(after.out), expected);
}

TEST_F(CliSettings, ClearBufferNeedsYesAndActionsGoOutAsGiven) {
  test::SimProcess sim(SimArgs());
  ASSERT_TRUE(sim.ready());
  test::RunResult refused = Cli({"clear-buffer"});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find("Are you sure to excute clearbuffer?"), std::string::npos);
  EXPECT_EQ(Wire(), "");
  test::RunResult cleared = Cli({"clear-buffer", "--yes"});
  EXPECT_EQ(cleared.exit_code, 0);
  EXPECT_EQ(cleared.err, "Reboot to take effect!\n");
  EXPECT_EQ(Cli({"calibrate"}).exit_code, 0);
  EXPECT_EQ(Cli({"test-page"}).exit_code, 0);
  EXPECT_EQ(Cli({"factory-reset"}).exit_code, 0);
  EXPECT_EQ(test::Escaped(Wire()), test::Escaped("^z\r\nMD\r\nU\r\n#UM>IF\r\n"));
}

TEST_F(CliSettings, SetRefusedWhilePrintingOrForUnknownFields) {
  test::SimProcess sim(SimArgs({"--status", "4"}));  // status byte 4: printing
  ASSERT_TRUE(sim.ready());
  test::RunResult busy = Cli({"settings", "set", "Darkness=15"});
  EXPECT_EQ(busy.exit_code, 1);
  EXPECT_NE(busy.err.find("READY"), std::string::npos) << busy.err;
  for (const char* bad : {"IPAddress=1.2.3.4", "Darkness", "Darkness=99", "Nope=1"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(Cli({"settings", "set", bad}).exit_code, 2);
  }
  EXPECT_EQ(Wire(), "");
}

}  // namespace
}  // namespace vidodez
