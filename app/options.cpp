// Command-line parsing with getopt_long. Parsing works on a copy of argv with freeglut's X
// options taken out, so that glutInit later sees the command line exactly as it was given.
#include "app/options.h"

#include <GL/freeglut.h>
#include <getopt.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "quor_version.h"

Options options;

namespace {

constexpr uint32_t kMaxStepMs = 100;
constexpr double kMinRenderScale = 0.25;
constexpr uint64_t kMaxTargetFps = 1000;

const char kUsage[] =
    "Usage: quor [OPTION]... [X OPTION]...\n"
    "A flame, clouds and a field of stars made of textured particles, steered from the keyboard.\n"
    "\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and exit\n"
    "  -w, --windowed         stay in the start-up window instead of going full screen\n"
    "  -c, --clock            show the frame/second clock from the start\n"
    "  -u, --universe         show the star field from the start\n"
    "      --clouds           start with clouds instead of flames\n"
    "      --step=MS          fixed clock: every frame advances it by MS milliseconds (0 to 100)\n"
    "      --clock-start=MS   with --step: the clock's value before the first frame\n"
    "      --frames=N         draw N frames, then end with status 0\n"
    "      --capture=FILE     save frames as PNG: with %d or %04d in FILE every frame under\n"
    "                         its number, otherwise the last frame at exit\n"
    "      --keys=SCRIPT      press keys at given frames: \"FRAME:KEY ...\", frames counted from\n"
    "                         1; KEY is one character or Space, Escape, Left, Right, Up, Down, "
    "F12\n"
    "      --render-scale=F   draw the scene at F (0.25 to 1) of the window's size and\n"
    "                         stretch it; auto chooses F each second to hold --target-fps\n"
    "      --target-fps=N     the frame rate --render-scale=auto holds (default 30)\n"
    "\n"
    "X options such as -display NAME and -geometry WxH+X+Y are handed to freeglut.\n"
    "In the program, press ? for the keys and F12 for a screenshot.\n"
    "Exit status: 0; 1 when a capture file cannot be written; 2 for a bad command line.\n";

enum LongOnly { kClouds = 256, kStep, kClockStart, kFrames, kCapture, kKeys };
// The render scale's options, numbered apart from the others (still above kClouds).
enum RenderScaleOptions { kRenderScale = 320, kTargetFps };

const option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"windowed", no_argument, nullptr, 'w'},
    {"clock", no_argument, nullptr, 'c'},
    {"universe", no_argument, nullptr, 'u'},
    {"clouds", no_argument, nullptr, kClouds},
    {"step", required_argument, nullptr, kStep},
    {"clock-start", required_argument, nullptr, kClockStart},
    {"frames", required_argument, nullptr, kFrames},
    {"capture", required_argument, nullptr, kCapture},
    {"keys", required_argument, nullptr, kKeys},
    {"render-scale", required_argument, nullptr, kRenderScale},
    {"target-fps", required_argument, nullptr, kTargetFps},
    {nullptr, 0, nullptr, 0},
};

// freeglut's X options; *takesValue says whether the next word is the option's value.
bool IsGlutOption(const char* word, bool* takesValue) {
  static const char* const kWithValue[] = {"-display", "-geometry"};
  static const char* const kAlone[] = {"-direct", "-indirect", "-iconic", "-gldebug", "-sync"};
  *takesValue = false;
  for (const char* name : kAlone)
    if (std::strcmp(word, name) == 0) return true;
  *takesValue = true;
  for (const char* name : kWithValue)
    if (std::strcmp(word, name) == 0) return true;
  return false;
}

// A whole decimal number from min to max, nothing before or after it.
bool ParseNumber(const char* text, uint64_t min, uint64_t max, uint64_t* value) {
  if (text == nullptr || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long n = std::strtoull(text, &end, 10);
  if (errno != 0 || *end != '\0' || n < min || n > max) return false;
  *value = n;
  return true;
}

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

bool ParseKey(const char* text, ScriptKey* key) {
  if (text[0] != '\0' && text[1] == '\0' && std::isgraph(static_cast<unsigned char>(text[0]))) {
    key->special = false;
    key->code = static_cast<unsigned char>(text[0]);
    return true;
  }
  for (const KeyName& k : kKeyNames) {
    if (std::strcmp(text, k.name) == 0) {
      key->special = k.special;
      key->code = k.code;
      return true;
    }
  }
  return false;
}

// --render-scale: "auto", or a decimal number from 0.25 to 1 with nothing after it.
bool ParseRenderScale(const char* text, Options* result) {
  if (std::strcmp(text, "auto") == 0) {
    result->renderScaleAuto = true;
    return true;
  }
  if (!std::isdigit(static_cast<unsigned char>(text[0])) && text[0] != '.') return false;
  char* end = nullptr;
  const double scale = std::strtod(text, &end);
  if (*end != '\0' || !(scale >= kMinRenderScale && scale <= 1.0)) return false;
  result->renderScale = scale;
  result->renderScaleAuto = false;
  return true;
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
        !ParseNumber(word.substr(0, colon).c_str(), 1, UINT64_MAX / 2, &frame) ||
        !ParseKey(word.c_str() + colon + 1, &key)) {
      std::snprintf(error, errorSize, "'%.60s' is not FRAME:KEY", word.c_str());
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

bool CapturePatternHasFrameNumber(const char* path, bool* valid, size_t* dAt) {
  int conversions = 0;
  *valid = true;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    if (*p == '0') ++p;
    // At most two width digits: a frame number never needs more, and the name stays bounded.
    for (int digits = 0; std::isdigit(static_cast<unsigned char>(*p)) && digits < 2; ++digits) ++p;
    if (*p != 'd' || ++conversions > 1) {
      *valid = false;
      return false;
    }
    if (dAt != nullptr) *dAt = static_cast<size_t>(p - path);
  }
  return conversions == 1;
}

ParseOutcome ParseOptions(int argc, char** argv, Options* result, std::FILE* out, std::FILE* err) {
  *result = Options();
  // getopt_long reorders what it is given: it works on a copy without freeglut's options.
  std::vector<char*> words;
  words.push_back(argc > 0 ? argv[0] : const_cast<char*>("quor"));
  for (int i = 1; i < argc; ++i) {
    bool takesValue = false;
    if (IsGlutOption(argv[i], &takesValue)) {
      if (std::strcmp(argv[i], "-geometry") == 0) result->geometryGiven = true;
      if (takesValue && i + 1 < argc) ++i;
      continue;
    }
    words.push_back(argv[i]);
  }
  words.push_back(nullptr);

  const auto usageError = [&](const char* format, const char* what) {
    std::fprintf(err, "quor: ");
    std::fprintf(err, format, what);
    std::fprintf(err, "\n\n%s", kUsage);
    return ParseOutcome::kExitUsage;
  };

  opterr = 0;  // the messages are ours
  optind = 0;  // a full restart, so that parsing can run more than once in a process
  bool clockStartGiven = false;
  bool targetFpsGiven = false;
  const int count = static_cast<int>(words.size()) - 1;
  while (true) {
    const int previous = optind == 0 ? 1 : optind;
    const int c = getopt_long(count, words.data(), "+hVwcu", kLongOptions, nullptr);
    if (c == -1) break;
    uint64_t n = 0;
    switch (c) {
      case 'h':
        std::fputs(kUsage, out);
        return ParseOutcome::kExitSuccess;
      case 'V':
        std::fprintf(out, "quor %s\n", QUOR_VERSION);
        return ParseOutcome::kExitSuccess;
      case 'w':
        result->windowed = true;
        break;
      case 'c':
        result->clockOn = true;
        break;
      case 'u':
        result->universeOn = true;
        break;
      case kClouds:
        result->clouds = true;
        break;
      case kStep:
        if (!ParseNumber(optarg, 0, kMaxStepMs, &n))
          return usageError("--step takes whole milliseconds from 0 to 100, not '%s'", optarg);
        result->fixedClock = true;
        result->stepMs = static_cast<uint32_t>(n);
        break;
      case kClockStart:
        if (!ParseNumber(optarg, 0, UINT32_MAX, &n))
          return usageError("--clock-start takes milliseconds from 0 to 4294967295, not '%s'",
                            optarg);
        result->clockStartMs = static_cast<uint32_t>(n);
        clockStartGiven = true;
        break;
      case kFrames:
        if (!ParseNumber(optarg, 1, UINT64_MAX / 2, &n))
          return usageError("--frames takes a whole number of frames from 1, not '%s'", optarg);
        result->frames = n;
        break;
      case kCapture: {
        bool valid = false;
        CapturePatternHasFrameNumber(optarg, &valid);
        if (optarg[0] == '\0' || !valid)
          return usageError(
              "--capture takes a file name with at most one frame number (%%d or %%04d), "
              "not '%s'",
              optarg);
        result->capture = optarg;
        break;
      }
      case kKeys: {
        char error[128];
        if (!ParseKeyScript(optarg, &result->keys, error, sizeof error))
          return usageError("--keys: %s", error);
        break;
      }
      case kRenderScale:
        if (!ParseRenderScale(optarg, result))
          return usageError("--render-scale takes auto or a number from 0.25 to 1, not '%s'",
                            optarg);
        break;
      case kTargetFps:
        if (!ParseNumber(optarg, 1, kMaxTargetFps, &n))
          return usageError("--target-fps takes whole frames a second from 1 to 1000, not '%s'",
                            optarg);
        result->targetFps = static_cast<uint32_t>(n);
        targetFpsGiven = true;
        break;
      default: {
        const char* word = words[previous] != nullptr ? words[previous] : "?";
        if (optopt >= kClouds) return usageError("'%s' needs a value", word);
        if (optopt != 0) {
          const char shortName[3] = {'-', static_cast<char>(optopt), '\0'};
          return usageError("unknown option '%s'", shortName);
        }
        return usageError("unknown option '%s'", word);
      }
    }
  }
  if (optind < count) return usageError("unexpected argument '%s'", words[optind]);
  if (clockStartGiven && !result->fixedClock) return usageError("%s", "--clock-start needs --step");
  if (targetFpsGiven && !result->renderScaleAuto)
    return usageError("%s", "--target-fps needs --render-scale=auto");
  return ParseOutcome::kRun;
}
