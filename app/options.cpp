// Command-line parsing with getopt_long. Parsing works on a copy of argv with freeglut's X
// options taken out, so that glutInit later sees the command line exactly as it was given. The
// settings' options are the rows of app/setting_table.cpp; the messages about a
// bad option are GNU getopt's own, written here so that they name the option as it was given.
// The help text is in app/usage_text.cpp, the key script's text in app/key_script_text.cpp and the
// capture name's pattern beside the capture in app/frame_capture.cpp.
#include "app/options.h"

#include <getopt.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "app/frame_capture.h"
#include "app/key_script_text.h"
#include "app/text_scale.h"
#include "app/usage_text.h"
#include "platform/number_text.h"
#include "platform/platform.h"
#include "quor_version.h"

Options options;

namespace {

constexpr uint32_t kMaxStepMs = 100;
constexpr uint64_t kMaxTargetFps = 1000;
constexpr double kMaxCpuBudgetCores = 1024.0;

enum LongOnly {
  kStep = 256,
  kClockStart,
  kFrames,
  kCapture,
  kKeys,
  kTextScale,
  kWindowId,
  kTargetFps,
  kCpuBudget,
};

const option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"windowed", no_argument, nullptr, 'w'},
    {"step", required_argument, nullptr, kStep},
    {"clock-start", required_argument, nullptr, kClockStart},
    {"frames", required_argument, nullptr, kFrames},
    {"capture", required_argument, nullptr, kCapture},
    {"keys", required_argument, nullptr, kKeys},
    {"text-scale", required_argument, nullptr, kTextScale},
    {"root", no_argument, nullptr, 'r'},
    {"window-id", required_argument, nullptr, kWindowId},
    {"target-fps", required_argument, nullptr, kTargetFps},
    {"cpu-budget", required_argument, nullptr, kCpuBudget},
    {nullptr, 0, nullptr, 0},
};

// The program's own long options with the settings' after them, closed by the null entry.
std::vector<option> LongOptionTable() {
  std::vector<option> table(std::begin(kLongOptions), std::end(kLongOptions) - 1);
  const std::vector<Setting>& settings = SettingTable();
  for (std::size_t i = 0; i < settings.size(); ++i)
    table.push_back({settings[i].name,
                     settings[i].kind == SettingKind::kSwitch ? no_argument : required_argument,
                     nullptr, SettingOptionValue(i)});
  table.push_back({nullptr, 0, nullptr, 0});
  return table;
}

// The entry whose name is exactly the first length characters of name, or null.
const option* FindLongOption(const std::vector<option>& table, const char* name, size_t length) {
  for (const option& o : table)
    if (o.name != nullptr && std::strlen(o.name) == length &&
        std::strncmp(o.name, name, length) == 0)
      return &o;
  return nullptr;
}

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

// The one-dash forms every screen-saver hack takes, as lockers start hacks ("quor -root"), read
// as the options they stand for. Only these three: other one-dash words keep their short-option
// meaning ("-cu"), and freeglut's own X options are taken out before this is asked.
const char* OneDashForm(const char* word) {
  static const struct {
    const char* oneDash;
    const char* option;
  } kForms[] = {{"-root", "--root"}, {"-window-id", "--window-id"}, {"-fps", "--clock"}};
  for (const auto& form : kForms)
    if (std::strcmp(word, form.oneDash) == 0) return form.option;
  return nullptr;
}

// A run that ends after --frames never presses the keys scripted after its last frame; say so
// rather than drop them without a word.
void WarnOfKeysAfterLastFrame(const Options& options, std::FILE* err) {
  if (options.frames == 0) return;
  size_t late = 0;
  uint64_t first = 0;
  for (const ScriptKey& key : options.keys) {
    if (key.frame <= options.frames) continue;
    if (late++ == 0) first = key.frame;
  }
  const auto last = static_cast<unsigned long long>(options.frames);
  if (late == 1) {
    std::fprintf(err,
                 "quor: warning: the key of --keys at frame %llu comes after the last frame "
                 "(--frames=%llu) and is never pressed\n",
                 static_cast<unsigned long long>(first), last);
  } else if (late > 1) {
    std::fprintf(err,
                 "quor: warning: %zu keys of --keys, from frame %llu on, come after the last "
                 "frame (--frames=%llu) and are never pressed\n",
                 late, static_cast<unsigned long long>(first), last);
  }
}

// The words getopt_long reads, closed by a null: argv without freeglut's X options (noting
// -geometry and -display in result), and with the hacks' one-dash forms written as the options
// they stand for. spelledOut keeps the words made anew ("-window-id=ID" as "--window-id=ID").
std::vector<char*> GetoptWords(int argc, char** argv, Options* result,
                               std::vector<std::string>* spelledOut) {
  std::vector<char*> words;
  spelledOut->reserve(static_cast<size_t>(std::max(argc, 0)));  // so that no entry moves
  words.push_back(argc > 0 ? argv[0] : const_cast<char*>("quor"));
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    bool takesValue = false;
    if (IsGlutOption(argv[i], &takesValue)) {
      if (std::strcmp(argv[i], "-geometry") == 0) result->geometryGiven = true;
      if (std::strcmp(argv[i], "-display") == 0 && i + 1 < argc) result->display = argv[i + 1];
      if (takesValue && i + 1 < argc) ++i;
      continue;
    }
    const char* gnu = optionsEnded ? nullptr : OneDashForm(argv[i]);
    if (!optionsEnded && std::strncmp(argv[i], "-window-id=", 11) == 0) {
      spelledOut->push_back(std::string("-") + argv[i]);
      words.push_back(&spelledOut->back()[0]);
      continue;
    }
    optionsEnded = optionsEnded || std::strcmp(argv[i], "--") == 0;
    words.push_back(gnu != nullptr ? const_cast<char*>(gnu) : argv[i]);
    // The id after a separate "-window-id" or "--window-id" is a value, never an option.
    if (std::strcmp(words.back(), "--window-id") == 0 && i + 1 < argc) words.push_back(argv[++i]);
  }
  words.push_back(nullptr);
  return words;
}

}  // namespace

uint32_t Options::FrameCap() const {
  // A screen saver should leave the machine some rest: 30 is what most GL hacks draw at.
  constexpr uint32_t kEmbeddedFps = 30;
  if (maxFps >= 0) return static_cast<uint32_t>(maxFps);
  if (!Embedded()) return 0;
  return BatteryRest() ? kEmbeddedFps / 2 : kEmbeddedFps;
}

double Options::CpuBudget() const {
  // An idle screen on a machine without a GPU should leave most of it free.
  constexpr double kEmbeddedCores = 0.5;
  if (cpuBudget >= 0.0) return cpuBudget;
  if (!Embedded()) return 0.0;
  return BatteryRest() ? kEmbeddedCores / 2 : kEmbeddedCores;
}

namespace {

// What the command line gave beyond the options' values, for the checks of how they combine.
struct Given {
  bool clockStart = false;
  bool targetFps = false;
};

// A message about the command line, bounded: printf's format with one text in it.
std::string Say(const char* format, const char* what) {
  char text[512];
  std::snprintf(text, sizeof text, format, what);
  return text;
}

// A bad value's message, from printf's format with the value in it.
ParseOutcome Refuse(const char* format, const char* value, std::string* error) {
  *error = Say(format, value);
  return ParseOutcome::kBadUsage;
}

// The fixed clock and what a run records: --step, --clock-start, --frames, --capture, --keys.
ParseOutcome ReadRunOption(int c, const char* value, Options* result, Given* given,
                           std::string* error) {
  uint64_t n = 0;
  switch (c) {
    case kStep:
      if (!ParseWholeNumber(value, 0, kMaxStepMs, &n))
        return Refuse("--step takes whole milliseconds from 0 to 100, not '%s'", value, error);
      result->fixedClock = true;
      result->stepMs = static_cast<uint32_t>(n);
      break;
    case kClockStart:
      if (!ParseWholeNumber(value, 0, UINT32_MAX, &n))
        return Refuse("--clock-start takes milliseconds from 0 to 4294967295, not '%s'", value,
                      error);
      result->clockStartMs = static_cast<uint32_t>(n);
      given->clockStart = true;
      break;
    case kFrames:
      if (!ParseWholeNumber(value, 1, UINT64_MAX / 2, &n))
        return Refuse("--frames takes a whole number of frames from 1, not '%s'", value, error);
      result->frames = n;
      break;
    case kCapture: {
      bool valid = false;
      CapturePatternHasFrameNumber(value, &valid);
      if (value[0] == '\0' || !valid)
        return Refuse(
            "--capture takes a file name with at most one frame number (%%d, or %%0Nd with N "
            "from 1 to 99) and %%%% for a percent sign, not '%s'",
            value, error);
      result->capture = value;
      break;
    }
    case kKeys: {
      char reason[192];
      if (!ParseKeyScript(value, &result->keys, reason, sizeof reason)) {
        *error = Say("--keys: %s", reason);
        return ParseOutcome::kBadUsage;
      }
      break;
    }
  }
  return ParseOutcome::kRun;
}

// The text, the target window and the render scale's aims: --text-scale, --window-id,
// --target-fps, --cpu-budget.
ParseOutcome ReadViewOption(int c, const char* value, Options* result, Given* given,
                            std::string* error) {
  uint64_t n = 0;
  switch (c) {
    case kTextScale:
      if (!ParseWholeNumber(value, kMinTextScale, kMaxTextScale, &n))
        return Refuse("--text-scale takes a whole number from 1 to 8, not '%s'", value, error);
      result->textScale = static_cast<int>(n);
      break;
    case kWindowId: {
      uint64_t id = 0;
      if (!ParseTargetWindow(value, &id))
        return Refuse((std::string("--window-id takes ") +
                       PlatformCommandLineTexts().windowIdValue + ", not '%s'")
                          .c_str(),
                      value, error);
      result->windowId = static_cast<unsigned long>(id);
      break;
    }
    case kTargetFps:
      if (!ParseWholeNumber(value, 1, kMaxTargetFps, &n))
        return Refuse("--target-fps takes whole frames a second from 1 to 1000, not '%s'", value,
                      error);
      result->targetFps = static_cast<uint32_t>(n);
      given->targetFps = true;
      break;
    case kCpuBudget: {
      double cores = 0.0;
      if (!ParsePlainDecimal(value, &cores) || !(cores >= 0.0 && cores <= kMaxCpuBudgetCores))
        return Refuse("--cpu-budget takes cores from 0 to 1024, not '%s'", value, error);
      result->cpuBudget = cores;
      break;
    }
  }
  return ParseOutcome::kRun;
}

// Reads one of the program's own options (not a setting's). Answers --help and --version on out;
// a bad value sets *error.
ParseOutcome ReadOwnOption(int c, const char* value, Options* result, Given* given, std::FILE* out,
                           std::string* error) {
  switch (c) {
    case 'h':
      std::fputs(UsageText().c_str(), out);
      return ParseOutcome::kAnswered;
    case 'V':
      std::fprintf(out, "quor %s\n", QUOR_VERSION);
      return ParseOutcome::kAnswered;
    case 'w':
      result->windowed = true;
      return ParseOutcome::kRun;
    case 'r':
      result->root = true;
      return ParseOutcome::kRun;
    case kStep:
    case kClockStart:
    case kFrames:
    case kCapture:
    case kKeys:
      return ReadRunOption(c, value, result, given, error);
    default:
      return ReadViewOption(c, value, result, given, error);
  }
}

// What getopt_long refused, in GNU getopt's words: a long option named as written, up to its '='.
std::string RefusedOption(const std::vector<option>& table, const char* word) {
  if (std::strncmp(word, "--", 2) == 0) {
    const char* name = word + 2;
    const size_t length = std::strcspn(name, "=");
    if (FindLongOption(table, name, length) == nullptr)
      return Say("unrecognized option '%s'", word);
    const std::string written(word, length + 2);
    if (name[length] == '=') return Say("option '%s' doesn't allow an argument", written.c_str());
    return Say("option '%s' requires an argument", written.c_str());
  }
  const char shortName[2] = {static_cast<char>(optopt), '\0'};
  return Say("invalid option -- '%s'", shortName);
}

// The options that need another, once all are read; empty when they combine. A screen saver
// lowers its resolution where that holds the frame rate: with a GPU it stays at full resolution
// anyway.
std::string CombinationError(Options* result, const Given& given) {
  if (given.clockStart && !result->fixedClock) return "--clock-start needs --step";
  if (!result->renderScaleGiven && result->Embedded()) result->renderScaleAuto = true;
  if (given.targetFps && !result->renderScaleAuto) return "--target-fps needs --render-scale=auto";
  if (result->cpuBudget >= 0.0 && !result->renderScaleAuto)
    return "--cpu-budget needs --render-scale=auto";
  return "";
}

}  // namespace

ParseOutcome ParseOptions(int argc, char** argv, Options* result, std::FILE* out, std::FILE* err) {
  *result = Options();
  // getopt_long reorders what it is given: it works on a copy without freeglut's options.
  std::vector<std::string> spelledOut;
  std::vector<char*> words = GetoptWords(argc, argv, result, &spelledOut);
  const auto usageError = [&](const std::string& message) {
    std::fprintf(err, "quor: %s\n\n%s", message.c_str(), UsageText().c_str());
    return ParseOutcome::kBadUsage;
  };

  const std::vector<option> table = LongOptionTable();
  opterr = 0;  // the messages are ours
  optind = 0;  // a full restart, so that parsing can run more than once in a process
  Given given;
  const std::string shortOptions = "+hVwr" + SettingShortOptions();
  const int count = static_cast<int>(words.size()) - 1;
  while (true) {
    const int previous = optind == 0 ? 1 : optind;
    int longIndex = -1;
    const int c = getopt_long(count, words.data(), shortOptions.c_str(), table.data(), &longIndex);
    if (c == -1) break;
    // The word being read: for a long option the whole "--name[=value]".
    const char* word = previous < count ? words[previous] : "?";
    if (longIndex >= 0) {
      const char* name = word + 2;
      if (std::strncmp(word, "--", 2) != 0 ||
          FindLongOption(table, name, std::strcspn(name, "=")) != &table[longIndex])
        return usageError(Say("unrecognized option '%s'", word));
    }
    if (c == '?' || c == ':') return usageError(RefusedOption(table, word));
    std::string error;
    if (const Setting* setting = SettingOfOption(c)) {
      char reason[160];
      if (!ParseSettingOption(*setting, optarg, result, reason, sizeof reason))
        return usageError(reason);
      continue;
    }
    const ParseOutcome outcome = ReadOwnOption(c, optarg, result, &given, out, &error);
    if (outcome == ParseOutcome::kBadUsage) return usageError(error);
    if (outcome == ParseOutcome::kAnswered) return outcome;
  }
  if (optind < count) return usageError(Say("unexpected argument '%s'", words[optind]));
  const std::string combination = CombinationError(result, given);
  if (!combination.empty()) return usageError(combination);
  WarnOfKeysAfterLastFrame(*result, err);
  return ParseOutcome::kRun;
}
