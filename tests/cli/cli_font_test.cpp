// The font commands against vidodez-printer-sim processes: the download
// file and test program byte for byte, a Debian TrueType font downloaded,
// listed and test-printed, and the failures a script must hear.

#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#endif

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "cli_fixture.h"

namespace vidodez::test {
namespace {

// Debian's DejaVu Sans, by a name the test program's system reads (set by
// the build).
constexpr char kDebianFont[] = VIDODEZ_DEBIAN_FONT;

class CliFont : public CliTest {
 protected:
  CliFont() : working_(work_.path()) {}
  std::vector<std::string> Desktop() const { return {"VIDODEZ_DESKTOP=" + files_.File("Desktop")}; }

  TempDir work_;
  ScopedWorkingFolder working_;
};

// Catches a wrong header, hex or line end in either language, a default
// output name other than NAME.prn here, a test program that differs from
// what the page writes, and a bad argument taken instead of refused.
TEST_F(CliFont, ConvertAndTestProgramWriteThePagesBytes) {
  WriteFileBytes(files_.File("ARIAL.ttf"), std::string("\x00\x1F\xA0", 3));
  RunResult vrlz =
      Cli({"font", "convert", files_.File("ARIAL.ttf"), "--type", "VRLZ", "--storage", "FLASH"});
  EXPECT_EQ(vrlz.exit_code, 0) << vrlz.err;
  EXPECT_EQ(Escaped(ReadFileBytes(work_.File("ARIAL.prn"))),
            Escaped("~DTE:ARIAL,3,\r\r\n001FA0\r\r\n"));
  const std::string out = files_.File("out.txt");
  EXPECT_EQ(Cli({"font", "convert", files_.File("ARIAL.ttf"), "--type", "VRLE", "--storage",
                 "SDRAM", "-o", out})
                .exit_code,
            0);
  EXPECT_EQ(Escaped(ReadFileBytes(out)), Escaped("DT0,ARIAL,3,\r\r\n001FA0\r\r\n"));

  RunResult program = Cli({"font", "test-program", "--type", "VRLE", "--id", "B", "--name", "ARIAL",
                           "--storage", "FLASH", "--code-page", "DOS 850"});
  EXPECT_EQ(program.exit_code, 0) << program.err;
  EXPECT_TRUE(program.out.starts_with(
      "I8,1,001\r\r\nN\r\r\nH12\r\r\nCF1,B,ARIAL\r\r\nA100,50,0,B,32,32,N,\" !\"#"))
      << Escaped(program.out.substr(0, 60));
  EXPECT_TRUE(program.out.ends_with("\xFF\"\r\r\nP1,1\r\r\n"));
  EXPECT_EQ(Cli({"font", "test-program", "--type", "VRLZ", "--id", "3", "--name", "ARIAL",
                 "--storage", "SDRAM", "-o", out})
                .exit_code,
            0);
  EXPECT_TRUE(ReadFileBytes(out).starts_with(
      "^XA\r\r\n~SD15\r\r\n^CW3,R:ARIAL.TTF\r\r\n^FO100,50^A3N,32,32^FD !\""));

  ExpectRuns(
      {{{"font", "test-program", "--type", "VRLZ", "--id", "C", "--name", "A", "--storage",
         "FLASH"},
        2,
        std::nullopt,
        "ID range:\"0\"-\"9\"!"},
       {{"font", "test-program", "--type", "VRLE", "--id", "B", "--name", "A", "--storage", "FLASH",
         "--code-page", "DOS 999"},
        2,
        std::nullopt,
        "--code-page"},
       {{"font", "convert", files_.File("ARIAL.ttf"), "--type", "ZPL", "--storage", "FLASH"},
        2,
        std::nullopt,
        "--type"},
       {{"font", "convert", files_.File("missing.ttf"), "--type", "VRLE", "--storage", "FLASH"},
        1}});
  WriteFileBytes(files_.File("FONTNAME9.ttf"), "x");
  ExpectRuns(
      {{{"font", "convert", files_.File("FONTNAME9.ttf"), "--type", "VRLE", "--storage", "FLASH"},
        1,
        std::nullopt,
        "Maximum 8 characters allowed!\n"}});
  EXPECT_FALSE(std::filesystem::exists(work_.File("FONTNAME9.prn")));
}

// Catches a download sent without the question answered, a send that is
// not the file written first, a font the printer does not list, a test
// print not written to the desktop first or sent as other bytes, and a
// terminal that sees no progress.
TEST_F(CliFont, DebianFontIsDownloadedListedAndTestPrinted) {
  ASSERT_TRUE(StartSim());
  const std::string font = ReadFileBytes(kDebianFont);
  ASSERT_GT(font.size(), 100000u) << "fonts-dejavu-core is missing";
  WriteFileBytes(files_.File("DEJAVU.ttf"), font);
  const std::vector<std::string> download{"font",   "download", files_.File("DEJAVU.ttf"),
                                          "--type", "VRLZ",     "--storage",
                                          "FLASH",  "--id",     "5"};
  RunResult asked = Cli(download);
  EXPECT_EQ(asked.exit_code, 1);
  EXPECT_NE(asked.err.find("--yes"), std::string::npos) << asked.err;
  EXPECT_TRUE(Wire().empty());

  std::vector<std::string> yes = download;
  yes.push_back("--yes");
  bool terminal = false;
  RunResult shown = CliOnTerminalIfAny(yes, &terminal);
  EXPECT_EQ(shown.exit_code, 0) << shown.err;
  if (terminal) {
    EXPECT_NE(shown.err.find("Sent "), std::string::npos) << shown.err;
  }
  const std::string prn = ReadFileBytes(work_.File("DEJAVU.prn"));
  EXPECT_TRUE(prn.starts_with("~DTE:DEJAVU," + std::to_string(font.size()) + ",\r\r\n"));
  EXPECT_TRUE(Wire() == prn) << "the wire differs from the download file";
  RunResult list = Cli({"stored", "list", "fonts"});
  EXPECT_EQ(list.out, "DEJAVU\n") << list.err;

  const size_t before = Wire().size();
  RunResult print = Cli({"font", "print-test", "--type", "VRLZ", "--id", "5", "--name", "DEJAVU",
                         "--storage", "FLASH"},
                        Desktop());
  EXPECT_EQ(print.exit_code, 0) << print.err;
  const std::string on_desktop = ReadFileBytes(files_.File("Desktop/TEST_DEJAVU.txt"));
  EXPECT_TRUE(on_desktop.starts_with("^XA\r\r\n~SD15\r\r\n^CW5,E:DEJAVU.TTF\r\r\n"));
  const std::string sent = Wire().substr(before);
  EXPECT_TRUE(sent.starts_with("^XA\r\n~SD15\r\n^CW5,E:DEJAVU.TTF\r\n"))
      << Escaped(sent.substr(0, 40));
  EXPECT_TRUE(sent.ends_with("^XZ\r\n\r\n"));
}

// `--yes` answered the download and replaced the operator's own SHIP.prn
// without a word: a file the program did not write is replaced only with
// --overwrite; one it wrote, as ever.
TEST_F(CliFont, DownloadAsksBeforeReplacingAFileItDidNotWrite) {
  ASSERT_TRUE(StartSim());
  WriteFileBytes(files_.File("SHIP.ttf"), std::string("\x00\x1F\xA0", 3));
  WriteFileBytes(work_.File("SHIP.prn"), "the operator's own notes\n");
  const std::vector<std::string> download{
      "--lang", "eng",  "font", "download", files_.File("SHIP.ttf"), "--type", "VRLE", "--storage",
      "FLASH",  "--id", "A",    "--yes"};
  RunResult kept = Cli(download);
  EXPECT_EQ(kept.exit_code, 1);
  EXPECT_NE(kept.err.find("SHIP.prn exists and was not written by this program"), std::string::npos)
      << kept.err;
  EXPECT_NE(kept.err.find("run again with --overwrite"), std::string::npos) << kept.err;
  EXPECT_EQ(ReadFileBytes(work_.File("SHIP.prn")), "the operator's own notes\n");
  EXPECT_EQ(Wire(), "");
  std::vector<std::string> overwrite = download;
  overwrite.push_back("--overwrite");
  ExpectRuns({{overwrite}, {download}});
  EXPECT_EQ(ReadFileBytes(work_.File("SHIP.prn")), "DT1,SHIP,3,\r\r\n001FA0\r\r\n");
}

// Where the file could not be written was never said; a name of bytes that
// are no text was "Maximum 8 characters allowed!"; VRLZ's test program
// took a code page and ignored it. Each refusal says what and why, and none
// that a script could take for success (a download or test file that
// cannot be written, a printer that does not open) exits 0 or sends a byte.
TEST_F(CliFont, RefusalsSayWhatAndWhy) {
  ASSERT_TRUE(StartSim());
  const std::string font = files_.File("ARIAL.ttf");
  WriteFileBytes(font, std::string("\x00\x1F\xA0", 3));
  // A folder where the download file goes, a file where the desktop is.
  ASSERT_TRUE(std::filesystem::create_directory(work_.File("ARIAL.prn")));
  WriteFileBytes(files_.File("Desktop"), "a file, not a folder");
  const std::vector<std::string> print_test{"font", "print-test", "--type", "VRLE",      "--id",
                                            "A",    "--name",     "ARIAL",  "--storage", "FLASH"};
  std::vector<std::string> elsewhere = print_test;
  elsewhere.insert(elsewhere.end(), {"-p", "USB09"});
  ExpectRuns(
      {{{"font", "download", font, "--type", "VRLE", "--storage", "FLASH", "--id", "A", "--yes"},
        1,
        std::nullopt,
        "cannot"},
       {print_test, 1, std::nullopt, "", Desktop()},
       {elsewhere, 1, std::nullopt, "", Desktop()}});
  // /dev/full, the system's words for a folder and file names of bytes that
  // are no text are Linux's.
#ifndef _WIN32
  WriteFileBytes(files_.File("\xff\xfe.ttf"), std::string("\x00\x1F\xA0", 3));
  ASSERT_EQ(mkdir(files_.File("folder").c_str(), 0700), 0);
  auto convert = [](const std::string& from, const std::string& out) {
    return std::vector<std::string>{"--lang", "eng",       "font",  "convert", from, "--type",
                                    "VRLE",   "--storage", "FLASH", "-o",      out};
  };
  ExpectRuns(
      {{convert(font, "/dev/full"), 1, std::nullopt, "cannot be written. /dev/full: "},
       {convert(font, files_.File("folder")), 1, std::nullopt, "Is a directory"},
       {convert(font, files_.File("none/x.prn")), 1, std::nullopt, "No such file or directory"},
       {convert(files_.File("\xff\xfe.ttf"), files_.File("x.prn")), 1, std::nullopt,
        "holds bytes that are no text"},
       {{"--lang", "eng", "font", "test-program", "--type", "VRLZ", "--id", "3", "--name", "ARIAL",
         "--storage", "FLASH", "--code-page", "DOS 850"},
        2,
        std::nullopt,
        "only VRLE's test program"}});
#endif
  EXPECT_EQ(Wire(), "");
}

// Ended by a signal while a large command file was written, `font convert`
// left its hidden temporary file: it is removed, and the old file stays.
TEST_F(CliFont, SignalDuringConvertLeavesNoTemporaryFile) {
#ifdef _WIN32
  GTEST_SKIP() << "signals sent to another program are Linux's";
#else
  WriteFileBytes(files_.File("BIG.ttf"), std::string(48 << 20, 'x'));
  WriteFileBytes(work_.File("BIG.prn"), "old");
  std::atomic<pid_t> pid{0};
  std::future<RunResult> convert = std::async(std::launch::async, [&] {
    return test::Run({BinDir() + "/vidodez-cli", "font", "convert", files_.File("BIG.ttf"),
                      "--type", "VRLE", "--storage", "FLASH"},
                     Env({}), 60000, &pid);
  });
  auto temporary = [&] {
    for (const std::string& name : FileNames(work_.path()))
      if (name.starts_with(".vdz")) return true;
    return false;
  };
  bool seen = false;
  for (int i = 0; i < 20000 && !seen; ++i) {
    seen = temporary();
    if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(seen) << "no temporary file was written";
  ASSERT_TRUE(SignalWhenStarted(pid, SIGTERM));
  RunResult ended = convert.get();
  EXPECT_EQ(ended.exit_code, 128 + SIGTERM) << ended.err;
  EXPECT_EQ(FileNames(work_.path()), std::vector<std::string>{"BIG.prn"});
  EXPECT_EQ(ReadFileBytes(work_.File("BIG.prn")), "old");
#endif
}

}  // namespace
}  // namespace vidodez::test
