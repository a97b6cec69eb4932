#include "sim/printer_model.h"

#include <gtest/gtest.h>

#include "model_io.h"
#include "sim/sim_options.h"
#include "support/temp_dir.h"

namespace vidodez::sim {
namespace {

// "^" and "~" start a command wherever they stand: what a file left without
// its line end never swallows the query after it.
TEST(PrinterModel, AnswersEachCommandLineOnceWhereverTransfersSplitItOrStrayBytesPrecedeIt) {
  const std::string overlong(100 * 1024, 'x');
  struct Case {
    const char* what;
    std::vector<std::string> transfers;
    size_t replies;
  } cases[] = {
      {"split", {"^G", "1\r", "\n\r\n\r\n"}, 1},  // empty lines are ignored
      {"no command", {"XYZ\r\n"}, 0},
      {"file tail", {"^XA^FDlabel^FS^XZ", "^G1\r\n"}, 1},
      {"bare LF", {"ABC\n", "^G1\r\n"}, 1},
      {"tilde", {"~JUNK", "^G1\r\n"}, 1},
      {"overlong tail", {overlong, "^G1\r\n"}, 1},
      {"after overlong", {overlong + "\r\n", "^G1\r\n"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PrinterModel model(PrinterOptions{});
    for (const auto& transfer : c.transfers) Send(model, transfer);
    EXPECT_EQ(Replies(model), std::vector<std::string>(c.replies, model.SettingsReply()));
  }
}

// Each field count: the reply carries that many fields and the flag, and a
// settings line counts only when it carries exactly the values it takes.
TEST(PrinterModel, EachFieldCountRepliesItsFieldsAndTakesOnlyAWellFormedSettingsLine) {
  struct Case {
    int fields;
    size_t carried;
  } cases[] = {{32, 32}, {39, 39}, {40, 40}, {41, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields);
    PrinterOptions options;
    options.fields = c.fields;
    options.command_set_flag = '1';
    PrinterModel model(options);
    std::string reply = model.SettingsReply();
    ASSERT_EQ(reply.substr(0, 2), "S*");
    ASSERT_EQ(reply.substr(reply.size() - 4), "*E\r\n");
    std::string body = reply.substr(2, reply.size() - 6);
    EXPECT_EQ(std::count(body.begin(), body.end(), '*') + 1, c.fields);
    EXPECT_EQ(model.settings()[8], "1");
    EXPECT_EQ(model.settings()[27].size(), 14u);
    for (const auto& field : model.settings()) EXPECT_FALSE(field.empty());

    std::vector<std::string> before = model.settings();
    std::vector<std::string> values(before.begin(), before.begin() + static_cast<long>(c.carried));
    values[3] = "15";
    // One value short, one too many, no end marker: all ignored.
    Send(model, SettingsLine(std::vector<std::string>(values.begin(), values.end() - 1)));
    std::vector<std::string> longer = values;
    longer.push_back("X");
    Send(model, SettingsLine(longer));
    Send(model, "#PS>S*1*E1\r\n");
    EXPECT_EQ(model.settings(), before);
    Send(model, SettingsLine(values));
    std::vector<std::string> after = before;
    after[3] = "15";
    EXPECT_EQ(model.settings(), after);
  }
}

TEST(PrinterModel, GraphicBytesAreDataNotCommands) {
  PrinterModel model(PrinterOptions{});
  std::string pcx = "\x0a\x05^G1\r\n^S1\r\nFK\"*\"\r\n";
  Send(model, "GM\"LOGO\"" + std::to_string(pcx.size()) + "\r\n" + pcx.substr(0, 5));
  Send(model, pcx.substr(5) + "^S1\r\n");
  auto replies = Replies(model);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0], "LOGO$");
  ASSERT_EQ(model.stored().graphics.size(), 1u);
  EXPECT_EQ(model.stored().graphics[0].second, pcx);
}

TEST(PrinterModel, StoresListsAndDeletesObjects) {
  PrinterModel model(PrinterOptions{});
  Send(model, "FS\"F1\"\r\nA100,100,0,1,1,1,N,\"HI\"\r\nFE\r\nFS\"F2\"\r\nFE\r\n");
  Send(model, "GM\"G1\"2\r\nPPGM\"G2\"0\r\n");
  Send(model, "^S1\r\n");
  Send(model, "FK\"F1\"\r\nGK\"*\"\r\nZF\"NOFONT\"\r\n^S1\r\n");
  auto replies = Replies(model);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0], "F1@F2@G1$G2$");
  EXPECT_EQ(replies[1], "F2@");
  EXPECT_EQ(model.stored().forms[0].second, "");
}

TEST(PrinterModel, StateSurvivesARestartAndCorruptStateIsNotTaken) {
  test::TempDir dir;
  PrinterOptions options;
  options.fields = 32;  // a printer that keeps the calibration length apart
  options.state_dir = dir.path();
  {
    PrinterModel model(options);
    Send(model, "GM\"\xb9\xfa\"3\r\nabc#UM>SL0250\r\n");  // a GBK name: any byte survives
    EXPECT_EQ(model.settings().size(), 32u);
  }
  PrinterModel again(options);
  ASSERT_EQ(again.stored().graphics.size(), 1u);
  EXPECT_EQ(again.stored().graphics[0].first, "\xb9\xfa");
  EXPECT_EQ(again.stored().graphics[0].second, "abc");
  EXPECT_EQ(again.calibration_length(), "0250");
  test::WriteFileBytes(dir.File("SIM0001.stored"), "Q zz\n");
  test::WriteFileBytes(dir.File("SIM0001.settings"), "1\n2\n");
  test::WriteFileBytes(dir.File("SIM0001.calibration"), "x1\n");
  PrinterModel fresh(options);
  EXPECT_TRUE(fresh.stored().graphics.empty());
  EXPECT_EQ(fresh.settings().size(), 32u);
  EXPECT_EQ(fresh.calibration_length(), "0100");
}

TEST(PrinterModel, CalibrationLengthFactoryResetAndTheActionsAreKept) {
  PrinterModel model(PrinterOptions{});
  Send(model, "#UM>SL0005\r\n#UM>SL12\r\n");
  EXPECT_EQ(model.settings()[35], "0005");
  EXPECT_EQ(model.calibration_length(), "0005");
  Send(model, "#PS>S*0" + std::string("\r\n"));
  Send(model, SettingsLine(std::vector<std::string>(40, "9")));
  Send(model, "#UM>IF\r\nMD\r\nU\r\n^z\r\n");
  EXPECT_EQ(model.settings(), PrinterModel(PrinterOptions{}).settings());
  // Prints are labels, not actions.
  Send(model, "ZS\r\nGG20,20,\"G\"\r\nW1,1\r\nFR\"F\"\r\nW1\r\nBOGUS\r\n");
  EXPECT_EQ(model.actions(), (std::vector<std::string>{"#UM>IF", "MD", "U", "^z"}));
  EXPECT_EQ(model.labels_printed(), 3);
}

TEST(SimCommandLine, RefusesValuesThePrinterCannotHave) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
  } cases[] = {
      {{"--port-number", "3", "--fields", "39", "--vid", "03eb", "--status", "255"}, true},
      {{"--fields", "33"}, false},
      {{"--status", "256"}, false},
      {{"--vid", "xyz"}, false},
      {{"--serial", "A/B"}, false},
      {{"--reply-mode", "chatty"}, false},
      {{"--command-set-flag", "2"}, false},
      {{"--upgrade-seconds", "0.25"}, true},
      {{"--upgrade-seconds", "-1"}, false},
      {{"--upgrade-seconds", "3601"}, false},
      {{"--upgrade-seconds", "3s"}, false},
      {{"--description", "two\nlines"}, false},
      {{"--port-number"}, false},
      {{"--bogus", "1"}, false},
      {{"--write-rate", "65536"}, true},
      {{"--write-rate", "-1"}, false},
      {{"--write-rate", "fast"}, false},
      {{"--reply-delay", "2100"}, true},
      {{"--reply-delay", "-1"}, false},
      {{"--reply-delay", "60001"}, false},
      {{"--dpi", "300", "--label-size", "1200x1800", "--label-dir", "/tmp/x"}, true},
      {{"--dpi", "250"}, false},
      {{"--label-size", "812"}, false},
      {{"--label-size", "0x100"}, false},
      {{"--label-size", "812x4801"}, false},
      {{"--label-dir", ""}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0]);
    SimCommandLine line;
    std::string error;
    EXPECT_EQ(ParseSimCommandLine(c.args, &line, &error) == 0, c.ok) << error;
  }
  SimCommandLine line;
  std::string error;
  ASSERT_EQ(0, ParseSimCommandLine({"--upgrade-seconds", "0.25"}, &line, &error));
  EXPECT_EQ(line.printer.upgrade_step, std::chrono::milliseconds(250));
}

}  // namespace
}  // namespace vidodez::sim
