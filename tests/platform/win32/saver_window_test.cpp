// The full-screen saver's window on Win32: the display-off notice, sent as the system sends it,
// stops the frames (DisplayOff) and the display-on one starts them again, without ending the
// saver as input would.
#include "platform/win32/saver_window.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"

namespace {

// What the system hands with PBT_POWERSETTINGCHANGE for the display's state.
struct DisplayStateSetting {
  POWERBROADCAST_SETTING setting;
  UCHAR rest[sizeof(DWORD)];  // Data holds one byte; the state is a DWORD
};

LRESULT SendDisplayState(HWND window, DWORD state) {
  DisplayStateSetting s{};
  // GUID_CONSOLE_DISPLAY_STATE
  s.setting.PowerSetting = {
      0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
  s.setting.DataLength = sizeof state;
  std::memcpy(s.setting.Data, &state, sizeof state);
  return SendMessageW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                      reinterpret_cast<LPARAM>(&s.setting));
}

TEST(SaverWindow, TheDisplayGoingOffStopsTheFramesAndComingOnStartsThemWithoutEndingIt) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QuorSaverWindowTest";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"QuorSaverWindowTest", L"Quor", WS_OVERLAPPEDWINDOW, 0, 0, 64, 48,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  StartFullScreenSaver(window);
  EXPECT_FALSE(DisplayOff());

  EXPECT_EQ(SendDisplayState(window, 0), TRUE);
  EXPECT_TRUE(DisplayOff());
  EXPECT_EQ(SendDisplayState(window, 2), TRUE);  // dimmed: still seen
  EXPECT_FALSE(DisplayOff());
  SendDisplayState(window, 0);
  EXPECT_EQ(SendDisplayState(window, 1), TRUE);
  EXPECT_FALSE(DisplayOff());
  EXPECT_FALSE(QuitRequested()) << "a power notice ended the saver";
  DestroyWindow(window);
}

}  // namespace
