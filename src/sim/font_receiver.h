#pragma once
// A font download on its way in: the hex lines after a "DT" or "~DT"
// header. The lines end in CR LF or, as the command files have them, CR CR
// LF; every full line carries 32 bytes, so a shorter line or an empty one
// ends the payload. A line that is not hex digits ends it too, and goes on
// to the command parser.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/font/font_download_command.h"

namespace vidodez::sim {

class FontReceiver {
 public:
  explicit FontReceiver(FontDownloadHeader header) : header_(std::move(header)) {}

  // Takes payload bytes and returns how many; fewer than `size` only when
  // the payload has ended, at the first byte that is not payload.
  size_t Take(const uint8_t* data, size_t size);
  bool ended() const { return ended_; }
  // Ends the payload where it stands (another kind of transfer began).
  void End() { ended_ = true; }
  // The hex digits of a line that turned out not to be payload: the start
  // of the line the command parser gets.
  const std::string& unfinished_line() const { return line_; }

  const FontDownloadHeader& header() const { return header_; }
  // The font, only when the payload held exactly the announced size.
  std::optional<std::string> Font() const;

 private:
  void EndLine();

  FontDownloadHeader header_;
  std::string line_;  // the hex digits of the current line
  std::string font_;
  bool malformed_ = false;
  bool ended_ = false;
};

}  // namespace vidodez::sim
