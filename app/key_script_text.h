// The text of a --keys script: "FRAME:KEY ...", frames counted from 1, KEY one character or
// the name of a key.
#pragma once

#include <cstddef>
#include <vector>

#include "app/options.h"

// Parses one --keys script into keys (sorted by frame). On failure names the offending word in
// error (a bounded buffer) and returns false.
bool ParseKeyScript(const char* script, std::vector<ScriptKey>* keys, char* error,
                    size_t errorSize);
