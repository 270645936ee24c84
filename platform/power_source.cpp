// The battery rule over the supplies' reports.
#include "platform/power_source.h"

bool SuppliesSayBattery(const std::vector<PowerSupply>& supplies) {
  bool discharging = false, mains = false;
  for (const PowerSupply& s : supplies) {
    if (s.type == "Battery" && s.status == "Discharging") discharging = true;
    if (s.type == "Mains" && s.online == "1") mains = true;
  }
  return discharging && !mains;
}
