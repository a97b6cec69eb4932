// Firmware images as the simulated printer takes them, and the status it
// goes through.

#include <gtest/gtest.h>

#include "core/firmware/firmware_image.h"
#include "model_io.h"
#include "sim/printer_model.h"
#include "support/temp_dir.h"

namespace vidodez::sim {
namespace {

using namespace std::chrono_literals;

constexpr auto kStep = 1s;

// A stamped image: part number, checksum, the version at offset 20, body.
// The body holds command lines that must not be carried out.
std::string Image(const std::string& part, const std::string& version, bool right_sum = true) {
  std::string body = "^G1\r\n#UM>IF\r\n~DTE:X,1,\r\nFF\r\n";
  for (int i = 0; i < 3000; ++i) body.push_back(static_cast<char>(i * 13));
  std::string image = part;
  image.resize(kPartNumberSize, '\0');
  FirmwareChecksum sum;
  sum.Add({reinterpret_cast<const uint8_t*>(body.data()), body.size()});
  image += ChecksumText(static_cast<uint16_t>(right_sum ? sum.value() : sum.value() + 1));
  std::string unread = version;
  unread.resize(kImageBodyOffset - kImageVersionOffset, '\0');
  return image + unread + body;
}

// Sends in transfers of 1024 bytes, 1 ms apart; returns the last one's time.
Clock::time_point Upload(PrinterModel& model, const std::string& image, Clock::time_point start) {
  Clock::time_point at = start;
  for (size_t offset = 0; offset < image.size(); offset += 1024, at += 1ms)
    Send(model, image.substr(offset, 1024), at);
  return at - 1ms;
}

TEST(FirmwareUpgrade, StatusStepsAndVersionFollowTheImagesPartNumberAndChecksum) {
  struct Case {
    const char* what;
    std::string image;
    std::vector<uint8_t> statuses;  // at the end of the image, one and two steps later
    const char* version;
  } cases[] = {
      {"right", Image("VT41-0152", "1.60"), {19, 107, 24}, "1.60"},
      {"no version in it", Image("VT41-0152", ""), {19, 107, 24}, "1.52"},
      {"version too long", Image("VT41-0152", "1.60.0.123"), {19, 107, 24}, "1.52"},
      {"wrong checksum", Image("VT41-0152", "1.60", false), {106, 24, 24}, "1.52"},
      {"other model", Image("VT41-0153", "1.60"), {106, 24, 24}, "1.52"},
      {"longer part number", Image("VT41-0152X", "1.60"), {106, 24, 24}, "1.52"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir state;
    PrinterOptions options;
    options.upgrade_step = kStep;
    options.state_dir = state.path();
    PrinterModel model(options);
    const Clock::time_point last = Upload(model, c.image, Clock::now());
    const Clock::time_point end = last + kImageQuietEnd;
    model.Advance(end - 1ms);
    EXPECT_EQ(model.status(), 24);
    std::vector<uint8_t> seen;
    for (Clock::time_point at : {end, end + kStep, end + 2 * kStep}) {
      model.Advance(at);
      seen.push_back(model.status());
      // Upgrade complete already reports the new version.
      if (model.status() == kUpgradeCompleteByte) {
        EXPECT_EQ(model.settings()[6], c.version);
      }
    }
    EXPECT_EQ(seen, c.statuses);
    EXPECT_EQ(model.settings()[6], c.version);
    EXPECT_EQ(PrinterModel(options).settings()[6], c.version);
    // Nothing of the image was read as a command.
    std::vector<uint8_t> reply;
    EXPECT_FALSE(model.TakeTransfer(end + 3 * kStep, &reply));
    EXPECT_TRUE(model.actions().empty());
    EXPECT_TRUE(model.stored().fonts.empty());
  }
}

// Bytes after the quiet time are commands again, and text never starts an
// image, even one with hex digits where the checksum would stand.
TEST(FirmwareUpgrade, ImageEndsAfterQuietAndTextIsNeverTakenForOne) {
  PrinterModel model(PrinterOptions{});
  const Clock::time_point last = Upload(model, Image("VT41-0152", "1.60"), Clock::now());
  const std::string query = "^G1\r\n";
  Send(model, query, last + kImageQuietEnd - 1ms);  // still part of the image
  Send(model, query, last + 2 * kImageQuietEnd);
  Send(model, "ABCDEFGHIJKLMNOP1234 ^G1\r\n", last + 3 * kImageQuietEnd);
  std::vector<uint8_t> reply;
  int replies = 0;
  while (model.TakeTransfer(last + 4 * kImageQuietEnd, &reply)) ++replies;
  EXPECT_EQ(replies, 2);
  // The image's last transfer changed its checksum: an error, not an upgrade.
  EXPECT_EQ(model.status(), kUpgradeErrorByte);
}

}  // namespace
}  // namespace vidodez::sim
