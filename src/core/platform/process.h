#pragma once
// The running program as the system sees it: its process, other processes,
// its standard streams, and modules loaded at run time.

#include <cstdio>
#include <string>

namespace vidodez::platform {

long ProcessId();

// Whether the process `pid` still runs (one of another user's counts).
bool ProcessAlive(long pid);

// Whether `stream` writes to a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

// A standard stream the caller closed is held by the null device opened for
// reading, so nothing the program opens later (a socket to a printer) takes
// its number and receives what was meant for the stream.
void HoldClosedStandardStreams();

// What a long-running program (the simulator) is told from outside.
enum class ProgramSignal { kStop, kUnplug, kPlug };

// Holds the outside's stop, unplug and plug back from every thread for
// WaitForProgramSignal: SIGINT, SIGTERM and SIGHUP stop, SIGUSR1 unplugs and
// SIGUSR2 plugs on Linux; Ctrl+C, Ctrl+Break and closing the console stop on
// Windows. Call it before starting threads. A write to a pipe whose reader
// left then fails instead of ending the program.
void TakeProgramSignals();
ProgramSignal WaitForProgramSignal();
// Ends the wait as a stop from outside would, from any thread.
void RequestStop();

// A shared library loaded at run time: null, with the system's reason in
// `why`, when it cannot be loaded.
void* LoadModule(const std::string& path, std::string* why);
// The address of `name` in a loaded module; null when it has none.
void* ModuleSymbol(void* module, const char* name);

}  // namespace vidodez::platform
