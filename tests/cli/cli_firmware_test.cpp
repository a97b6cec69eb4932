// The firmware commands from the command line: the folder listed in the
// page's order, images stamped, and an upgrade on a vidodez-printer-sim
// process from the version read to the new version.

#include <cstdint>
#include <filesystem>

#include "cli_fixture.h"
#include "core/firmware/firmware_image.h"
#include "support/firmware_image.h"

namespace vidodez::test {
namespace {

// An unstamped image of `version` with a body of `body_size` bytes.
std::string Image(const std::string& version, size_t body_size) {
  std::string body(body_size, '\0');
  for (size_t i = 0; i < body_size; ++i) body[i] = static_cast<char>(i * 7 + 3);
  return FirmwareImage(version, body);
}

class CliFirmware : public CliTest {
 protected:
  std::string Put(const std::string& relative, const std::string& bytes = "text") {
    if (size_t slash = relative.rfind('/'); slash != std::string::npos)
      std::filesystem::create_directory(files_.File(relative.substr(0, slash)));
    WriteFileBytes(files_.File(relative), bytes);
    return files_.File(relative);
  }
};

TEST_F(CliFirmware, ListShowsThePagesOrderAndStampsNothing) {
  for (const char* name : {"S/X.Bin", "P30.BIN", "P4.BIN", "readme.txt", "A1.BIN", "a.dat"})
    Put(name);
  const std::string image = Put("P5.bin", Image("", 10));
  RunResult listed = Cli({"firmware", "list", "--folder", files_.path()});
  EXPECT_EQ(listed.exit_code, 0) << listed.err;
  EXPECT_EQ(listed.out, "S/\nS/X.Bin\nP4.BIN\nP5.bin\nP30.BIN\nA1.BIN\nreadme.txt\n");
  EXPECT_EQ(ReadFileBytes(image), Image("", 10));

  RunResult json = Cli({"firmware", "list", "--folder", files_.path(), "--json"});
  EXPECT_NE(json.out.find("\"path\": \"S/X.Bin\",\n    \"button\": \"FirmareBtn_1_1\",\n"
                          "    \"tooltip\": null"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"button\": \"FirmareBtn_3\",\n    \"tooltip\": \"upgrade\""),
            std::string::npos);
  // The user's folder follows the program's, both named.
  RunResult both = Cli({"firmware", "list"}, {"VIDODEZ_FIRMWARE_DIR=" + files_.File("S")});
  EXPECT_NE(both.out.find(files_.File("S") + ":\nX.Bin\n"), std::string::npos) << both.out;
  EXPECT_EQ(Cli({"firmware", "list", "--folder", files_.File("none")}).exit_code, 1);
}

TEST_F(CliFirmware, StampSaysWhatItWroteAndFailsForWhatItCouldNot) {
  const std::string image = Put("one.bin", Image("", 0) + "\x12\x34");
  const std::string short_one = Put("short.bin", std::string(19, '\0'));
  RunResult first = Cli({"firmware", "stamp", image});
  EXPECT_EQ(first.exit_code, 0) << first.err;
  EXPECT_EQ(first.out, image + ": 1234 written\n");
  EXPECT_EQ(ReadFileBytes(image).substr(16, 4), "1234");
  ExpectRuns({{{"firmware", "stamp", image}, 0, image + ": 1234 already stamped\n"},
              {{"firmware", "stamp", short_one, image}, 1, image + ": 1234 already stamped\n"},
              {{"firmware", "stamp", files_.File("none.bin")}, 1, ""},
              {{"firmware", "stamp", files_.path()}, 1, ""}});
  EXPECT_EQ(ReadFileBytes(short_one), std::string(19, '\0'));
}

TEST_F(CliFirmware, UpgradeFromVersionReadToNewVersion) {
  ASSERT_TRUE(StartSim({"--upgrade-seconds", "1"}));
  RunResult before = Cli({"firmware", "info"});
  EXPECT_EQ(before.exit_code, 0) << before.err;
  EXPECT_EQ(before.out, "V1.52\nVT41-0152\n");
  const std::string image = Put("P7.bin", Image("1.60", 3000));

  RunResult refused = Cli({"firmware", "upgrade", image});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(refused.err,
            "Please make sure the partnumber of the printer is:\"VT41-0152\" ? "
            "(not confirmed: run again with --yes)\n");
  const std::string queries = "^G1\r\n\r\n";
  EXPECT_EQ(Escaped(Wire()), Escaped(queries));

  // On a terminal, with the progress bar of send-file (where a test can read one).
  bool terminal = false;
  RunResult upgraded =
      CliOnTerminalIfAny({"firmware", "upgrade", image, "--yes", "--watch"}, &terminal);
  EXPECT_EQ(upgraded.exit_code, 0) << upgraded.err;
  if (terminal) {
    EXPECT_NE(upgraded.err.find("] 100%  Sent 3.0 KiB of 3.0 KiB"), std::string::npos)
        << upgraded.err;
  }
  // The printer may still be ready when the watch begins.
  const std::string steps = "USBSTATUS UPDATING\nUPGRADE COMPLETE\nREADY\n";
  EXPECT_TRUE(upgraded.out == steps || upgraded.out == "READY\n" + steps) << upgraded.out;
  // Stamped before it went out, as the page's list stamps it.
  const std::string stamped = ReadFileBytes(image);
  EXPECT_NE(stamped.substr(16, 4), std::string(4, '\0'));
  EXPECT_EQ(Escaped(Wire()), Escaped(queries + stamped));

  RunResult after = Cli({"firmware", "info", "--json"});
  EXPECT_EQ(after.out, "{\n  \"version\": \"V1.60\",\n  \"id\": \"VT41-0152\"\n}\n");
  ExpectRuns({{{"firmware", "upgrade", files_.File("none.bin"), "--yes"},
               1,
               std::nullopt,
               "File not found!\n"}});
}

// A 20 GB sparse file was stamped for a minute and exited 0, and would have
// been sent whole; a folder or /dev/zero was "sent" and told as an upload
// that stopped half-way. Each is refused with its reason, nothing sent. The
// file is one byte past the limit: on Windows growing a file asks for its
// free space first, and a 20 GB file failed on a fuller disk.
TEST_F(CliFirmware, WhatIsNoImageIsRefusedBeforeAnythingIsSent) {
  ASSERT_TRUE(StartSim());
  const std::string huge = Put("huge.bin", "");
  std::filesystem::resize_file(huge, kMaxFirmwareImageSize + 1);
  std::filesystem::create_directory(files_.File("DIR"));
  std::vector<std::string> no_files{files_.File("DIR")};
#ifndef _WIN32
  no_files.emplace_back("/dev/zero");
#endif
  ExpectRuns({{{"--lang", "eng", "firmware", "stamp", huge}, 1, "", "larger than any printer"},
              {{"--lang", "eng", "firmware", "upgrade", huge, "--yes"},
               1,
               "",
               "larger than any printer"}});
  for (const std::string& name : no_files)
    ExpectRuns({{{"--lang", "eng", "firmware", "upgrade", name, "--yes"}, 1, "", "Not a file"}});
  EXPECT_EQ(Wire(), "");
  for (const std::string& name : no_files) {
    RunResult result = Cli({"--lang", "eng", "firmware", "upgrade", name, "--yes"});
    EXPECT_EQ(result.err.find("stopped before the whole file"), std::string::npos) << result.err;
  }
}

// Names with a line feed or an escape code were printed raw, forging lines
// and reaching the terminal; a name that is no UTF-8 lost its bytes in JSON.
TEST_F(CliFirmware, ListQuotesNamesThatAreNoPlainText) {
#ifdef _WIN32
  GTEST_SKIP() << "file names holding a line feed or bytes that are no text are Linux's";
#else
  Put("F/a\nb.bin");
  Put("F/\x1b[31mred.txt");
  Put("F/\xff.bin");
  Put("F/\xe5\x9b\xba\xe4\xbb\xb6.bin");  // Chinese, as it is
  RunResult listed = Cli({"firmware", "list", "--folder", files_.File("F")});
  ASSERT_EQ(listed.exit_code, 0) << listed.err;
  EXPECT_EQ(listed.out,
            "\"\\x1b[31mred.txt\"\n\"a\\x0ab.bin\"\n\xe5\x9b\xba\xe4\xbb\xb6.bin\n"
            "\"\\xff.bin\"\n");
  RunResult json = Cli({"firmware", "list", "--folder", files_.File("F"), "--json"});
  ASSERT_EQ(json.exit_code, 0) << json.err;
  EXPECT_NE(json.out.find("\"pathBytes\": \"ff2e62696e\""), std::string::npos) << json.out;
#endif
}

}  // namespace
}  // namespace vidodez::test
