#pragma once
// The running program as the system sees it: its process, other processes,
// its standard streams, and modules loaded at run time.

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace vidodez::platform {

long ProcessId();

// Whether the process `pid` still runs (one of another user's counts).
bool ProcessAlive(long pid);

// Whether `stream` writes to a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

// The program's arguments in UTF-8, argv[0] first: main()'s own on Linux;
// on Windows the system's UTF-16 command line, as main()'s there are in the
// ANSI code page, which has no room for most of the operator's text (a file
// named in Chinese becomes question marks).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Standard output and error carry the program's bytes as written: Windows'
// text mode would put a CR before every LF, inside a printer's reply or a
// printer program written to stdout too, and the lines would differ from
// Linux's.
void UseBinaryStandardStreams();

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

// Interrupts from outside (SIGINT and SIGTERM on Linux) go to `handler`
// until RestoreInterrupts, for a program that must not stop half-way. The
// handler runs wherever the interrupt found the program: it may only read
// and set plain flags and call what is safe there (WriteErrorNow,
// RemoveFileNow, EndAsInterrupted).
void TakeInterrupts(void (*handler)(int interrupt));
void RestoreInterrupts();
// Ends the program as `interrupt` would have without a handler; safe in a
// handler.
void EndAsInterrupted(int interrupt);
// Delivers `interrupt` to the program again, to whatever now takes it.
void RaiseInterrupt(int interrupt);
// Writes to the standard error stream; safe in a handler.
void WriteErrorNow(const char* text, std::size_t size);

// A shared library loaded at run time: null, with the system's reason in
// `why`, when it cannot be loaded.
void* LoadModule(const std::string& path, std::string* why);
// The address of `name` in a loaded module; null when it has none.
void* ModuleSymbol(void* module, const char* name);

}  // namespace vidodez::platform
