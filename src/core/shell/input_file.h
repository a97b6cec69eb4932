#pragma once
// Every file the operator names for reading (settings files, pictures, files
// to send, command files) is opened here. The open never blocks, so a FIFO
// cannot hang the program while it holds a printer, and only regular files
// are taken: a folder, a FIFO or a device gives kInputNotRegular. Reads are
// bounded: at most one byte more than the caller's limit is ever read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/operator.h"

namespace vidodez {

// The descriptor of a regular file open for reading, in blocking mode again
// (reads of a regular file never wait for a writer); -1 on failure. Codes:
// kShellOk, kInputMissing, kInputOpenFailed, kInputNotRegular. `error`, if
// given, receives the errno behind a failure.
[[nodiscard]] int OpenInputFile(const std::string& path, int* fd, int* error = nullptr);
// Closes a descriptor OpenInputFile gave.
void CloseInputFile(int fd);

// The whole file into `bytes`, which changes only on success. A file of more
// than `limit` bytes gives kInputTooLarge after reading limit + 1 bytes, so
// /dev/zero-sized input costs nothing; kInputReadFailed when a read fails.
[[nodiscard]] int ReadInputFile(const std::string& path, std::size_t limit,
                                std::vector<std::uint8_t>* bytes, int* error = nullptr);

// What the operator reads for an input code: the path is named, and for
// kInputTooLarge the limit in bytes. Table kInputFileTable, index = code.
OperatorMessage InputFileMessage(int code, std::string_view path, std::size_t limit,
                                 std::string_view language);

inline constexpr char kInputFileTable[] = "input_file";

}  // namespace vidodez
