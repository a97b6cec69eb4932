#include "core/firmware/firmware_protocol.h"

#include <gtest/gtest.h>

#include "core/config/config_codes.h"
#include "core/link/port_codes.h"
#include "sim/printer_model.h"
#include "support/expect_code.h"

namespace vidodez {
namespace {

// The simulated printer's settings reply: version 1.52 in field 6, the
// firmware ID in field 7.
std::string Reply() { return sim::PrinterModel(sim::PrinterOptions{}).SettingsReply(); }

// The darkness "10*E": every field after it one place on.
std::string Shifted() {
  std::string reply = Reply();
  return reply.replace(reply.find("*10*04*"), 7, "*10*E*04*");
}

// Another printer's version must not stay on the labels: a reply without
// settings, or one whose fields are out of form ("10*E" as the darkness
// shifts the version to "0"), shows the cleared record.
TEST(FirmwareInfo, ShowsTheReadRecordOrTheClearedOne) {
  struct Case {
    const char* what;
    int result;
    std::string reply;
    int code;
    const char* version;
    const char* record_version;
  } cases[] = {
      {"read", kPortOk, Reply(), kPortOk, "V1.52", "1.52"},
      {"reply without settings", kPortOk, "junk", kSettingsReplyUnmarked, "V", ""},
      {"fields out of form", kPortOk, Shifted(), kSettingsReplyUnfit, "V", ""},
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
      EXPECT_EQ("VT41-0152", info.id);
      EXPECT_EQ(41, field_count);
    }
  }
}

}  // namespace
}  // namespace vidodez
