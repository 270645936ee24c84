// Reading Windows' screen-saver arguments: pure text, no Windows call.
#include "platform/win32/saver_arguments.h"

#include <cctype>
#include <cstring>

#include "platform/platform.h"

SaverCommand ReadSaverCommand(int argc, char** argv) {
  SaverCommand command;
  if (argc < 2) return command;  // no argument: the settings
  const char* word = argv[1];
  if ((word[0] != '/' && word[0] != '-') || word[1] == '\0') {
    command.mode = SaverMode::kIgnored;
    return command;
  }
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(word[1])));
  const char* rest = word + 2;  // ":1234", or "" with the handle in the next argument
  const char* handle = rest[0] == ':' ? rest + 1 : (rest[0] == '\0' && argc > 2 ? argv[2] : "");
  switch (letter) {
    case 's':
      command.mode = rest[0] == '\0' ? SaverMode::kFullScreen : SaverMode::kIgnored;
      break;
    case 'p':
      command.mode =
          ParseTargetWindow(handle, &command.window) ? SaverMode::kPreview : SaverMode::kIgnored;
      break;
    case 'c':
      // Its window, if given, only owns the dialog: a handle that cannot be read gives none.
      command.mode = SaverMode::kSettings;
      if (!ParseTargetWindow(handle, &command.window)) command.window = 0;
      break;
    default:
      command.mode = SaverMode::kIgnored;
  }
  return command;
}

bool IsSaverProgram(const char* path) {
  const size_t length = std::strlen(path);
  constexpr const char* kSuffix = ".scr";
  constexpr size_t kSuffixLength = 4;
  if (length < kSuffixLength) return false;
  for (size_t i = 0; i < kSuffixLength; ++i)
    if (std::tolower(static_cast<unsigned char>(path[length - kSuffixLength + i])) != kSuffix[i])
      return false;
  return true;
}
