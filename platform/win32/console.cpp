// Where the program's messages go on Windows. quor.exe is a console program, so that cmd and
// PowerShell wait for it and --help, --version and errors are read there before the prompt
// returns. Started from Explorer it gets a console window of its own, which it lets go at once.
// quor.scr is a GUI program, as Windows starts screen savers, and has no console at all.
// Where nobody reads standard error, then, what the program writes there is kept in a temporary
// file, and a failure shows it in a message box on the way out (EndProgram).
#include "platform/win32/console.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/exit_status.h"
#include "platform/platform.h"
#include "platform/win32/utf8.h"

namespace {
constexpr std::size_t kMaxShownBytes = 4096;  // far more than any failure writes
constexpr const wchar_t* kTitle = L"Quor";

bool errorsHeld = false;  // standard error goes to the temporary file
bool failuresSilent = false;

bool HasStream(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

bool StreamIsConsole(DWORD which) {
  return HasStream(which) && GetFileType(GetStdHandle(which)) == FILE_TYPE_CHAR;
}

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A console that this process alone uses: the window Windows opens for a console program started
// from Explorer, a shortcut or the Run box. A console shared with cmd or PowerShell lists them too.
bool ConsoleOfItsOwn() {
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) != 1) return false;
  // Wine gives a program started in a Unix terminal a console of its own whose window is never
  // shown: that console is the terminal, and stays.
  return !(UnderWine() && !IsWindowVisible(GetConsoleWindow()));
}

void HoldErrors() {
  wchar_t folder[MAX_PATH + 1], path[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"quo", 0, path) == 0)
    return;
  // T: kept in memory where it can be; D: deleted when closed, or when the process ends anyhow.
  errorsHeld = _wfreopen(path, L"w+TD", stderr) != nullptr;
  if (!errorsHeld) DeleteFileW(path);
}

struct ConsoleStart {
  ConsoleStart() {
    if (ConsoleOfItsOwn()) {
      const bool outToConsole = StreamIsConsole(STD_OUTPUT_HANDLE);
      const bool errToConsole = StreamIsConsole(STD_ERROR_HANDLE);
      FreeConsole();
      // Streams redirected by whoever started the program (start /b ... > file) are kept.
      if (outToConsole) {
        SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
        std::freopen("NUL", "w", stdout);
      }
      if (errToConsole) SetStdHandle(STD_ERROR_HANDLE, nullptr);
    }
    if (!HasStream(STD_ERROR_HANDLE)) HoldErrors();
  }
};
const ConsoleStart consoleStart;

// The first paragraph of what the program wrote on standard error, as UTF-16: the reasons, without
// the usage that follows them after a bad command line.
std::wstring HeldReasons() {
  std::fflush(stderr);
  if (std::fseek(stderr, 0, SEEK_SET) != 0) return std::wstring();
  char buffer[kMaxShownBytes];
  std::string text(buffer, std::fread(buffer, 1, sizeof buffer, stderr));
  const std::size_t blank = text.find("\n\n");
  if (blank != std::string::npos) text.erase(blank);
  if (text.size() == sizeof buffer) text.erase(text.rfind('\n') + 1);  // no line cut short
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return Widen(text.c_str());
}
}  // namespace

void KeepFailuresSilent() {
  failuresSilent = true;
}

void EndProgram(int status) {
  if (status != kExitSuccess && errorsHeld && !failuresSilent) {
    std::wstring text = HeldReasons();
    if (text.empty())
      text = L"Quor could not go on (exit status " + std::to_wstring(status) + L").";
    if (status == kExitBadUsage) text += L"\n\nquor --help in a command prompt lists the options.";
    MessageBoxW(nullptr, text.c_str(), kTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  }
  std::exit(status);
}
