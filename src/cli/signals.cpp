#include "cli/signals.h"

#include <csignal>

#include "cli/cli_texts.h"
#include "core/platform/process.h"
#include "core/shell/file_replacement.h"

namespace vidodez::cli {
namespace {

// What the handler reads; written only while no handler of ours is set.
volatile std::sig_atomic_t g_started = 0;
volatile std::sig_atomic_t g_held = 0;
std::string g_finishing;
std::string g_stopped;

void Tell(const std::string& text) { platform::WriteErrorNow(text.data(), text.size()); }

void OnInterruptRemovingFiles(int interrupt) {
  RemoveUnfinishedReplacements();
  platform::EndAsInterrupted(interrupt);
}

// Only calls that are safe in a handler.
void OnInterrupt(int interrupt) {
  if (g_started != 0 && g_held == 0) {
    g_held = interrupt;
    Tell(g_finishing);
    return;
  }
  if (g_started != 0) Tell(g_stopped);
  // A command file being written before the send (a font's) goes too.
  OnInterruptRemovingFiles(interrupt);
}

}  // namespace

HeldTransferSignals::HeldTransferSignals(const std::string& language, bool new_line) {
  const std::string start = new_line ? "\n" : "";
  g_finishing = start + Say(CliText::kFinishingTransfer, language) + "\n";
  g_stopped = start + Say(CliText::kTransferStopped, language) + "\n";
  g_started = 0;
  g_held = 0;
  platform::TakeInterrupts(OnInterrupt);
}

HeldTransferSignals::~HeldTransferSignals() {
  platform::RestoreInterrupts();
  g_started = 0;
  if (const int held = g_held; held != 0) {
    g_held = 0;
    platform::RaiseInterrupt(held);
  }
}

SendProgress HeldTransferSignals::Watching(SendProgress inner) {
  return [inner = std::move(inner)](uint64_t sent, uint64_t total) {
    g_started = 1;
    return inner ? inner(sent, total) : true;
  };
}

SignalsRemoveUnfinishedFiles::SignalsRemoveUnfinishedFiles() {
  platform::TakeInterrupts(OnInterruptRemovingFiles);
}

SignalsRemoveUnfinishedFiles::~SignalsRemoveUnfinishedFiles() { platform::RestoreInterrupts(); }

}  // namespace vidodez::cli
