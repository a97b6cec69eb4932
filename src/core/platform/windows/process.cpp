#include "core/platform/process.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

// After windows.h, whose types it uses.
#include <shellapi.h>

#include <csignal>
#include <string>
#include <vector>

#include "core/platform/windows/wide_text.h"

namespace vidodez::platform {
namespace {

// Set by Ctrl+C, Ctrl+Break, closing the console and RequestStop.
HANDLE g_stop = nullptr;
// Named so that another program (a test) can stop, unplug or plug this
// one: Local\vidodez-PID-stop, -unplug and -plug.
HANDLE g_named[3] = {nullptr, nullptr, nullptr};

BOOL WINAPI OnConsoleEvent(DWORD /*event*/) {
  SetEvent(g_stop);
  // Closing the console ends the process once this returns: give the
  // program a moment to unplug first.
  Sleep(2000);
  return TRUE;
}

HANDLE NamedEvent(const char* what) {
  const std::string name = "Local\\vidodez-" + std::to_string(GetCurrentProcessId()) + "-" + what;
  return CreateEventW(nullptr, FALSE, FALSE, win::Widen(name).c_str());
}

}  // namespace

long ProcessId() { return static_cast<long>(GetCurrentProcessId()); }

bool ProcessAlive(long pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  CloseHandle(process);
  return alive;
}

bool IsTerminal(std::FILE* stream) {
  // _isatty says yes to the null device too; only a console has a mode.
  DWORD mode = 0;
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(win::Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

void HoldClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (_get_osfhandle(fd) != -1) continue;
    const int held = _open("NUL", _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (held >= 0 && held != fd) {
      _dup2(held, fd);
      _close(held);
    }
  }
}

void TakeProgramSignals() {
  g_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  g_named[0] = NamedEvent("stop");
  g_named[1] = NamedEvent("unplug");
  g_named[2] = NamedEvent("plug");
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

ProgramSignal WaitForProgramSignal() {
  const HANDLE events[] = {g_stop, g_named[0], g_named[1], g_named[2]};
  for (;;) {
    const DWORD which = WaitForMultipleObjects(4, events, FALSE, INFINITE);
    if (which == WAIT_OBJECT_0 + 2) return ProgramSignal::kUnplug;
    if (which == WAIT_OBJECT_0 + 3) return ProgramSignal::kPlug;
    if (which == WAIT_OBJECT_0 || which == WAIT_OBJECT_0 + 1) return ProgramSignal::kStop;
    if (which == WAIT_FAILED) return ProgramSignal::kStop;
  }
}

void RequestStop() { SetEvent(g_stop); }

namespace {

// The C runtime's handlers before TakeInterrupts: Ctrl+C and Ctrl+Break
// reach a console program as SIGINT and SIGBREAK, handled on a thread of
// their own, and the runtime puts the default back before each call.
void (*g_previous_interrupt)(int) = SIG_DFL;
void (*g_previous_break)(int) = SIG_DFL;
void (*g_previous_terminate)(int) = SIG_DFL;

}  // namespace

void TakeInterrupts(void (*handler)(int interrupt)) {
  g_previous_interrupt = std::signal(SIGINT, handler);
  g_previous_break = std::signal(SIGBREAK, handler);
  g_previous_terminate = std::signal(SIGTERM, handler);
}

void RestoreInterrupts() {
  std::signal(SIGINT, g_previous_interrupt);
  std::signal(SIGBREAK, g_previous_break);
  std::signal(SIGTERM, g_previous_terminate);
}

void EndAsInterrupted(int interrupt) {
  std::signal(interrupt, SIG_DFL);
  std::raise(interrupt);
}

void RaiseInterrupt(int interrupt) { std::raise(interrupt); }

void WriteErrorNow(const char* text, std::size_t size) {
  DWORD written = 0;
  (void)WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(size), &written,
                  nullptr);
}

void* LoadModule(const std::string& path, std::string* why) {
  HMODULE module = LoadLibraryW(win::Widen(path).c_str());
  if (module == nullptr)
    *why = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
  return reinterpret_cast<void*>(module);
}

void* ModuleSymbol(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

}  // namespace vidodez::platform
