// The storage round trip from the command line: a picture converted, stored
// as a graphic, listed, printed and deleted on a vidodez-printer-sim process.

#include <sys/stat.h>

#include "cli_fixture.h"

namespace vidodez::test {
namespace {

using CliStorage = CliTest;

TEST_F(CliStorage, ConsoleTurnsEveryLineBreakIntoCrLf) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  EXPECT_EQ(Cli({"console", "A\nB\rC\r\nD"}).exit_code, 0);
  WriteFileBytes(files_.File("cmds"), "X\nY\n");
  EXPECT_EQ(Cli({"console", "--file", files_.File("cmds")}).exit_code, 0);
  EXPECT_EQ(Escaped(Wire()), Escaped("A\r\nB\r\nC\r\nD\r\nX\r\nY\r\n\r\n"));
  RunResult empty = Cli({"console", ""});
  EXPECT_EQ(empty.exit_code, 1);
  EXPECT_EQ(empty.err, "No command is written.\n");
}

TEST_F(CliStorage, GraphicRoundTrip) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  // A PCX made here stands for the converted picture: 1 bit, 8 x 1 pixels.
  std::string pcx(128, '\0');
  pcx[0] = 10, pcx[1] = 5, pcx[2] = 1, pcx[3] = 1, pcx[8] = 7, pcx[65] = 1, pcx[66] = 2;
  pcx += std::string("\xc2\xff", 2);
  WriteFileBytes(files_.File("LOGO.pcx"), pcx);

  RunResult stored = Cli({"graphic", "store", files_.File("LOGO.pcx"), "--id", "LOGO"});
  EXPECT_EQ(stored.exit_code, 0) << stored.err;
  RunResult list = Cli({"stored", "list", "graphics"});
  EXPECT_EQ(list.exit_code, 0) << list.err;
  EXPECT_EQ(list.out, "LOGO\n");
  EXPECT_EQ(Cli({"stored", "list", "graphics", "--json"}).out, "[\n  \"LOGO\"\n]\n");
  EXPECT_EQ(Cli({"stored", "print", "graphics", "LOGO"}).exit_code, 0);

  RunResult refused = Cli({"stored", "delete", "graphics", "LOGO"});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find("--yes"), std::string::npos);
  EXPECT_EQ(Cli({"stored", "delete", "graphics", "LOGO", "--yes"}).exit_code, 0);
  RunResult after = Cli({"stored", "list", "graphics"});
  EXPECT_EQ(after.out, "");
  // A printer that holds nothing still answers, so the list is said empty.
  EXPECT_EQ(after.err, "No Grphic.\n");

  std::string expected_start = "ZS\r\nGK\"LOGO\"\r\nGM\"LOGO\"" + std::to_string(pcx.size()) +
                               "\r\n" + pcx + "ZN\r\nGG20,20,\"LOGO\"\r\nW1,1\r\n\r\n";
  std::string log = Wire();
  EXPECT_EQ(Escaped(log.substr(0, expected_start.size())), Escaped(expected_start));
  EXPECT_NE(log.find("GG20,20,\"LOGO\"\r\nW1\r\n\r\n"), std::string::npos);
  EXPECT_NE(log.find("^G1\r\n\r\nGK\"LOGO\"\r\n"), std::string::npos);
}

TEST_F(CliStorage, ConvertedPictureIsStored) {
#ifndef VIDODEZ_HAVE_IMAGING
  GTEST_SKIP() << "graphic convert comes with the imaging library";
#endif
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  std::string png = files_.File("photo.png");
  ASSERT_EQ(
      test::Run({"/usr/bin/convert", "-size", "400x200", "gradient:black-white", png}).exit_code,
      0);
  RunResult converted = Cli({"graphic", "convert", png, files_.File("PHOTO.pcx"), "--unit", "mm",
                             "--width", "25.4", "--rotate", "90"});
  ASSERT_EQ(converted.exit_code, 0) << converted.err;
  EXPECT_EQ(converted.out, "101 x 203\n");  // 203 x 101 before the quarter turn
  EXPECT_EQ(Cli({"graphic", "store", files_.File("PHOTO.pcx"), "--id", "PHOTO"}).exit_code, 0);
  EXPECT_EQ(Cli({"stored", "list", "graphics"}).out, "PHOTO\n");
}

TEST_F(CliStorage, UnknownEntriesAndBadIdsFail) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  EXPECT_EQ(Cli({"stored", "print", "forms", "NOPE"}).exit_code, 1);
  EXPECT_EQ(Cli({"stored", "delete", "fonts"}).exit_code, 2);
  EXPECT_EQ(Cli({"stored", "list", "pictures"}).exit_code, 2);
  WriteFileBytes(files_.File("a.pcx"), "x");
  RunResult star = Cli({"graphic", "store", files_.File("a.pcx"), "--id", "A*"});
  EXPECT_EQ(star.exit_code, 1);
  EXPECT_EQ(star.err, "\"*\" is not accepted as graphic name.!\n");
  EXPECT_EQ(Cli({"graphic", "store", files_.File("a.bmp"), "--id", "A"}).exit_code, 1);
}

// The late answer to a query that gave up arrives during the next command:
// it is no list, so the list is not said to be empty.
TEST_F(CliStorage, LateSettingsReplyIsAFailedReadNotAnEmptyList) {
  SimProcess sim(Sim({"--reply-mode", "slow"}));
  ASSERT_TRUE(sim.ready());
  EXPECT_EQ(Cli({"query", "^G1"}).exit_code, 1);
  RunResult list = Cli({"stored", "list", "fonts"});
  EXPECT_EQ(list.exit_code, 1);
  EXPECT_EQ(list.err.find("No Font."), std::string::npos) << list.err;
}

TEST_F(CliStorage, SizeOutOfBoundsNamesTheOptionNotTheFile) {
#ifndef VIDODEZ_HAVE_IMAGING
  GTEST_SKIP() << "graphic convert comes with the imaging library";
#endif
  std::string png = files_.File("small.png");
  ASSERT_EQ(test::Run({"/usr/bin/convert", "-size", "40x20", "xc:white", png}).exit_code, 0);
  struct Case {
    std::vector<std::string> size;
    std::string detail;
  } cases[] = {
      {{"--width", "32768"}, "(--width 32768: 32768 x 16384)"},
      {{"--scale", "100000"}, "(--scale 100000: 40000 x 20000)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.detail);
    std::vector<std::string> args{"graphic", "convert", png, files_.File("OUT.pcx")};
    args.insert(args.end(), c.size.begin(), c.size.end());
    RunResult run = Cli(args);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err, "The picture size is not valid. " + c.detail + "\n");
  }
}

// Input the printer cannot use, or that would hang or exhaust the program,
// is refused with a message before the printer is opened: nothing reaches
// the wire, above all no GK that deletes the stored graphic.
TEST_F(CliStorage, UnusableInputFilesAreRefusedBeforeThePrinterIsOpened) {
  SimProcess sim(Sim());
  ASSERT_TRUE(sim.ready());
  WriteFileBytes(files_.File("fake.pcx"), "hello\n");
  WriteFileBytes(files_.File("big.txt"), std::string(1024001, 'A'));
  ASSERT_EQ(::mkfifo(files_.File("ff.pcx").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(files_.File("ff.png").c_str(), 0600), 0);
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"graphic", "store", files_.File("fake.pcx"), "--id", "FAKE"},
       "The picture is damaged or not of its format.\n"},
      {{"graphic", "store", files_.File("ff.pcx"), "--id", "FF"}, "is not a regular file"},
      {{"graphic", "convert", files_.File("ff.png"), files_.File("out.pcx")}, "cannot be read"},
      {{"console", "--file", files_.path()}, "is not a regular file"},
      {{"console", "--file", files_.File("big.txt")}, "is larger than 1024000 bytes"},
      {{"console", "--file", "/dev/zero"}, "is not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[2]);
    RunResult result = Cli(c.args);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_EQ(Wire(), "");
}

}  // namespace
}  // namespace vidodez::test
