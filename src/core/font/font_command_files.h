#pragma once
// The files a font download leaves behind, and how they are written: as the
// printers have always received them, every line end as CR CR LF.

#include <functional>
#include <string>
#include <string_view>

#include "core/font/font_download_command.h"
#include "core/font/font_job.h"

namespace vidodez {

// NAME.prn in the working folder: the download command, written before it
// is sent.
std::string DownloadFileName(const std::string& font_name);
// On the desktop when printing to file: VRLE_NAME.txt or VRLZ_NAME.txt with
// the download command, VRLE_TEST.txt or VRLZ_TEST.txt with the test program.
std::string DesktopCommandFileName(FontCommandType type, const std::string& font_name);
std::string DesktopTestFileName(FontCommandType type);
// TEST_NAME.txt on the desktop: the test program, written before Print Test
// sends it.
std::string TestPrintFileName(const std::string& font_name);

// folder + "/" + name; the name alone for an empty folder (the working one).
std::string CommandFilePath(const std::string& folder, const std::string& name);

// Hands `write` the bytes a text-mode write stores for `text` (each LF as
// CR LF), in chunks, so no second copy of a large command is ever held.
// The first non-zero code `write` returns, else 0.
[[nodiscard]] int WriteTextMode(std::string_view text,
                                const std::function<int(const std::string&)>& write);

// Hands a command file's text to `write` piece by piece (as
// BuildFontDownloadCommand does): 0, or a code of its own or of `write`.
using CommandSource = std::function<int(const CommandSink& write)>;

// Writes the text as a text-mode write always stored it: each LF as CR LF,
// so the text's CR LF reaches the disk as CR CR LF. Each piece goes to the
// file as it comes, so a large command is never held whole. The file is
// written aside and renamed into place. kFontOk, kFontCommandFileFailed, or
// the source's own code (the file is then left as it was); the errno behind
// kFontCommandFileFailed in `error` if given.
[[nodiscard]] int WriteCommandFile(const std::string& path, const CommandSource& source,
                                   int* error = nullptr);
[[nodiscard]] int WriteCommandFile(const std::string& path, std::string_view text,
                                   int* error = nullptr);

// Whether a download may write its command file at `path` without asking:
// no file is there (a folder or FIFO makes the write fail), or a file that
// begins with a download's header line, as this program writes them. Any
// other file is the operator's own.
bool MayReplaceCommandFile(const std::string& path);

// WriteCommandFile into the desktop folder, created when missing. kFontOk,
// kFontNoDesktop, kFontCommandFileFailed or the source's code; `path` gets
// the file's path.
[[nodiscard]] int WriteDesktopCommandFile(const std::string& file_name, const CommandSource& source,
                                          std::string* path);
[[nodiscard]] int WriteDesktopCommandFile(const std::string& file_name, std::string_view text,
                                          std::string* path);

}  // namespace vidodez
