// What an upgrade sends: images stamped, in place or in a copy, and nothing
// that is no file or no firmware image at all.

#include "core/firmware/firmware_upload.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <string>

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_files.h"
#include "core/firmware/firmware_image.h"
#include "support/expect_code.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// An unstamped image whose body sums to 0x0102.
std::string Image() {
  std::string image = "VT41-0152";
  image.resize(kImageBodyOffset, '\0');
  return image + "\x01\x02";
}

// The installed program's folder: writing is refused for the image itself
// (even to root, who would write through the permission bits).
std::string g_read_only;

FirmwareFileCalls ReadOnlyImage() {
  FirmwareFileCalls calls = DefaultFirmwareFileCalls();
  calls.open = [](const char* path, unsigned mode, unsigned permissions) {
    if (path == g_read_only && (mode & platform::kOpenRead) == 0) return errno = EACCES, -1;
    return platform::DefaultFileCalls().open(path, mode, permissions);
  };
  return calls;
}

// The stamp failed on a read-only image and the image went out with the
// checksum 0000, which the printer refuses: a stamped copy goes instead,
// and is removed afterwards; the image itself stays as it was.
TEST(FirmwareUpload, ReadOnlyImageGoesOutAsAStampedCopy) {
  TempDir dir, temporary;
  const test::ScopedEnv tmpdir("TMPDIR", temporary.path().c_str());
  g_read_only = dir.File("RO.bin");
  WriteFileBytes(g_read_only, Image());
  const FirmwareFileCalls calls = ReadOnlyImage();
  {
    FirmwareUploadFile file;
    ASSERT_CODE(kFirmwareOk, file.Prepare(g_read_only, calls));
    EXPECT_TRUE(file.copied());
    EXPECT_NE(file.path(), g_read_only);
    std::string stamped = Image();
    stamped.replace(kChecksumOffset, kChecksumSize, "0102");
    EXPECT_EQ(ReadFileBytes(file.path()), stamped);
  }
  EXPECT_EQ(ReadFileBytes(g_read_only), Image());
  EXPECT_TRUE(test::FileNames(temporary.path()).empty()) << "the copy is left behind";

  // A writable image is stamped where it lies; a command file goes as it is.
  WriteFileBytes(dir.File("RW.bin"), Image());
  WriteFileBytes(dir.File("job.txt"), "^XA^XZ");
  for (const char* name : {"RW.bin", "job.txt"}) {
    FirmwareUploadFile file;
    ASSERT_CODE(kFirmwareOk, file.Prepare(dir.File(name)));
    EXPECT_FALSE(file.copied());
    EXPECT_EQ(file.path(), dir.File(name));
  }
  EXPECT_EQ(ReadFileBytes(dir.File("RW.bin")).substr(kChecksumOffset, kChecksumSize), "0102");
}

// A folder, a device or a file beyond any firmware's size was sent (or
// stamped for a minute) and ended in "the upload stopped": each is refused
// before anything is read or sent.
TEST(FirmwareUpload, RefusesWhatIsNoFileOrNoImage) {
  TempDir dir;
  ASSERT_EQ(0, ::mkdir(dir.File("DIR.bin").c_str(), 0700));
  WriteFileBytes(dir.File("short.bin"), "VT41");
  WriteFileBytes(dir.File("huge.bin"), "");
  ASSERT_EQ(0, ::truncate(dir.File("huge.bin").c_str(), off_t(20) << 30));  // 20 GiB, sparse
  WriteFileBytes(dir.File("limit.txt"), "");
  ASSERT_EQ(0, ::truncate(dir.File("limit.txt").c_str(), off_t(kMaxFirmwareImageSize)));
  struct Case {
    std::string path;
    int code;
  } cases[] = {{dir.File("DIR.bin"), kFirmwareNotAFile},
               {"/dev/zero", kFirmwareNotAFile},
               {dir.File("short.bin"), kFirmwareImageTooShort},
               {dir.File("huge.bin"), kFirmwareImageTooLarge},
               {dir.File("gone.bin"), kFirmwareFileNotFound},
               {dir.File("limit.txt"), kFirmwareOk}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    FirmwareUploadFile file;
    EXPECT_CODE(c.code, file.Prepare(c.path));
  }
  StampResult result;
  EXPECT_CODE(kFirmwareImageTooLarge, StampFirmwareImage(dir.File("huge.bin"), &result));
  EXPECT_EQ(result.found, "");
}

}  // namespace
}  // namespace vidodez
