// The skins' images as files: written once for each archive into the cache,
// in a temporary folder when there is no cache to write.
#include "gui/window/skin_images.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

constexpr qint64 kLongAgo = 1000000000;

// Dates a file long ago, as an earlier build or start left it.
bool MadeLongAgo(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadWrite) &&
         file.setFileTime(QDateTime::fromSecsSinceEpoch(kLongAgo),
                          QFileDevice::FileModificationTime);
}

struct CopiedProgram {
  CopiedProgram() {
    EXPECT_TRUE(QFile::copy(QDir(VIDODEZ_TEST_PROGRAM_FOLDER).filePath("SkinRes.dat"),
                            QDir(folder).filePath("SkinRes.dat")));
  }
  // Another build of the archive, as a rebuild or an update leaves it.
  void Rebuild() const { ASSERT_TRUE(MadeLongAgo(QDir(folder).filePath("SkinRes.dat"))); }
  test::TempDir dir;
  QString folder = QString::fromStdString(dir.path());
  QString cache = QDir(folder).filePath("cache");
};

bool HoldsImages(const QString& path) {
  return !path.isEmpty() && QFileInfo(QDir(path).filePath("images/USB.png")).size() > 0;
}

TEST(SkinImageFolder, WrittenOncePerArchiveAndEarlierArchivesLeave) {
  CopiedProgram program;
  const SkinArchive skins(program.folder);
  const QString first = SkinImageFolder(skins, program.cache).path();
  ASSERT_TRUE(HoldsImages(first));
  EXPECT_TRUE(first.startsWith(program.cache));
  // A later start finds the folder as it was left, not written again.
  const QString image = QDir(first).filePath("images/USB.png");
  ASSERT_TRUE(MadeLongAgo(image));
  EXPECT_EQ(SkinImageFolder(skins, program.cache).path(), first);
  EXPECT_EQ(QFileInfo(image).lastModified().toSecsSinceEpoch(), kLongAgo);
  // What a cache cleaner took is written again.
  ASSERT_TRUE(QFile::remove(QDir(first).filePath("images/logo.png")));
  EXPECT_EQ(SkinImageFolder(skins, program.cache).path(), first);
  EXPECT_TRUE(QFileInfo::exists(QDir(first).filePath("images/logo.png")));
  // Another start's folder still being written is not touched.
  ASSERT_TRUE(QDir(program.cache).mkdir("skin-images-part-abcdef"));

  program.Rebuild();
  const SkinArchive rebuilt(program.folder);
  const QString second = SkinImageFolder(rebuilt, program.cache).path();
  EXPECT_TRUE(HoldsImages(second));
  EXPECT_NE(second, first);
  EXPECT_FALSE(QFileInfo::exists(first));
  EXPECT_TRUE(QFileInfo::exists(QDir(program.cache).filePath("skin-images-part-abcdef")));
}

TEST(SkinImageFolder, WithoutAWritableCacheTheImagesStillComeForTheRun) {
  CopiedProgram program;
  const SkinArchive skins(program.folder);
  test::WriteFileBytes(program.cache.toStdString(), "a file where the cache folder would be");
  QString temporary;
  {
    const SkinImageFolder images(skins, program.cache);
    temporary = images.path();
    EXPECT_TRUE(HoldsImages(temporary));
    EXPECT_FALSE(temporary.startsWith(program.cache));
    const SkinImageFolder no_cache(skins, QString());
    EXPECT_TRUE(HoldsImages(no_cache.path()));
  }
  EXPECT_FALSE(QFileInfo::exists(temporary));  // a run's own folder goes with it
}

}  // namespace
}  // namespace vidodez::gui
