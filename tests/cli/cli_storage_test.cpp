// The storage round trip from the command line: a picture converted, stored
// as a graphic, listed, printed and deleted on a vidodez-printer-sim process.

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "cli_fixture.h"

namespace vidodez::test {
namespace {

using CliStorage = CliTest;

// Why the pictures of a conversion cannot be had here; "" when they can.
std::string NoPicturesToConvert() {
#if !defined(VIDODEZ_HAVE_IMAGING)
  return "graphic convert comes with the imaging library";
#elif defined(_WIN32)
  return "the pictures are drawn by ImageMagick's convert, a Linux program";
#else
  return "";
#endif
}

TEST_F(CliStorage, ConsoleTurnsEveryLineBreakIntoCrLf) {
  ASSERT_TRUE(StartSim());
  WriteFileBytes(files_.File("cmds"), "X\nY\n");
  ExpectRuns({{{"console", "A\nB\rC\r\nD"}},
              {{"console", "--file", files_.File("cmds")}},
              {{"console", ""}, 1, std::nullopt, "No command is written.\n"}});
  EXPECT_EQ(Escaped(Wire()), Escaped("A\r\nB\r\nC\r\nD\r\nX\r\nY\r\n\r\n"));
}

// The Windows simulator composes labels but draws none: only Linux's check
// the pictures.
#ifdef _WIN32
constexpr bool kLabelsDrawn = false;
#else
constexpr bool kLabelsDrawn = true;
#endif

TEST_F(CliStorage, GraphicRoundTrip) {
  std::vector<std::string> drawn;
  if (kLabelsDrawn) drawn = {"--label-dir", files_.File("labels")};
  ASSERT_TRUE(StartSim(drawn));
  // A PCX made here stands for the converted picture.
  WriteFileBytes(files_.File("LOGO.pcx"), OneBitPcx(8, 1));

  // A printer that holds nothing still answers, so the list is said empty.
  ExpectRuns({{{"graphic", "store", files_.File("LOGO.pcx"), "--id", "LOGO"}},
              {{"stored", "list", "graphics"}, 0, "LOGO\n"},
              {{"stored", "list", "graphics", "--json"}, 0, "[\n  \"LOGO\"\n]\n"},
              {{"stored", "print", "graphics", "LOGO"}},
              {{"stored", "delete", "graphics", "LOGO"}, 1, std::nullopt, "--yes"},
              {{"stored", "delete", "graphics", "LOGO", "--yes"}},
              {{"stored", "list", "graphics"}, 0, "", "No Grphic.\n"}});
  // The store's test print and the print, each a picture (the bytes of
  // each operation are the storage page's tests').
  if (kLabelsDrawn) {
    EXPECT_EQ(FileNames(files_.File("labels")),
              (std::vector<std::string>{"0001-graphic.png", "0002-graphic.png"}));
  }
}

TEST_F(CliStorage, ConvertedPictureIsStored) {
  if (std::string why = NoPicturesToConvert(); !why.empty()) GTEST_SKIP() << why;
  ASSERT_TRUE(StartSim());
  std::string png = files_.File("photo.png");
  ASSERT_EQ(
      test::Run({"/usr/bin/convert", "-size", "400x200", "gradient:black-white", png}).exit_code,
      0);
  // The dynamic loader names each library it loads: the command line starts
  // without Qt and loads its picture readers for the PNG.
  const std::vector<std::string> loads = {"LD_DEBUG=files"};
  RunResult started = Cli({"--version"}, loads);
  ASSERT_EQ(started.exit_code, 0) << started.err;
  EXPECT_EQ(started.err.find("libQt6"), std::string::npos) << started.err;
  RunResult converted = Cli({"graphic", "convert", png, files_.File("PHOTO.pcx"), "--unit", "mm",
                             "--width", "25.4", "--rotate", "90"},
                            loads);
  ASSERT_EQ(converted.exit_code, 0) << converted.err;
  EXPECT_NE(converted.err.find("vidodez-qt-reader"), std::string::npos) << converted.err;
  EXPECT_EQ(converted.out, "101 x 203\n");  // 203 x 101 before the quarter turn
  ExpectRuns({{{"graphic", "store", files_.File("PHOTO.pcx"), "--id", "PHOTO"}},
              {{"stored", "list", "graphics"}, 0, "PHOTO\n"}});
}

TEST_F(CliStorage, UnknownEntriesAndBadIdsFail) {
  ASSERT_TRUE(StartSim());
  WriteFileBytes(files_.File("a.pcx"), "x");
  ExpectRuns({{{"stored", "print", "forms", "NOPE"}, 1},
              {{"stored", "delete", "fonts"}, 2},
              {{"stored", "list", "pictures"}, 2},
              {{"graphic", "store", files_.File("a.pcx"), "--id", "A*"},
               1,
               std::nullopt,
               "\"*\" is not accepted as graphic name.!\n"},
              {{"graphic", "store", files_.File("a.bmp"), "--id", "A"}, 1}});
}

// The late answer to a query that gave up arrives during the next command:
// it is no list, so the list is not said to be empty.
TEST_F(CliStorage, LateSettingsReplyIsAFailedReadNotAnEmptyList) {
  ASSERT_TRUE(StartSim({"--reply-mode", "slow"}));
  EXPECT_EQ(Cli({"query", "^G1"}).exit_code, 1);
  RunResult list = Cli({"stored", "list", "fonts"});
  EXPECT_EQ(list.exit_code, 1);
  EXPECT_EQ(list.err.find("No Font."), std::string::npos) << list.err;
}

TEST_F(CliStorage, SizeOutOfBoundsNamesTheOptionNotTheFile) {
  if (std::string why = NoPicturesToConvert(); !why.empty()) GTEST_SKIP() << why;
  std::string png = files_.File("small.png");
  ASSERT_EQ(test::Run({"/usr/bin/convert", "-size", "40x20", "xc:white", png}).exit_code, 0);
  const std::vector<std::string> convert{"graphic", "convert", png, files_.File("OUT.pcx")};
  auto with = [&convert](const char* option, const char* value) {
    std::vector<std::string> args = convert;
    args.insert(args.end(), {option, value});
    return args;
  };
  ExpectRuns({{with("--width", "32768"), 1, std::nullopt,
               "The picture size is not valid. (--width 32768: 32768 x 16384)\n"},
              {with("--scale", "100000"), 1, std::nullopt,
               "The picture size is not valid. (--scale 100000: 40000 x 20000)\n"}});
}

// Input the printer cannot use, or that would hang or exhaust the program,
// is refused with a message before the printer is opened: nothing reaches
// the wire, above all no GK that deletes the stored graphic.
TEST_F(CliStorage, UnusableInputFilesAreRefusedBeforeThePrinterIsOpened) {
  ASSERT_TRUE(StartSim());
  WriteFileBytes(files_.File("fake.pcx"), "hello\n");
  WriteFileBytes(files_.File("big.txt"), std::string(1024001, 'A'));
  ExpectRuns({
      {{"graphic", "store", files_.File("fake.pcx"), "--id", "FAKE"},
       1,
       std::nullopt,
       "The picture is damaged or not of its format.\n"},
      {{"console", "--file", files_.path()}, 1, std::nullopt, "is not a regular file"},
      {{"console", "--file", files_.File("big.txt")},
       1,
       std::nullopt,
       "is larger than 1023998 bytes"},
  });
  // FIFOs in a folder and /dev/zero, which would hang a read, are Linux's.
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(files_.File("ff.pcx").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(files_.File("ff.png").c_str(), 0600), 0);
  ExpectRuns({
      {{"graphic", "store", files_.File("ff.pcx"), "--id", "FF"},
       1,
       std::nullopt,
       "is not a regular file"},
      {{"graphic", "convert", files_.File("ff.png"), files_.File("out.pcx")},
       1,
       std::nullopt,
       "cannot be read"},
      {{"console", "--file", "/dev/zero"}, 1, std::nullopt, "is not a regular file"},
  });
#endif
  EXPECT_EQ(Wire(), "");
}

// A file the read allowed (up to 1,024,000 bytes) failed at the send as
// "Sending Command Failed!", the line's CR LF making it too long; a UTF-8
// byte-order mark was refused as a character GBK does not have. One bound,
// told before the printer is opened; the mark is no character.
TEST_F(CliStorage, ConsoleFileFitsOneLineOrIsRefusedNamingTheBound) {
  ASSERT_TRUE(StartSim());
  WriteFileBytes(files_.File("full.txt"), std::string(1024000, 'A'));
  WriteFileBytes(files_.File("almost.txt"), std::string(1023999, 'A'));
  WriteFileBytes(files_.File("grows.txt"), std::string(1023997, 'A') + "\n");
  WriteFileBytes(files_.File("bom.txt"), "\xEF\xBB\xBF~JR\n");
  ExpectRuns({{{"--lang", "eng", "console", "--file", files_.File("full.txt")},
               1,
               std::nullopt,
               "is larger than 1023998 bytes"},
              {{"--lang", "eng", "console", "--file", files_.File("almost.txt")},
               1,
               std::nullopt,
               "is larger than 1023998 bytes"},
              {{"--lang", "eng", "console", "--file", files_.File("grows.txt")},
               1,
               std::nullopt,
               "at most 1,023,998 bytes"}});
  EXPECT_EQ(Wire(), "");
  ExpectRuns({{{"console", "--file", files_.File("bom.txt")}}});
  EXPECT_EQ(Wire(), "~JR\r\n\r\n");
  WriteFileBytes(files_.File("fits.txt"), std::string(1023998, 'A'));
  ExpectRuns({{{"console", "--file", files_.File("fits.txt")}}});
  EXPECT_EQ(Wire().size(), 7u + 1024000u);
}

}  // namespace
}  // namespace vidodez::test
