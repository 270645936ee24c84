// A stand-in for the preview pane of Windows' screen-saver settings, for the tests under Wine:
// a top-level window whose client area has the size given, its HWND printed in decimal on one
// line of standard output. Lines on standard input then drive it, each answered with "ok":
//   size W H   gives the client area that size
//   close      destroys the window and ends the program
// End of input closes it too. With the one argument --monitors it prints instead how many
// monitors Windows reports, and ends.
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
}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--monitors") == 0) {
    std::printf("%d\n", GetSystemMetrics(SM_CMONITORS));
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: quor_test_host WIDTH HEIGHT | --monitors\n");
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
