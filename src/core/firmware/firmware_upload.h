#pragma once
// The file an upgrade sends. An image is sent stamped, as the printer checks
// its checksum: stamped in place, or, where the file cannot be written (the
// installed program's read-only folder), as a stamped copy in the temporary
// folder, removed afterwards. What cannot be sent whole and right is refused
// before the printer is opened.

#include <string>

#include "core/firmware/firmware_file_calls.h"

namespace vidodez {

class FirmwareUploadFile {
 public:
  FirmwareUploadFile() = default;
  ~FirmwareUploadFile();  // removes a copy
  FirmwareUploadFile(const FirmwareUploadFile&) = delete;
  FirmwareUploadFile& operator=(const FirmwareUploadFile&) = delete;

  // kFirmwareOk with path() the file to send. The refusals of
  // CheckFirmwareFile; for a name that takes a stamp (".bin" in it) also
  // kFirmwareImageTooShort, and kFirmwareFileWriteFailed when neither the
  // file nor a copy could be stamped.
  [[nodiscard]] int Prepare(const std::string& path,
                            const FirmwareFileCalls& calls = DefaultFirmwareFileCalls());
  const std::string& path() const { return path_; }
  bool copied() const { return copied_; }

 private:
  std::string path_;
  bool copied_ = false;
};

}  // namespace vidodez
