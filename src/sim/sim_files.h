#pragma once
// The files the simulated printer keeps, under the programs' own rules:
// regular files only, reads bounded, and a clear refusal at start rather
// than a simulator that hangs on a FIFO or silently keeps nothing.

#include <cstddef>
#include <string>

#include "sim/printer_model.h"

namespace vidodez::sim {

// The state files of a printer, by their suffix, and what each may hold.
// ".stored" holds fonts and graphics in hex: twice the largest font the
// program sends, and room for the rest.
inline constexpr const char* kStateSuffixes[] = {".settings", ".calibration", ".stored", ".wifi",
                                                 ".labels"};
inline constexpr size_t kMaxStateFileBytes = 64 * 1024;
inline constexpr size_t kMaxStoredFileBytes = size_t(1) << 30;
size_t StateFileBound(const std::string& suffix);

// `state_dir` + "/" + the serial + `suffix`.
std::string StatePath(const PrinterOptions& options, const std::string& suffix);

// Why the printer of `options` cannot keep its files, or "" when it can: a
// state folder that is missing, no folder or not writable; a state file
// that is no regular file or larger than its bound; a wire log that is no
// regular file or cannot be opened for appending.
std::string SimFilesProblem(const PrinterOptions& options);

// A state file's bytes: "" when it is missing, no regular file or larger
// than its bound. Never waits: a FIFO is not opened for reading.
std::string ReadStateFile(const std::string& path, const std::string& suffix);

// The wire log opened for appending, without waiting for a reader of a FIFO;
// -1 (errno set) for anything but a regular file.
int OpenWireLog(const std::string& path);

}  // namespace vidodez::sim
