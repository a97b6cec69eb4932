// The font download command from any file under any name, with the file cut
// short or grown after its size was taken: the command is the header and
// exactly that many bytes as hex, 32 to a line, those the file no longer
// has sent as "00", or it is refused with the name's code.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/font/font_codes.h"
#include "core/font/font_download_command.h"
#include "core/font/font_job.h"
#include "fuzz/fuzz_input.h"
#include "support/temp_dir.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const vidodez::test::TempDir dir;
  vidodez::fuzz::FuzzInput input(data, size);
  const uint8_t choice = input.Byte();
  const int change = input.SignedByte();
  vidodez::FontDownloadJob job;
  job.command_type =
      (choice & 1) != 0 ? vidodez::FontCommandType::VRLZ : vidodez::FontCommandType::VRLE;
  job.storage = (choice & 2) != 0 ? vidodez::FontStorage::SDRAM : vidodez::FontStorage::FLASH;
  job.font_name = input.Text();
  job.font_path = dir.File("font.ttf");
  std::string font(input.Rest().begin(), input.Rest().end());
  vidodez::test::WriteFileBytes(job.font_path, font);

  // The size is taken when the file is chosen; then the file changes.
  Check(vidodez::TakeFontFileSize(job.font_path, &job.font_size) == vidodez::kFontOk &&
        job.font_size == font.size());
  if (change < 0) {
    font.resize(font.size() - std::min(font.size(), static_cast<size_t>(-change)));
    Check(::truncate(job.font_path.c_str(), static_cast<off_t>(font.size())) == 0);
  } else if (change > 0) {
    font.append(static_cast<size_t>(change), '\xAB');
    vidodez::test::WriteFileBytes(job.font_path, font);
  }

  std::string gbk;
  const int name_code = vidodez::FontNameForPrinter(job.font_name, &gbk);
  std::string command;
  const int code = vidodez::BuildFontDownloadCommand(job, [&command](std::string_view piece) {
    command.append(piece);
    return 0;
  });
  if (name_code != vidodez::kFontOk) {
    Check(code == name_code && command.empty());
    return 0;
  }
  Check(code == vidodez::kFontOk);

  const std::string header = (job.command_type == vidodez::FontCommandType::VRLZ ? "~DT" : "DT") +
                             std::string(1, vidodez::StorageCode(job.command_type, job.storage)) +
                             (job.command_type == vidodez::FontCommandType::VRLZ ? ":" : ",") +
                             gbk + "," + std::to_string(job.font_size) + ",\r\n";
  Check(command.compare(0, header.size(), header) == 0);
  size_t at = header.size();
  for (size_t i = 0; i < job.font_size; ++i) {
    Check(at + 2 <= command.size());
    const int high = HexDigit(command[at]);
    const int low = HexDigit(command[at + 1]);
    Check(high >= 0 && low >= 0);
    const uint8_t expected = i < font.size() ? static_cast<uint8_t>(font[i]) : 0;
    Check(high * 16 + low == expected);
    at += 2;
    if (i % 32 == 31) {
      Check(command.compare(at, 2, "\r\n") == 0);
      at += 2;
    }
  }
  Check(command.size() == at + 2 && command.compare(at, 2, "\r\n") == 0);
  return 0;
}
