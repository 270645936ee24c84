// The text of a --keys script, "FRAME:KEY ...", read into keys sorted by frame.
#include "app/key_script_text.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "platform/number_text.h"

namespace {

struct KeyName {
  const char* name;
  bool special;
  int code;
};
const KeyName kKeyNames[] = {
    {"Space", false, ' '},           {"Escape", false, 27},     {"Left", true, GLUT_KEY_LEFT},
    {"Right", true, GLUT_KEY_RIGHT}, {"Up", true, GLUT_KEY_UP}, {"Down", true, GLUT_KEY_DOWN},
    {"F12", true, GLUT_KEY_F12},
};

// The key names are ASCII, and taken in any letter case.
bool SameName(const char* text, const char* name) {
  for (; *text != '\0' && *name != '\0'; ++text, ++name)
    if (std::tolower(static_cast<unsigned char>(*text)) !=
        std::tolower(static_cast<unsigned char>(*name)))
      return false;
  return *text == *name;
}

bool ParseKey(const char* text, ScriptKey* key) {
  if (text[0] != '\0' && text[1] == '\0' && std::isgraph(static_cast<unsigned char>(text[0]))) {
    key->special = false;
    key->code = static_cast<unsigned char>(text[0]);
    return true;
  }
  for (const KeyName& k : kKeyNames) {
    if (SameName(text, k.name)) {
      key->special = k.special;
      key->code = k.code;
      return true;
    }
  }
  return false;
}
}  // namespace

bool ParseKeyScript(const char* script, std::vector<ScriptKey>* keys, char* error,
                    size_t errorSize) {
  keys->clear();
  const char* p = script;
  while (true) {
    while (*p == ' ' || *p == '\t' || *p == '\n') ++p;
    if (*p == '\0') break;
    const char* end = p;
    while (*end != '\0' && *end != ' ' && *end != '\t' && *end != '\n') ++end;
    const std::string word(p, end);
    const size_t colon = word.find(':');
    ScriptKey key{};
    uint64_t frame = 0;
    if (colon == std::string::npos ||
        !ParseWholeNumber(word.substr(0, colon).c_str(), 1, UINT64_MAX / 2, &frame) ||
        !ParseKey(word.c_str() + colon + 1, &key)) {
      std::snprintf(error, errorSize,
                    "'%.60s' is not FRAME:KEY (KEY: one character or Space, Escape, Left, Right, "
                    "Up, Down, F12, in any case)",
                    word.c_str());
      return false;
    }
    key.frame = frame;
    keys->push_back(key);
    p = end;
  }
  // Keys of one frame keep the order they were written in.
  std::stable_sort(keys->begin(), keys->end(),
                   [](const ScriptKey& a, const ScriptKey& b) { return a.frame < b.frame; });
  return true;
}
