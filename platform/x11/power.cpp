// The power source on Linux: each supply's type, status and online flag from
// /sys/class/power_supply, read into the shared rule (platform/power_source.h). A system without
// that folder reports no supply and is taken to be on mains.
#include <dirent.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/power_source.h"

namespace {
constexpr const char* kSupplies = "/sys/class/power_supply";

// The first line of a small file, without its line end; empty when it cannot be read.
std::string FirstLine(const std::string& path) {
  char line[64] = "";
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) return "";
  if (std::fgets(line, sizeof line, file) == nullptr) line[0] = '\0';
  std::fclose(file);
  std::string text = line;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}
}  // namespace

bool OnBatteryPower() {
  DIR* folder = opendir(kSupplies);
  if (folder == nullptr) return false;
  std::vector<PowerSupply> supplies;
  while (const dirent* entry = readdir(folder)) {
    if (entry->d_name[0] == '.') continue;
    const std::string base = std::string(kSupplies) + "/" + entry->d_name + "/";
    supplies.push_back(
        {FirstLine(base + "type"), FirstLine(base + "status"), FirstLine(base + "online")});
  }
  closedir(folder);
  return SuppliesSayBattery(supplies);
}
