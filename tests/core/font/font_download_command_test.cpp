#include "core/font/font_download_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/font/font_codes.h"
#include "support/expect_code.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::TempDir;
using test::WriteFileBytes;

const std::string kArialBytes("\x00\x1F\xA0", 3);
// Bytes 0x00 to 0x1F as the hex pass writes them.
const std::string kHex00To1F = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F";

std::string Bytes(int first, int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(first + i));
  return bytes;
}

FontDownloadJob Job(const std::string& path, std::uint32_t size,
                    FontCommandType type = FontCommandType::VRLE,
                    FontStorage storage = FontStorage::FLASH) {
  FontDownloadJob job;
  job.font_path = path;
  job.font_size = size;
  job.font_name = "ARIAL";
  job.command_type = type;
  job.storage = storage;
  return job;
}

// The whole command, gathered from the pieces it is handed out in.
int Build(const FontDownloadJob& job, std::string* command) {
  command->clear();
  return BuildFontDownloadCommand(job, [command](std::string_view piece) {
    command->append(piece);
    return 0;
  });
}

TEST(FontDownloadCommand, HeaderOfEachTypeAndStorageThenHexAndOneLineEnd) {
  TempDir dir;
  WriteFileBytes(dir.File("ARIAL.ttf"), kArialBytes);
  struct Case {
    FontCommandType type;
    FontStorage storage;
    const char* want;
  } cases[] = {
      {FontCommandType::VRLZ, FontStorage::FLASH, "~DTE:ARIAL,3,\r\n001FA0\r\n"},
      {FontCommandType::VRLZ, FontStorage::SDRAM, "~DTR:ARIAL,3,\r\n001FA0\r\n"},
      {FontCommandType::VRLE, FontStorage::SDRAM, "DT0,ARIAL,3,\r\n001FA0\r\n"},
      {FontCommandType::VRLE, FontStorage::FLASH, "DT1,ARIAL,3,\r\n001FA0\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    std::string command;
    ASSERT_CODE(kFontOk, Build(Job(dir.File("ARIAL.ttf"), 3, c.type, c.storage), &command));
    EXPECT_EQ(c.want, command);
    FontDownloadHeader header;
    ASSERT_TRUE(ParseFontDownloadHeader(command.substr(0, command.find('\r')), &header));
    EXPECT_EQ(c.type, header.command_type);
    EXPECT_EQ(c.storage, header.storage);
    EXPECT_EQ("ARIAL", header.name);
    EXPECT_EQ(3u, header.size);
  }
}

TEST(FontDownloadHeader, ReadsTheSizeFromTheEndAndRefusesOtherLines) {
  FontDownloadHeader header;
  ASSERT_TRUE(ParseFontDownloadHeader("~DTR:A,B,268435456,", &header));
  EXPECT_EQ("A,B", header.name);
  EXPECT_EQ(kMaxFontFileBytes, header.size);
  for (const char* line : {"DT0,ARIAL,3", "DT2,ARIAL,3,", "DTE:ARIAL,3,", "~DT0,ARIAL,3,",
                           "~DTE,ARIAL,3,", "DT0,,3,", "DT0,ARIAL,,", "DT0,ARIAL,3a,",
                           "DT0,ARIAL,268435457,", "DT0,ARIAL,99999999999,", "DT0,3,", "DT0,"}) {
    SCOPED_TRACE(line);
    FontDownloadHeader kept;
    kept.name = "kept";
    EXPECT_FALSE(ParseFontDownloadHeader(line, &kept));
    EXPECT_EQ("kept", kept.name);
  }
}

// A line end after every 32 bytes and after the last; the size taken
// earlier holds when the file changed since: bytes it lost are "00", bytes
// it gained are not sent.
TEST(FontDownloadCommand, LineEndAfterEvery32BytesAndTheSizeTakenEarlierHolds) {
  TempDir dir;
  struct Case {
    std::string bytes;
    std::uint32_t size;
    std::string want_after_header;
  } cases[] = {
      {"", 0, "\r\n"},
      {Bytes(0, 32), 32, kHex00To1F + "\r\n\r\n"},
      {Bytes(0, 33), 33, kHex00To1F + "\r\n20\r\n"},
      {std::string("\x0A\x0D\x00\xFF\x7F", 5), 5, "0A0D00FF7F\r\n"},
      {kArialBytes, 5, "001FA00000\r\n"},
      {kArialBytes, 2, "001F\r\n"},
      {kArialBytes, 0, "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want_after_header);
    WriteFileBytes(dir.File("f.ttf"), c.bytes);
    std::string command;
    ASSERT_CODE(kFontOk, Build(Job(dir.File("f.ttf"), c.size), &command));
    EXPECT_EQ("DT1,ARIAL," + std::to_string(c.size) + ",\r\n" + c.want_after_header, command);
  }
}

// xxd's lines of 32 bytes with CR LF line ends; false when it cannot be run.
bool XxdLines(const std::string& path, std::string* hex) {
  test::RunResult xxd = test::Run({"/usr/bin/xxd", "-p", "-u", "-c", "32", path});
  hex->clear();
  for (char c : xxd.out) *hex += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return xxd.exit_code == 0;
}

// xxd is the outside witness for files larger than one read block, whole or
// shrunk after their size was taken (the missing part spans whole blocks).
// Its line end after the last, part line is the command's last line end.
TEST(FontDownloadCommand, LargeFileMatchesXxd) {
  TempDir dir;
  std::string bytes;
  std::uint32_t seed = 7;
  for (int i = 0; i < 700001; ++i) {
    seed = seed * 1664525u + 1013904223u;
    bytes.push_back(static_cast<char>(seed >> 24));
  }
  WriteFileBytes(dir.File("big.ttf"), bytes);
  WriteFileBytes(dir.File("padded.ttf"), bytes + std::string(300000, '\0'));
  std::string hex, padded_hex;
  if (!XxdLines(dir.File("big.ttf"), &hex) || !XxdLines(dir.File("padded.ttf"), &padded_hex)) {
    GTEST_SKIP() << "xxd cannot be run";
  }
  std::string command;
  ASSERT_CODE(kFontOk, Build(Job(dir.File("big.ttf"), 700001), &command));
  EXPECT_TRUE(command == "DT1,ARIAL,700001,\r\n" + hex);
  ASSERT_CODE(kFontOk, Build(Job(dir.File("big.ttf"), 1000001), &command));
  EXPECT_TRUE(command == "DT1,ARIAL,1000001,\r\n" + padded_hex);
}

TEST(FontDownloadCommand, RefusalsLeaveNoCommand) {
  TempDir dir;
  WriteFileBytes(dir.File("f.ttf"), kArialBytes);
  ASSERT_EQ(0, ::mkfifo(dir.File("fifo").c_str(), 0600));
  FontDownloadJob long_name = Job(dir.File("f.ttf"), 3);
  long_name.font_name = "LongFont1";
  struct Case {
    FontDownloadJob job;
    int want;
  } cases[] = {
      {Job("", 3), kFontNoFont},
      {long_name, kFontNameTooLong},
      {Job(dir.File("missing.ttf"), 3), kFontFileOpenFailed},
      {Job(dir.path(), 3), kFontFileOpenFailed},
      {Job(dir.File("fifo"), 3), kFontFileOpenFailed},
      {Job(dir.File("f.ttf"), kMaxFontFileBytes + 1), kFontFileTooLarge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.job.font_path);
    std::string command = "stale";
    EXPECT_CODE(c.want, Build(c.job, &command));
    EXPECT_EQ("", command);
  }
}

}  // namespace
}  // namespace vidodez
