#pragma once
// What SIGINT and SIGTERM do while the command line is in the middle of
// something that must not be cut short.
//
// While it sends an object whose size the
// printer was told first (a graphic, a font, a firmware image). Stopped
// half-way, the printer would wait for the rest and take the next commands
// as its bytes. Once the first bytes are out, a signal is held: the
// transfer finishes ("finishing the transfer..." on stderr), then the
// signal takes effect. A second signal stops it at once, saying the printer
// may need a restart. Before the transfer starts a signal acts as always.

#include <string>

#include "core/link/transfer_progress.h"

namespace vidodez::cli {

class HeldTransferSignals {
 public:
  // `new_line`: a progress bar stands on stderr's line; messages start below it.
  HeldTransferSignals(const std::string& language, bool new_line);
  // The handlers as they were; a signal held meanwhile then takes effect.
  ~HeldTransferSignals();
  HeldTransferSignals(const HeldTransferSignals&) = delete;
  HeldTransferSignals& operator=(const HeldTransferSignals&) = delete;

  // `inner` (may be empty), after marking the transfer started: the send
  // reports its first bytes out.
  SendProgress Watching(SendProgress inner);
};

// While alive, SIGINT and SIGTERM first remove the temporary files of the
// replacements under way (a large command file being written), then end
// the program as they would have: the old file stays, nothing is left.
class SignalsRemoveUnfinishedFiles {
 public:
  SignalsRemoveUnfinishedFiles();
  ~SignalsRemoveUnfinishedFiles();  // the handlers as they were
  SignalsRemoveUnfinishedFiles(const SignalsRemoveUnfinishedFiles&) = delete;
  SignalsRemoveUnfinishedFiles& operator=(const SignalsRemoveUnfinishedFiles&) = delete;
};

}  // namespace vidodez::cli
