#pragma once
// Every file the program writes for the operator (settings files, pictures,
// command files) replaces its target whole or not at all: the bytes go to a
// temporary file beside the target, which is synced and renamed over it, so
// a full disk, a file-size limit or a crash leaves the old file as it was and
// no temporary file behind. A symbolic link is written through to the file it
// names, and an existing file keeps its permissions. Begin, then Write as
// many pieces as the writer has, then Commit: a large file (a font's
// command) is streamed, never held whole a second time.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vidodez {

class FileReplacement {
 public:
  FileReplacement() = default;
  ~FileReplacement();  // an unfinished replacement is dropped, the target untouched
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Creates the temporary file, so a folder that cannot be written fails
  // here: kShellOk or kOutputCreateFailed.
  [[nodiscard]] int Begin(const std::string& path);
  // kShellOk or kOutputWriteFailed (the replacement is then dropped).
  [[nodiscard]] int Write(std::span<const std::uint8_t> bytes);
  [[nodiscard]] int Write(std::string_view bytes);
  // Syncs and renames over the target: kShellOk or kOutputWriteFailed.
  [[nodiscard]] int Commit();
  // The errno behind the last failure.
  int error() const { return error_; }

 private:
  int Fail(int code);
  void Drop();
  int RenameIntoPlace(int fd);

  std::string target_;  // the path, its links followed
  std::string temp_path_;
  int fd_ = -1;
  int slot_ = -1;  // where RemoveUnfinishedReplacements finds it
  int error_ = 0;
};

// Removes the temporary file of every replacement still under way; safe in
// a signal handler (it only unlinks), so a program ended by a signal leaves
// no temporary file of its own behind.
void RemoveUnfinishedReplacements();

// Begin, Write and Commit in one: `path` holds `bytes` afterwards, or is as
// it was. `error`, if given, receives the errno behind a failure.
[[nodiscard]] int ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes,
                              int* error = nullptr);

}  // namespace vidodez
