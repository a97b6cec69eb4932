#include "cli/signals.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <csignal>

#include "cli/cli_texts.h"
#include "core/shell/file_replacement.h"

namespace vidodez::cli {
namespace {

constexpr std::array<int, 2> kSignals{SIGINT, SIGTERM};

// What the handler reads; written only while no handler of ours is set.
volatile std::sig_atomic_t g_started = 0;
volatile std::sig_atomic_t g_held = 0;
std::string g_finishing;
std::string g_stopped;
std::array<struct sigaction, kSignals.size()> g_previous{};

void Tell(const std::string& text) {
  // Nothing to do about a failed write to stderr inside a handler.
  (void)!::write(STDERR_FILENO, text.data(), text.size());
}

// Ends the program as `signal` would have without our handler.
void EndAsSignalled(int signal) {
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  ::sigemptyset(&default_action.sa_mask);
  ::sigaction(signal, &default_action, nullptr);
  // Delivered when the handler returns.
  ::raise(signal);
}

void Install(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  ::sigemptyset(&action.sa_mask);
  for (int signal : kSignals) ::sigaddset(&action.sa_mask, signal);
  for (size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &action, &g_previous[i]);
}

void Restore() {
  for (size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &g_previous[i], nullptr);
}

void OnSignalRemovingFiles(int signal) {
  RemoveUnfinishedReplacements();
  EndAsSignalled(signal);
}

// Only calls that are safe in a handler.
void OnSignal(int signal) {
  if (g_started != 0 && g_held == 0) {
    g_held = signal;
    Tell(g_finishing);
    return;
  }
  if (g_started != 0) Tell(g_stopped);
  // A command file being written before the send (a font's) goes too.
  RemoveUnfinishedReplacements();
  EndAsSignalled(signal);
}

}  // namespace

HeldTransferSignals::HeldTransferSignals(const std::string& language, bool new_line) {
  const std::string start = new_line ? "\n" : "";
  g_finishing = start + Say(CliText::kFinishingTransfer, language) + "\n";
  g_stopped = start + Say(CliText::kTransferStopped, language) + "\n";
  g_started = 0;
  g_held = 0;
  Install(OnSignal);
}

HeldTransferSignals::~HeldTransferSignals() {
  Restore();
  g_started = 0;
  if (const int held = g_held; held != 0) {
    g_held = 0;
    ::raise(held);
  }
}

SendProgress HeldTransferSignals::Watching(SendProgress inner) {
  return [inner = std::move(inner)](uint64_t sent, uint64_t total) {
    g_started = 1;
    return inner ? inner(sent, total) : true;
  };
}

SignalsRemoveUnfinishedFiles::SignalsRemoveUnfinishedFiles() { Install(OnSignalRemovingFiles); }

SignalsRemoveUnfinishedFiles::~SignalsRemoveUnfinishedFiles() { Restore(); }

}  // namespace vidodez::cli
