#pragma once
// PNG, MNG and JNG files are a signature and then chunks, each of which
// names its own length. libpng sets aside and clears what a chunk names
// before it reads a byte of it, so a damaged length of two gigabytes in a
// picture of 260 bytes cost that much memory and fifteen seconds before the
// read failed. No chunk of a whole file reaches past its end, so the chunk
// lengths are checked against the file before a decoder sees it.

#include <cstdint>
#include <span>

namespace vidodez {

// False when `bytes` begin as a PNG, MNG or JNG file and a chunk before its
// end chunk reaches past the last byte (a damaged length, or a file cut
// inside a chunk); true for every other file, those of other formats too.
bool PngChunksWithinFile(std::span<const std::uint8_t> bytes);

}  // namespace vidodez
