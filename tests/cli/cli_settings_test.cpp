// The settings commands of vidodez-cli against a vidodez-printer-sim
// process, checked on the wire log byte for byte.

#include <sstream>

#include <nlohmann/json.hpp>

#include "cli_fixture.h"

namespace vidodez::test {
namespace {

using CliSettings = CliTest;

// The read before a send: asked twice, so a late answer cannot pass for it.
constexpr char kSendRead[] = "^G1\r\n\r\n^G1\r\n\r\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(CliSettings, ClearBufferNeedsYesAndActionsGoOutAsGiven) {
  ASSERT_TRUE(StartSim());
  // The refusals read in the messages' language, not in English alone.
  ExpectRuns({{{"clear-buffer"}, 1, std::nullopt, "Are you sure to excute clearbuffer?"},
              {{"--lang", "chi", "clear-buffer"},
               1,
               std::nullopt,
               "确认删除打印机缓存！（未确认：加上 --yes 再运行一次）\n"},
              {{"factory-reset"}, 1, std::nullopt, "Restore the printer's factory settings?"}});
  EXPECT_EQ(Wire(), "");
  ExpectRuns({{{"clear-buffer", "--yes"}, 0, std::nullopt, "Reboot to take effect!\n"},
              {{"calibrate"}},
              {{"test-page"}},
              {{"factory-reset", "--yes"}}});
  EXPECT_EQ(Escaped(Wire()), Escaped("^z\r\nMD\r\nU\r\n#UM>IF\r\n"));
}

TEST_F(CliSettings, SetRefusedWhilePrintingOrForUnknownFields) {
  ASSERT_TRUE(StartSim({"--status", "4"}));  // status byte 4: printing
  ExpectRuns({{{"settings", "set", "Darkness=15"}, 1, std::nullopt, "READY"},
              {{"--lang", "eng", "settings", "set", "Darkness"},
               2,
               std::nullopt,
               "Darkness: no value given: write NAME=VALUE"},
              {{"settings", "set", "Darkness=99"}, 2}});
  EXPECT_EQ(Wire(), "");
}

// Catches a printer's field dropped without a word, an unknown name told in
// English only, and typed numbers that wrap into other values: each refused
// by name, with exit 2, before any settings line is sent.
TEST_F(CliSettings, SetRefusesByNameBeforeAnythingIsSent) {
  ASSERT_TRUE(StartSim({"--fields", "32"}));
  struct Case {
    std::vector<std::string> args;
    const char* told;
    const char* wire;  // what reached the printer: at most the read
  } cases[] = {
      {{"MediaHeight=1"},
       "MediaHeight: this printer's settings do not have this field; nothing was sent.",
       kSendRead},
      {{"Nope=1"}, "Nope: there is no setting of this name.", ""},
      {{"--lang", "chi", "Nope=1"}, "Nope：没有此名称的设置项。", ""},
      {{"HorizontalOffset=100000000000000000000", "--yes"},
       "HorizontalOffset: out of range; allowed -999 ~ 9999 Dot.",
       kSendRead},
      {{"HorizontalOffset=4294967296", "--yes"},
       "HorizontalOffset: out of range; allowed -999 ~ 9999 Dot.",
       kSendRead},
      {{"CutterStopPosition=75"}, "CutterStopPosition: out of range; allowed 0 ~ 60.", ""},
      {{"IPAddress=1.2.3.4"}, "IPAddress: this setting cannot be changed here.", kSendRead},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    std::vector<std::string> args = c.args;
    args.insert(args.begin() + (args.front() == "--lang" ? 2 : 0), {"settings", "set"});
    size_t before = Wire().size();
    RunResult run = Cli(args);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.err, std::string(c.told) + "\n");
    EXPECT_EQ(Escaped(Wire().substr(before)), Escaped(c.wire));
  }
}

// Catches `get` and `set` that disagree on units (a calibration length
// printed in millimetres and taken back as dots), a set that changes more
// than it was given, and files that do not carry a change: every line `get`
// prints, its lengths with their unit named, goes back to `set` unchanged
// but Darkness, and the printer keeps every other field as it was. One send
// only: it waits out the printer's real nine seconds.
TEST_F(CliSettings, WhatGetPrintsSetTakesBackUnchanged) {
  ASSERT_TRUE(StartSim());
  const std::string dots = Cli({"settings", "get", "--unit", "dot"}).out;
  RunResult text = Cli({"settings", "get", "--unit", "mm"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  for (const char* line : {"\nHorizontalOffset=1.00mm\n", "\nVerticalOffset=-1.50mm\n",
                           "\nCalibrationLen=100mm\n", "\nDarkness=10\n"}) {
    EXPECT_NE(text.out.find(line), std::string::npos) << line;
  }
  RunResult json = Cli({"settings", "get", "--json", "--unit", "inch"});
  ASSERT_EQ(json.exit_code, 0) << json.err;
  nlohmann::json got = nlohmann::json::parse(json.out);
  EXPECT_EQ(got["unit"], "inch");
  EXPECT_EQ(got["fields"]["CalibrationLen"], "3.94inch");
  EXPECT_EQ(got["fields"]["VerticalOffset"], "-0.059inch");
  got["fields"]["Darkness"] = "15";
  std::vector<std::string> args{"settings", "set", "--yes",
                                "FieldCount=" + std::to_string(got["fieldCount"].get<int>())};
  for (const auto& [name, value] : got["fields"].items()) {
    args.push_back(name + "=" + value.get<std::string>());
  }
  RunResult set = Cli(args);
  ASSERT_EQ(set.exit_code, 0) << set.err;
  // Read back from the printer in dots: Darkness changed, the rest as it was.
  std::string expected = dots;
  const size_t darkness = expected.find("\nDarkness=10\n");
  ASSERT_NE(darkness, std::string::npos) << dots;
  expected.replace(darkness, 13, "\nDarkness=15\n");
  EXPECT_EQ(Cli({"settings", "get", "--unit", "dot"}).out, expected);

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
  EXPECT_EQ(Escaped(Wire().substr(sent)), Escaped(kSendRead));
}

// A reply the send path refuses was shown and saved: "*" as the address
// made "Port=192." and "HorizontalOffset=9100dot", a darkness of 20 digits
// read as "99", " 10" as " 1", and "10*E" made `firmware info` print "V0".
// Every read checks the reply's form as a send does, and fails on it.
TEST_F(CliSettings, ReadsRefuseARepliesFieldsOutOfForm) {
  TempDir state;
  { ASSERT_TRUE(StartSim({"--state-dir", state.path()})); }
  sims_.clear();
  const std::vector<std::string> factory = Lines(ReadFileBytes(state.File("SIM0001.settings")));
  ASSERT_GT(factory.size(), 17u);
  struct Case {
    size_t field;
    const char* value;
    const char* named;
  } cases[] = {{17, "*", "IPAddress"},
               {3, "12345678901234567890", "Darkness"},
               {3, " 10", "Darkness"},
               {3, "10*E", "Speed"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    std::vector<std::string> fields = factory;
    fields[c.field] = c.value;
    std::string file;
    for (const std::string& field : fields) file += field + "\n";
    WriteFileBytes(state.File("SIM0001.settings"), file);
    SimProcess sim(Sim({"--state-dir", state.path()}));
    ASSERT_TRUE(sim.ready());
    const std::string ini = files_.File("saved.ini");
    ExpectRuns({{{"--lang", "eng", "settings", "get"}, 1, "", c.named},
                {{"--lang", "eng", "settings", "save", ini}, 1, "", "expected form"},
                {{"--lang", "eng", "firmware", "info"}, 1, "", "expected form"},
                {{"--lang", "eng", "net", "get"}, 1, "", "expected form"}});
    EXPECT_EQ(ReadFileBytes(ini), "");
  }
  EXPECT_EQ(Wire().find("#PS>S"), std::string::npos);
}

}  // namespace
}  // namespace vidodez::test
