// The power source on Win32: GetSystemPowerStatus says whether the AC line is offline.
#include <windows.h>

#include "platform/platform.h"

bool OnBatteryPower() {
  constexpr BYTE kAcOffline = 0;  // 1 online, 255 unknown: a machine that cannot tell is on mains
  SYSTEM_POWER_STATUS status{};
  return GetSystemPowerStatus(&status) && status.ACLineStatus == kAcOffline;
}
