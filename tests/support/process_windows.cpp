#include "support/process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "core/platform/user_folders.h"
#include "core/platform/windows/wide_text.h"
#include "support/temp_dir.h"

namespace vidodez::test {
namespace {

using platform::win::Widen;

// What a program ended by force reports, as a SIGKILL gives 128 + 9 on Linux.
constexpr DWORD kKilled = 137;
// How long a simulator asked to stop may take.
constexpr DWORD kStopWaitMs = 20000;

// One argument as the C runtime's parser of a command line gives it back:
// backslashes are literal unless a quote follows them, where they are
// doubled, and a quote inside is escaped.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(2 * backslashes, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

// The name of an environment entry "NAME=VALUE"; "=C:=C:\..." entries (the
// drives' working folders) begin with "=".
std::wstring_view EntryName(std::wstring_view entry) {
  return entry.substr(0, entry.find(L'=', 1));
}

// Names are case-blind on Windows.
int CompareNames(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE);
}

// This process's environment with `extra` ("NAME=VALUE") replacing entries
// of the same name, as a block of NUL-ended entries closed by one more NUL,
// sorted by name as the system expects.
std::wstring EnvironmentBlock(const std::vector<std::string>& extra) {
  std::vector<std::wstring> entries;
  auto put = [&entries](const std::wstring& entry) {
    std::erase_if(entries, [&entry](const std::wstring& e) {
      return CompareNames(EntryName(e), EntryName(entry)) == CSTR_EQUAL;
    });
    entries.push_back(entry);
  };
  wchar_t* inherited = GetEnvironmentStringsW();
  for (const wchar_t* e = inherited; e != nullptr && *e != L'\0'; e += wcslen(e) + 1) put(e);
  if (inherited != nullptr) FreeEnvironmentStringsW(inherited);
  for (const std::string& e : extra) put(Widen(e));
  std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareNames(EntryName(a), EntryName(b)) == CSTR_LESS_THAN;
  });
  std::wstring block;
  for (const std::wstring& e : entries) block.append(e).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

// Starts `argv` with stdin on the null device and stdout and stderr on the
// handles given, which alone it inherits; the process's handle, or null.
HANDLE Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extra_env,
             HANDLE out, HANDLE err) {
  // The program's name without ".exe": the system adds it to the first word.
  std::wstring command_line;
  for (const std::string& argument : argv) {
    if (!command_line.empty()) command_line.push_back(L' ');
    command_line += Quoted(Widen(argument));
  }
  std::wstring environment = EnvironmentBlock(extra_env);
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE in = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                          OPEN_EXISTING, 0, nullptr);
  HANDLE handles[] = {in, out, err};
  for (HANDLE h : {out, err}) SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);

  // Only these three are inherited, so a program started meanwhile by
  // another thread never holds the pipe of a simulator it does not own.
  SIZE_T size = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::string attributes_memory(size, '\0');
  auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes_memory.data());
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof(startup);
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = in;
  startup.StartupInfo.hStdOutput = out;
  startup.StartupInfo.hStdError = err;
  PROCESS_INFORMATION started{};
  BOOL ok =
      in != INVALID_HANDLE_VALUE && InitializeProcThreadAttributeList(attributes, 1, 0, &size);
  if (ok) {
    startup.lpAttributeList = attributes;
    ok =
        UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                  sizeof(handles), nullptr, nullptr) &&
        CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT,
                       environment.data(), nullptr, &startup.StartupInfo, &started);
    DeleteProcThreadAttributeList(attributes);
  }
  if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
  if (!ok) return nullptr;
  CloseHandle(started.hThread);
  return started.hProcess;
}

// Waits for the end of `process` (ended by force after `timeout_ms`),
// closes it and gives its exit code.
int WaitExit(HANDLE process, DWORD timeout_ms) {
  if (WaitForSingleObject(process, timeout_ms) != WAIT_OBJECT_0) {
    TerminateProcess(process, kKilled);
    WaitForSingleObject(process, INFINITE);
  }
  DWORD code = kKilled;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return static_cast<int>(code);
}

HANDLE CreateOutputFile(const std::string& path) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

// Sets the event `what` ("stop", "unplug", "plug") that the simulated
// printer with process id `pid` waits on.
void SetProgramEvent(DWORD pid, const char* what) {
  const std::string name = "Local\\vidodez-" + std::to_string(pid) + "-" + what;
  HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, Widen(name).c_str());
  if (event == nullptr) return;
  SetEvent(event);
  CloseHandle(event);
}

}  // namespace

std::string BinDir() {
  // VIDODEZ_BIN_DIR is the build machine's path, which names another drive
  // once a test has changed its working folder; the test programs lie
  // beside the programs.
  return platform::ExecutableFolder();
}

RunResult Run(const std::vector<std::string>& argv, const std::vector<std::string>& env,
              int timeout_ms, std::atomic<pid_t>* started) {
  RunResult result;
  // Files rather than pipes: nothing to pump while the program runs.
  TempDir dir;
  HANDLE out = CreateOutputFile(dir.File("out"));
  HANDLE err = CreateOutputFile(dir.File("err"));
  HANDLE process = out != nullptr && err != nullptr ? Spawn(argv, env, out, err) : nullptr;
  if (out != nullptr) CloseHandle(out);
  if (err != nullptr) CloseHandle(err);
  if (process == nullptr) return result;
  if (started != nullptr) started->store(static_cast<pid_t>(GetProcessId(process)));
  result.exit_code = WaitExit(process, static_cast<DWORD>(timeout_ms));
  result.out = ReadFileBytes(dir.File("out"));
  result.err = ReadFileBytes(dir.File("err"));
  return result;
}

std::string TerminalUnavailable() {
  return "a test cannot read back what a program wrote to a console";
}

RunResult RunOnTerminal(const std::vector<std::string>& /*argv*/,
                        const std::vector<std::string>& /*env*/, int /*timeout_ms*/) {
  ADD_FAILURE() << "RunOnTerminal on Windows: " << TerminalUnavailable();
  return {};
}

struct SimProcess::Child {
  HANDLE process = nullptr;
  DWORD pid = 0;
  HANDLE out = nullptr;
};

SimProcess::SimProcess(const std::vector<std::string>& args) : child_(std::make_unique<Child>()) {
  HANDLE out_write = nullptr;
  if (!CreatePipe(&child_->out, &out_write, nullptr, 0)) return;
  std::vector<std::string> argv{BinDir() + "/vidodez-printer-sim"};
  argv.insert(argv.end(), args.begin(), args.end());
  HANDLE err = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  child_->process = err != INVALID_HANDLE_VALUE ? Spawn(argv, {}, out_write, err) : nullptr;
  CloseHandle(out_write);
  if (err != INVALID_HANDLE_VALUE) CloseHandle(err);
  if (child_->process == nullptr) return;
  child_->pid = GetProcessId(child_->process);
  // Its stdout may be in text mode, where the line ends in CR LF.
  std::string said;
  const ULONGLONG deadline = GetTickCount64() + 20000;
  while (GetTickCount64() < deadline && said.find("ready\n") == std::string::npos) {
    DWORD available = 0;
    if (!PeekNamedPipe(child_->out, nullptr, 0, nullptr, &available, nullptr)) break;  // it ended
    if (available == 0) {
      WaitForSingleObject(child_->process, 10);
      continue;
    }
    char buffer[256];
    DWORD n = 0;
    if (!ReadFile(child_->out, buffer, std::min<DWORD>(available, sizeof(buffer)), &n, nullptr))
      break;
    said.append(buffer, n);
    std::erase(said, '\r');
  }
  ready_ = said.find("ready\n") != std::string::npos;
}

SimProcess::~SimProcess() {
  if (child_->process != nullptr) Stop();
  if (child_->out != nullptr) CloseHandle(child_->out);
}

void SimProcess::Unplug() {
  if (child_->process != nullptr) SetProgramEvent(child_->pid, "unplug");
}

void SimProcess::Plug() {
  if (child_->process != nullptr) SetProgramEvent(child_->pid, "plug");
}

void SimProcess::Kill() {
  if (child_->process != nullptr) TerminateProcess(child_->process, kKilled);
}

int SimProcess::Stop() {
  if (child_->process == nullptr) return -1;
  SetProgramEvent(child_->pid, "stop");
  // A simulator that cannot hear the event (stuck before it made it) is
  // ended rather than waited on for ever.
  const int code = WaitExit(child_->process, kStopWaitMs);
  child_->process = nullptr;
  return code;
}

}  // namespace vidodez::test
