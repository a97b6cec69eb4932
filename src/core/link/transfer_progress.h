#pragma once
// How a long send reports its progress, and the words for it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vidodez {

// Told after each chunk the printer was handed: the bytes of the file sent
// so far and the file's size. Returning false stops the send after that
// chunk (kSendStopped). Called on the sending thread once per chunk, so it
// must cost next to nothing: record the numbers, show them elsewhere.
using SendProgress = std::function<bool(uint64_t sent, uint64_t total)>;

// "Sent 1.5 MiB of 64.0 MiB" in the program's language.
std::string TransferProgressText(uint64_t sent, uint64_t total, std::string_view language);

// Sent of total in thousandths, 0 to 1000, for bars.
int TransferPerMille(uint64_t sent, uint64_t total);

}  // namespace vidodez
