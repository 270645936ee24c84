// Whether the machine runs on battery, from what its power supplies report: pure text, shared by
// every platform so that the rule is tested where the tests run (platform/x11/power.cpp reads
// Linux's /sys/class/power_supply into it).
#pragma once

#include <string>
#include <vector>

// One supply as /sys/class/power_supply/NAME describes it: its type ("Battery", "Mains", "USB",
// ...), a battery's status ("Charging", "Discharging", "Full", ...) and a supply's online flag
// ("1", "0"); a field the supply does not report is empty.
struct PowerSupply {
  std::string type, status, online;
};

// On battery: a battery is discharging and no mains supply is online. A machine that reports
// neither (a desktop, a virtual machine) is on mains.
bool SuppliesSayBattery(const std::vector<PowerSupply>& supplies);
