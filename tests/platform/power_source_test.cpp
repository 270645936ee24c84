// The battery rule on the supplies a machine reports: a battery discharging with no mains online
// is battery; mains online, a charging or full battery, or no report at all is mains.
#include "platform/power_source.h"

#include <gtest/gtest.h>

namespace {

TEST(PowerSource, OnlyADischargingBatteryWithoutMainsOnlineIsBattery) {
  const PowerSupply discharging{"Battery", "Discharging", ""};
  const PowerSupply charging{"Battery", "Charging", ""};
  const PowerSupply full{"Battery", "Full", ""};
  const PowerSupply mainsOn{"Mains", "", "1"};
  const PowerSupply mainsOff{"Mains", "", "0"};
  const PowerSupply usbOn{"USB", "", "1"};  // a USB port's supply is not the mains

  EXPECT_TRUE(SuppliesSayBattery({discharging}));
  EXPECT_TRUE(SuppliesSayBattery({mainsOff, discharging}));
  EXPECT_TRUE(SuppliesSayBattery({discharging, full, usbOn}));  // one of two batteries in use
  EXPECT_FALSE(SuppliesSayBattery({mainsOn, discharging}));     // drawing more than the supply
  EXPECT_FALSE(SuppliesSayBattery({mainsOff, charging}));
  EXPECT_FALSE(SuppliesSayBattery({full}));
  EXPECT_FALSE(SuppliesSayBattery({mainsOn}));
  EXPECT_FALSE(SuppliesSayBattery({}));  // a desktop, a virtual machine
}

}  // namespace
