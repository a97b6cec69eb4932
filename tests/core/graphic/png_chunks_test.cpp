#include "core/graphic/png_chunks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace vidodez {
namespace {

std::string Chunk(const std::string& type, const std::string& data) {
  const std::uint32_t length = std::uint32_t(data.size());
  std::string chunk{char(length >> 24), char(length >> 16), char(length >> 8), char(length)};
  return chunk + type + data + "CRC!";  // the check value is the decoders' business
}

// Signature, header and image data.
std::string Head(char first = '\x89', char letter = 'P') {
  return std::string{first, letter, 'N', 'G', '\r', '\n', '\x1a', '\n'} +
         Chunk("IHDR", std::string(13, '\1')) + Chunk("IDAT", "compressed");
}

std::string Png(char first = '\x89', char letter = 'P') {
  return Head(first, letter) + Chunk("tEXt", "Comment") + Chunk("IEND", "");
}

bool Fits(const std::string& bytes) {
  const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
  return PngChunksWithinFile(data);
}

TEST(PngChunks, WholeFilesPassWhateverFollowsTheirEnd) {
  EXPECT_TRUE(Fits(Png()));
  EXPECT_TRUE(Fits(Png() + "trailing bytes no decoder reads\xff\xff\xff\xff"));
  EXPECT_TRUE(Fits(Png('\x8a', 'M')));
  EXPECT_TRUE(Fits(Png('\x8b', 'J')));
  // Other formats, and files too short to tell, are not this check's to judge.
  EXPECT_TRUE(Fits(""));
  EXPECT_TRUE(Fits("\x89PNG\r\n\x1a"));
  EXPECT_TRUE(Fits("\xff\xd8\xff\xe0\x7f\xff\xff\xff JPEG"));
}

// The fuzzer's picture: after the image data a text chunk names 1,918,989,093
// bytes where the file has 100 left.
TEST(PngChunks, LengthBeyondTheFileIsRefused) {
  EXPECT_FALSE(Fits(Head() + "ras%tEXt" + std::string(100, 'x')));
  EXPECT_FALSE(Fits(Head() + "\xff\xff\xff\xffIEND"));
  for (const char* signature : {"\x89PNG", "\x8aMNG", "\x8bJNG"}) {
    SCOPED_TRACE(signature);
    std::string damaged = Png();
    damaged.replace(0, 4, signature);
    damaged[8] = '\x7f';  // the header chunk's length
    EXPECT_FALSE(Fits(damaged));
  }
}

// A cut inside a chunk leaves it reaching past the end; a cut between chunks
// leaves nothing that does.
TEST(PngChunks, FileCutInsideAChunkIsRefused) {
  const std::string png = Png();
  const std::vector<std::size_t> boundaries{8, 8 + Chunk("IHDR", std::string(13, '\1')).size(),
                                            Head().size(),
                                            Head().size() + Chunk("tEXt", "Comment").size()};
  for (std::size_t size = 9; size < png.size(); ++size) {
    SCOPED_TRACE(size);
    const bool boundary = std::find(boundaries.begin(), boundaries.end(), size) != boundaries.end();
    EXPECT_EQ(Fits(png.substr(0, size)), boundary);
  }
}

}  // namespace
}  // namespace vidodez
