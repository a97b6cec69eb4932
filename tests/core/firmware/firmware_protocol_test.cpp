#include "core/firmware/firmware_protocol.h"

#include <gtest/gtest.h>

#include "core/config/config_codes.h"
#include "core/link/port_codes.h"
#include "support/expect_code.h"

namespace vidodez {
namespace {

TEST(UploadChunks, SendsEveryByteIn1024ByteChunks) {
  struct Case {
    uint64_t total;
    std::vector<size_t> sizes;
  } cases[] = {{3000, {1024, 1024, 952}}, {1024, {1024}}, {1025, {1024, 1}}, {0, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.total);
    UploadChunks chunks(c.total);
    std::vector<size_t> sizes;
    uint64_t expected_offset = 0;
    for (UploadChunk chunk; chunks.Next(&chunk);) {
      EXPECT_EQ(expected_offset, chunk.offset);
      expected_offset += chunk.size;
      EXPECT_EQ(expected_offset, chunks.handed_out());
      sizes.push_back(chunk.size);
    }
    EXPECT_EQ(c.sizes, sizes);
  }
}

// A settings reply whose field 6 is the version and field 7 the firmware ID.
std::string Reply() {
  std::string fields = "0*1*2*08*04*0*1.52*VT4100-A1";
  for (int i = 8; i < 32; ++i) fields += "*0";
  return "S*" + fields + "*E\r\n";
}

TEST(FirmwareInfo, ShowsVersionAndIdOnlyForAReadReply) {
  struct Case {
    const char* what;
    int result;
    std::string reply;
    int code;
    const char* version;
    const char* record_version;
  } cases[] = {
      {"read", kPortOk, Reply(), kPortOk, "V1.52", "1.52"},
      {"reply without settings", kPortOk, "junk", kSettingsReplyUnmarked, "old", ""},
      {"no reply", kQueryNoReply, Reply(), kQueryNoReply, "old", "9.99"},
      {"no usable printer", kNoUsablePrinter, "", kNoUsablePrinter, "old", "9.99"},
      {"open failed", kPortOpenFailed, "", kPortOpenFailed, "old", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PrinterSettingsRecord record;
    record.FirmwareVersion.Set("9.99");
    int field_count = -2;
    FirmwareInfo info{"old", "old"};
    EXPECT_CODE(c.code, InterpretFirmwareInfo(c.result, c.reply, &record, &field_count, &info));
    EXPECT_EQ(c.version, info.version);
    EXPECT_EQ(c.record_version, record.FirmwareVersion.str());
    if (c.code == kPortOk) {
      EXPECT_EQ("VT4100-A1", info.id);
      EXPECT_EQ(32, field_count);
    }
  }
}

}  // namespace
}  // namespace vidodez
