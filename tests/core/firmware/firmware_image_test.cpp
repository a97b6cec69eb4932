#include "core/firmware/firmware_image.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_files.h"
#include "support/expect_code.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// A part number, the checksum field, the 28 unread bytes, then the body.
std::string Image(const std::string& body, const std::string& field = std::string(4, '\0')) {
  std::string image = "VT-4100";
  image.resize(kPartNumberSize, '\0');
  return image + field + std::string(28, 'x') + body;
}

TEST(FirmwareChecksum, SumsBigEndianWordsModulo65536) {
  struct Case {
    std::string body;
    const char* text;
  } cases[] = {
      {"\x12\x34", "1234"},
      {"\xAB", "ab00"},                              // a last odd byte is a high byte
      {std::string("\xFF\xFF\x00\x01", 4), "0000"},  // 65536
      {"", "0000"},
      {std::string(1000, '\x01'), "f5f4"},  // 500 x 0x0101 = 128500
      {std::string(1001, '\x01'), "f6f4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FirmwareChecksum whole;
    whole.Add(Bytes(c.body));
    EXPECT_EQ(c.text, ChecksumText(whole.value()));
    // Fed in odd pieces the sum is the same.
    FirmwareChecksum pieces;
    for (size_t at = 0; at < c.body.size(); at += 37)
      pieces.Add(Bytes(c.body).subspan(at, std::min<size_t>(37, c.body.size() - at)));
    EXPECT_EQ(c.text, ChecksumText(pieces.value()));
  }
}

// The printer takes a transfer for an image only by its header.
TEST(FirmwareImage, StampedHeaderIsTellableFromTextAndUnstampedImages) {
  std::string sixteen(16, 'P');
  struct Case {
    std::string bytes;
    bool image;
  } cases[] = {
      {Image("", "1a2f"), true},
      {Image("body", "0000").substr(0, 20), true},
      {Image("", "1a2F"), false},                         // upper-case digit
      {Image(""), false},                                 // not stamped yet
      {Image("", "1a2").substr(0, 19), false},            // too short to tell
      {sixteen + "1a2f", false},                          // no padding: a line of text
      {std::string(16, '\0') + "1a2f", false},            // no part number
      {"VT\tX" + std::string(12, '\0') + "1a2f", false},  // a control byte
      {"VT" + std::string(6, '\0') + "X" + std::string(7, '\0') + "1a2f", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(c.image, BeginsStampedImage(Bytes(c.bytes)));
  }
}

TEST(FirmwareStamp, WritesTheSumOnlyIntoUnstampedImages) {
  struct Case {
    const char* what;
    std::string file;
    int code;
    bool written;
    std::string after;
  } cases[] = {
      {"two bytes", Image("\x12\x34"), kFirmwareOk, true, Image("\x12\x34", "1234")},
      {"one byte", Image("\xAB"), kFirmwareOk, true, Image("\xAB", "ab00")},
      {"no body", std::string(20, '\0'), kFirmwareOk, true, std::string(16, '\0') + "0000"},
      {"under 48 bytes", std::string(30, '\0'), kFirmwareOk, true,
       std::string(16, '\0') + "0000" + std::string(10, '\0')},
      {"under 20 bytes", std::string(19, '\0'), kFirmwareImageTooShort, false,
       std::string(19, '\0')},
      {"stamped", Image("\x12\x34", "beef"), kFirmwareOk, false, Image("\x12\x34", "beef")},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.File("P1.BIN");
    WriteFileBytes(path, c.file);
    StampResult result;
    EXPECT_CODE(c.code, StampFirmwareImage(path, &result));
    EXPECT_EQ(c.written, result.written);
    EXPECT_EQ(c.after, ReadFileBytes(path));
  }
}

// Failures the tests cannot cause through permissions when run as root.
struct Faults {
  int64_t fail_reads_from = -1;
  int open_for_writing_errno = 0;
  bool fail_writes = false;
} g_faults;

FirmwareFileCalls FaultyCalls() {
  FirmwareFileCalls calls = DefaultFirmwareFileCalls();
  calls.open = [](const char* path, unsigned mode, unsigned permissions) {
    const bool deny = g_faults.open_for_writing_errno != 0 && (mode & platform::kOpenRead) == 0;
    return deny ? (errno = g_faults.open_for_writing_errno, -1)
                : platform::DefaultFileCalls().open(path, mode, permissions);
  };
  calls.read_at = [](int fd, void* buffer, size_t size, uint64_t offset) -> int64_t {
    const bool fail =
        g_faults.fail_reads_from >= 0 && static_cast<int64_t>(offset) >= g_faults.fail_reads_from;
    return fail ? (errno = EIO, -1)
                : platform::DefaultFileCalls().read_at(fd, buffer, size, offset);
  };
  calls.write_at = [](int fd, const void* data, size_t size, uint64_t offset) -> int64_t {
    return g_faults.fail_writes ? (errno = ENOSPC, -1)
                                : platform::DefaultFileCalls().write_at(fd, data, size, offset);
  };
  return calls;
}

TEST(FirmwareStamp, FailedReadOrWriteLeavesTheFileAsItWas) {
  // Large enough that the body is read in more than one block; the sum is
  // 307200 x 0x5a5a + 0x1234.
  const std::string image = Image(std::string(600 * 1024, '\x5a') + "\x12\x34");
  struct Case {
    const char* what;
    Faults faults;
    int code;
    const char* checksum;
  } cases[] = {
      {"read fails half-way", {kImageBodyOffset + 1, 0, false}, kFirmwareFileReadFailed, ""},
      {"read-only file", {-1, EACCES, false}, kFirmwareFileWriteFailed, "f234"},
      {"write fails", {-1, 0, true}, kFirmwareFileWriteFailed, "f234"},
  };
  TempDir dir;
  const FirmwareFileCalls calls = FaultyCalls();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes(dir.File("P1.BIN"), image);
    g_faults = c.faults;
    StampResult result;
    EXPECT_CODE(c.code, StampFirmwareImage(dir.File("P1.BIN"), &result, calls));
    g_faults = {};
    EXPECT_FALSE(result.written);
    EXPECT_EQ(c.checksum, result.checksum);
    EXPECT_TRUE(ReadFileBytes(dir.File("P1.BIN")) == image);
  }
}

TEST(FirmwareStamp, OpensNothingButRegularFiles) {
  TempDir dir;
  ASSERT_EQ(0, ::mkfifo(dir.File("P1.BIN").c_str(), 0600));  // opened for reading it would hang
  ASSERT_EQ(0, ::mkdir(dir.File("P2.BIN").c_str(), 0700));
  StampResult result;
  EXPECT_CODE(kFirmwareNotAFile, StampFirmwareImage(dir.File("P1.BIN"), &result));
  EXPECT_CODE(kFirmwareNotAFile, StampFirmwareImage(dir.File("P2.BIN"), &result));
  EXPECT_CODE(kFirmwareFileNotFound, StampFirmwareImage(dir.File("P3.BIN"), &result));
  EXPECT_EQ(FirmwareTooltip::kNone, FirmwareTooltipFor(dir.File("P1.BIN")));
}

}  // namespace
}  // namespace vidodez
