// A stand-in for the preview pane of Windows' screen-saver settings, for the tests under Wine:
// a top-level window whose client area has the size given, its HWND printed in decimal on one
// line of standard output. Lines on standard input then drive it, each answered with "ok":
//   size W H   gives the client area that size
//   close      destroys the window and ends the program
// End of input closes it too. With the one argument --monitors it prints instead how many
// monitors Windows reports, and ends. With --start COMMAND it starts COMMAND as Explorer starts a
// program, in a console of its own, answers the message box the program shows, if any, with OK,
// and prints "box: TEXT" (its lines joined by "|") and then "exit: STATUS".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr UINT kResize = WM_APP + 1;  // wParam: width, lParam: height
constexpr UINT kClose = WM_APP + 2;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kResize: {
      RECT r{0, 0, static_cast<LONG>(wParam), static_cast<LONG>(lParam)};
      AdjustWindowRect(&r, kStyle, FALSE);
      SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER);
      std::printf("ok\n");
      std::fflush(stdout);
      return 0;
    }
    case kClose:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Standard input is read on a thread of its own, so that the window keeps answering messages.
DWORD WINAPI ReadRequests(LPVOID parameter) {
  HWND window = static_cast<HWND>(parameter);
  char line[128];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    int width = 0, height = 0;
    if (std::sscanf(line, "size %d %d", &width, &height) == 2) {
      PostMessageW(window, kResize, static_cast<WPARAM>(width), static_cast<LPARAM>(height));
    } else if (std::strncmp(line, "close", 5) == 0) {
      break;
    }
  }
  PostMessageW(window, kClose, 0, 0);
  return 0;
}
struct Box {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
  auto* box = reinterpret_cast<Box*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[16];
  if (process == box->process && IsWindowVisible(window) &&
      GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0) {
    box->window = window;
    return FALSE;
  }
  return TRUE;
}

int StartAsExplorer(char* command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                      nullptr, &startup, &started)) {
    std::fprintf(stderr, "quor_test_host: cannot start %s\n", command);
    return 1;
  }
  Box box{started.dwProcessId, nullptr};
  // Until the program ends, looking for its box; the test that runs this has the deadline.
  while (WaitForSingleObject(started.hProcess, 100) == WAIT_TIMEOUT) {
    box.window = nullptr;
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
    if (box.window == nullptr) continue;
    char text[4096];
    // A message box's text is the static control numbered 0xFFFF.
    if (GetDlgItemTextA(box.window, 0xFFFF, text, sizeof text) == 0) continue;
    for (char* c = text; *c != '\0'; ++c)
      if (*c == '\n') *c = '|';
    std::printf("box: %s\n", text);
    std::fflush(stdout);
    PostMessageW(box.window, WM_COMMAND, IDOK, 0);
    WaitForSingleObject(started.hProcess, INFINITE);
    break;
  }
  DWORD status = 0;
  GetExitCodeProcess(started.hProcess, &status);
  std::printf("exit: %lu\n", status);
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--monitors") == 0) {
    std::printf("%d\n", GetSystemMetrics(SM_CMONITORS));
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "--start") == 0) return StartAsExplorer(argv[2]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: quor_test_host WIDTH HEIGHT | --monitors | --start COMMAND\n");
    return 2;
  }
  const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"QuorTestHost";
  RegisterClassW(&windowClass);
  RECT r{0, 0, width, height};
  AdjustWindowRect(&r, kStyle, FALSE);
  HWND window = CreateWindowW(L"QuorTestHost", L"Preview", kStyle, 0, 0, r.right - r.left,
                              r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  std::fflush(stdout);
  CloseHandle(CreateThread(nullptr, 0, ReadRequests, window, 0, nullptr));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  std::printf("closed\n");
  std::fflush(stdout);
  return 0;
}
