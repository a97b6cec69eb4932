#include "core/platform/process.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <iterator>

namespace vidodez::platform {

long ProcessId() { return static_cast<long>(::getpid()); }

bool ProcessAlive(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv, argv + argc}; }

// Linux's streams have no text mode.
void UseBinaryStandardStreams() {}

void HoldClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
    // The lowest free number is this one, as the ones below are open.
    const int held = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
}

namespace {

sigset_t ProgramSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (int s : {SIGINT, SIGTERM, SIGUSR1, SIGUSR2, SIGHUP}) sigaddset(&signals, s);
  return signals;
}

}  // namespace

void TakeProgramSignals() {
  // Taken by sigwait on one thread alone; threads started later inherit the mask.
  const sigset_t signals = ProgramSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

ProgramSignal WaitForProgramSignal() {
  const sigset_t signals = ProgramSignals();
  for (;;) {
    int taken = 0;
    if (sigwait(&signals, &taken) != 0) continue;
    if (taken == SIGUSR1) return ProgramSignal::kUnplug;
    if (taken == SIGUSR2) return ProgramSignal::kPlug;
    return ProgramSignal::kStop;
  }
}

void RequestStop() { ::kill(::getpid(), SIGTERM); }

namespace {

constexpr int kInterrupts[] = {SIGINT, SIGTERM};
struct sigaction previous_interrupts[2];

}  // namespace

void TakeInterrupts(void (*handler)(int interrupt)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int interrupt : kInterrupts) sigaddset(&action.sa_mask, interrupt);
  for (size_t i = 0; i < std::size(kInterrupts); ++i)
    ::sigaction(kInterrupts[i], &action, &previous_interrupts[i]);
}

void RestoreInterrupts() {
  for (size_t i = 0; i < std::size(kInterrupts); ++i)
    ::sigaction(kInterrupts[i], &previous_interrupts[i], nullptr);
}

void EndAsInterrupted(int interrupt) {
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  ::sigaction(interrupt, &default_action, nullptr);
  // Delivered when the handler returns.
  ::raise(interrupt);
}

void RaiseInterrupt(int interrupt) { ::raise(interrupt); }

void WriteErrorNow(const char* text, std::size_t size) {
  // Nothing to do about a failed write to stderr inside a handler.
  (void)!::write(STDERR_FILENO, text, size);
}

void* LoadModule(const std::string& path, std::string* why) {
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* reason = ::dlerror();
    *why = reason != nullptr ? reason : "";
  }
  return module;
}

void* ModuleSymbol(void* module, const char* name) { return ::dlsym(module, name); }

}  // namespace vidodez::platform
