// Delivery of the --keys script: a cursor walks the sorted keys once over the whole run.
#include "app/key_script.h"

#include <cstddef>

#include "app/options.h"
#include "app/shell.h"

namespace {
size_t nextKey = 0;
}  // namespace

void PressScriptKeys(uint64_t frame) {
  const auto& keys = options.keys;
  // Keys of frames that were never drawn (none before the first) are passed over.
  while (nextKey < keys.size() && keys[nextKey].frame < frame) ++nextKey;
  for (; nextKey < keys.size() && keys[nextKey].frame == frame; ++nextKey) {
    const ScriptKey& key = keys[nextKey];
    if (key.special) {
      ShellPressSpecial(key.code);
    } else {
      ShellPressKey(static_cast<unsigned char>(key.code));
    }
  }
}
