// The command line: GNU options, freeglut's X options passed over, the options of the settings
// that keys change, key scripts and capture names checked before anything opens, and the
// screen-saver settings dialog, every argument of which quor must accept.
#include "app/options.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/embed_window.h"

namespace {

struct Parse {
  ParseOutcome outcome;
  Options options;
  std::string out, err;
};

Parse ParseWords(std::vector<std::string> words) {
  words.insert(words.begin(), "quor");
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  Parse p;
  char* outText = nullptr;
  char* errText = nullptr;
  size_t outSize = 0, errSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  std::FILE* err = open_memstream(&errText, &errSize);
  p.outcome = ParseOptions(static_cast<int>(words.size()), argv.data(), &p.options, out, err);
  std::fclose(out);
  std::fclose(err);
  p.out = outText;
  p.err = errText;
  free(outText);
  free(errText);
  return p;
}

TEST(Options, OwnOptionsAreReadAndFreeglutsArePassedOver) {
  const Parse p =
      ParseWords({"-display", ":7", "-w", "-geometry", "300x200+1+2", "-iconic", "-cu", "--clouds",
                  "--step=33", "--clock-start=4294967000", "--frames=90",
                  "--capture=shots/%04d.png", "--keys=2:x 1:Space 2:F12", "--text-scale=8"});
  ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
  EXPECT_TRUE(p.options.windowed && p.options.clockOn && p.options.universeOn && p.options.clouds);
  EXPECT_TRUE(p.options.geometryGiven);
  EXPECT_TRUE(p.options.fixedClock);
  EXPECT_EQ(p.options.stepMs, 33u);
  EXPECT_EQ(p.options.clockStartMs, 4294967000u);
  EXPECT_EQ(p.options.frames, 90u);
  EXPECT_EQ(p.options.capture, "shots/%04d.png");
  EXPECT_EQ(p.options.textScale, 8);
  // In frame order; keys of one frame in the order written.
  ASSERT_EQ(p.options.keys.size(), 3u);
  EXPECT_EQ(p.options.keys[0].frame, 1u);
  EXPECT_EQ(p.options.keys[0].code, ' ');
  EXPECT_EQ(p.options.keys[1].code, 'x');
  EXPECT_FALSE(p.options.keys[1].special);
  EXPECT_TRUE(p.options.keys[2].special);
  EXPECT_EQ(p.options.keys[2].code, GLUT_KEY_F12);
  EXPECT_TRUE(p.out.empty());
  EXPECT_TRUE(p.err.empty());
}

TEST(Options, HelpAndVersionAnswerOnStandardOutput) {
  Parse p = ParseWords({"--help"});
  EXPECT_EQ(p.outcome, ParseOutcome::kExitSuccess);
  EXPECT_EQ(p.out.rfind("Usage: quor", 0), 0u);
  p = ParseWords({"-V"});
  EXPECT_EQ(p.outcome, ParseOutcome::kExitSuccess);
  EXPECT_EQ(p.out.rfind("quor ", 0), 0u);
  EXPECT_TRUE(p.err.empty());
}

struct BadCommandLine {
  std::vector<std::string> words;
  const char* named;  // what the first line of the message must hold
};

class BadCommandLines : public ::testing::TestWithParam<BadCommandLine> {};

TEST_P(BadCommandLines, NameWhatIsWrongAsGnuToolsDoAndShowTheUsage) {
  const BadCommandLine& c = GetParam();
  const Parse p = ParseWords(c.words);
  EXPECT_EQ(p.outcome, ParseOutcome::kExitUsage);
  const std::string first = p.err.substr(0, p.err.find('\n'));
  EXPECT_EQ(first.rfind("quor: ", 0), 0u) << first;
  EXPECT_NE(first.find(c.named), std::string::npos) << first;
  EXPECT_NE(p.err.find("Usage: quor"), std::string::npos);
  EXPECT_TRUE(p.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Options, BadCommandLines,
    ::testing::Values(
        BadCommandLine{{"--bogus"}, "unrecognized option '--bogus'"},
        BadCommandLine{{"-x"}, "invalid option -- 'x'"},
        BadCommandLine{{"-cx"}, "invalid option -- 'x'"},
        BadCommandLine{{"--step"}, "option '--step' requires an argument"},
        BadCommandLine{{"--fov"}, "option '--fov' requires an argument"},
        // A value given to an option that takes none is named as such, with the option as
        // written: not as its short form, and not as a missing value.
        BadCommandLine{{"--help=3"}, "option '--help' doesn't allow an argument"},
        BadCommandLine{{"--windowed=yes"}, "option '--windowed' doesn't allow an argument"},
        BadCommandLine{{"--universe=1"}, "option '--universe' doesn't allow an argument"},
        BadCommandLine{{"--clock=1"}, "option '--clock' doesn't allow an argument"},
        BadCommandLine{{"--clouds=1"}, "option '--clouds' doesn't allow an argument"},
        BadCommandLine{{"--hyperspace=1"}, "option '--hyperspace' doesn't allow an argument"},
        // Long options only in full: no abbreviation, unique or not.
        BadCommandLine{{"--win"}, "unrecognized option '--win'"},
        BadCommandLine{{"--fr=2"}, "unrecognized option '--fr=2'"},
        BadCommandLine{{"--c"}, "unrecognized option '--c'"},
        BadCommandLine{{"--cloud=1"}, "unrecognized option '--cloud=1'"},
        BadCommandLine{{"--hyper"}, "unrecognized option '--hyper'"},
        BadCommandLine{{"--step=101"}, "'101'"}, BadCommandLine{{"--step=-1"}, "'-1'"},
        BadCommandLine{{"--step=5ms"}, "'5ms'"}, BadCommandLine{{"--frames=0"}, "'0'"},
        BadCommandLine{{"--clock-start=4294967296", "--step=1"}, "'4294967296'"},
        BadCommandLine{{"--clock-start=5"}, "--clock-start needs --step"},
        BadCommandLine{{"--capture="}, "--capture"},
        BadCommandLine{{"--capture=%s.png"}, "'%s.png'"},
        BadCommandLine{{"--capture=%d-%d.png"}, "'%d-%d.png'"},
        BadCommandLine{{"--capture=%n"}, "'%n'"},
        BadCommandLine{{"--capture=a%5d.png"}, "'a%5d.png'"},  // would pad with spaces
        BadCommandLine{{"--capture=a%0d.png"}, "'a%0d.png'"},
        BadCommandLine{{"--capture=a%-4d.png"}, "'a%-4d.png'"},
        BadCommandLine{{"--keys=1:x 0:y"}, "'0:y'"}, BadCommandLine{{"--keys=3:"}, "'3:'"},
        BadCommandLine{{"--keys=3:ab"}, "'3:ab'"}, BadCommandLine{{"--keys=x"}, "'x'"},
        // A key name that is not one lists the names there are.
        BadCommandLine{{"--keys=2:Enter"},
                       "'2:Enter' is not FRAME:KEY (KEY: one character or Space, Escape, Left, "
                       "Right, Up, Down, F12, in any case)"},
        BadCommandLine{{"--keys=5:esc"}, "'5:esc' is not FRAME:KEY (KEY: one character or Space"},
        BadCommandLine{{"--polygon-mode=line"}, "--polygon-mode takes fill, lines or points"},
        BadCommandLine{{"--polygon-mode=Lines"}, "'Lines'"},
        BadCommandLine{{"--text-scale=0"}, "'0'"}, BadCommandLine{{"--text-scale=9"}, "'9'"},
        BadCommandLine{{"--text-scale=2x"}, "'2x'"},
        BadCommandLine{{"--text-scale"}, "option '--text-scale' requires an argument"},
        BadCommandLine{{"--window-id"}, "option '--window-id' requires an argument"},
        BadCommandLine{{"--window-id=0"}, "'0'"}, BadCommandLine{{"--window-id=zz"}, "'zz'"},
        BadCommandLine{{"--root=1"}, "option '--root' doesn't allow an argument"},
        BadCommandLine{{"--max-fps=1001"}, "'1001'"}, BadCommandLine{{"--max-fps=-1"}, "'-1'"},
        BadCommandLine{{"--max-fps=30fps"}, "'30fps'"}, BadCommandLine{{"--max-fps="}, "''"},
        BadCommandLine{{"--render-scale=0.2"}, "'0.2'"},
        BadCommandLine{{"--render-scale=1.01"}, "'1.01'"},
        BadCommandLine{{"--render-scale=0.5x"}, "'0.5x'"},
        BadCommandLine{{"--render-scale=nan"}, "'nan'"},
        BadCommandLine{{"--render-scale=-0.5"}, "'-0.5'"},
        BadCommandLine{{"--render-scale=Auto"}, "'Auto'"},
        BadCommandLine{{"--render-scale=auto", "--target-fps=0"}, "'0'"},
        BadCommandLine{{"--render-scale=auto", "--target-fps=1001"}, "'1001'"},
        BadCommandLine{{"--target-fps=30"}, "--target-fps needs --render-scale=auto"},
        BadCommandLine{{"--render-scale=auto", "--target-fps=30", "--render-scale=0.5"},
                       "--target-fps needs --render-scale=auto"},
        BadCommandLine{{"stray"}, "unexpected argument 'stray'"}));

TEST(Options, ASaversWindowCapsTheFrameRateAtSixtyUnlessToldOtherwise) {
  const struct {
    std::vector<std::string> words;
    bool embedded;
    unsigned long windowId;
    uint32_t cap;
  } cases[] = {
      {{}, false, 0, 0},
      {{"--max-fps=10"}, false, 0, 10},
      {{"-r"}, true, 0, 60},
      {{"--root", "--max-fps=0"}, true, 0, 0},
      {{"--window-id=0x60000C"}, true, 0x60000C, 60},
      {{"--window-id=123", "--max-fps=1000"}, true, 123, 1000},
      {{"-w", "-display", ":3", "--root"}, true, 0, 60},
  };
  for (const auto& c : cases) {
    const Parse p = ParseWords(c.words);
    ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
    EXPECT_EQ(p.options.Embedded(), c.embedded) << p.options.windowId;
    EXPECT_EQ(p.options.windowId, c.windowId);
    EXPECT_EQ(p.options.FrameCap(), c.cap) << (c.words.empty() ? "" : c.words.back());
  }
  EXPECT_EQ(ParseWords({"-display", ":3", "-r"}).options.display, ":3");
}

// Window ids as screen savers write them in $XSCREENSAVER_WINDOW and on command lines.
class WindowIdText : public ::testing::TestWithParam<std::pair<const char*, unsigned long>> {};

TEST_P(WindowIdText, IsReadOrRefused) {
  const auto& [text, expected] = GetParam();
  unsigned long id = 7;
  EXPECT_EQ(ParseWindowId(text, &id), expected != 0) << text;
  EXPECT_EQ(id, expected != 0 ? expected : 7) << text << ": a refused id must leave the value";
}

INSTANTIATE_TEST_SUITE_P(
    Ids, WindowIdText,
    ::testing::Values(
        std::make_pair("0x60000C", 0x60000CUL), std::make_pair("0X1a", 0x1AUL),
        std::make_pair("6291468", 6291468UL), std::make_pair("0x1FFFFFFF", 0x1FFFFFFFUL),
        std::make_pair("536870911", 0x1FFFFFFFUL),
        // out of range: None, and ids with the top three bits set
        std::make_pair("0", 0UL), std::make_pair("0x0", 0UL), std::make_pair("0x20000000", 0UL),
        std::make_pair("536870912", 0UL), std::make_pair("0xFFFFFFFFFFFFFFFFFF", 0UL),
        // garbage
        std::make_pair("", 0UL), std::make_pair("0x", 0UL), std::make_pair("-5", 0UL),
        std::make_pair("+5", 0UL), std::make_pair(" 5", 0UL), std::make_pair("5 ", 0UL),
        std::make_pair("0x-5", 0UL), std::make_pair("60000C", 0UL), std::make_pair("0x60000G", 0UL),
        std::make_pair("12abc", 0UL)));

TEST(Options, RenderScaleIsANumberFromAQuarterToOneOrAuto) {
  Parse p = ParseWords({});
  EXPECT_EQ(p.options.renderScale, 1.0);
  EXPECT_FALSE(p.options.renderScaleAuto);
  EXPECT_EQ(p.options.targetFps, 30u);
  for (const auto& [word, scale] : {std::pair<const char*, double>{"0.25", 0.25},
                                    {"1", 1.0},
                                    {".5", 0.5},
                                    {"0.35", 0.35},
                                    {"1.0", 1.0}}) {
    p = ParseWords({std::string("--render-scale=") + word});
    ASSERT_EQ(p.outcome, ParseOutcome::kRun) << word << ": " << p.err;
    EXPECT_EQ(p.options.renderScale, scale) << word;
    EXPECT_FALSE(p.options.renderScaleAuto) << word;
  }
  p = ParseWords({"--render-scale=auto", "--target-fps=45"});
  ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
  EXPECT_TRUE(p.options.renderScaleAuto);
  EXPECT_EQ(p.options.targetFps, 45u);
}

TEST(Options, CaptureNamesWithAFrameNumberSaveEveryFrame) {
  bool valid = false;
  size_t d = 0;
  EXPECT_TRUE(CapturePatternHasFrameNumber("f%04d.png", &valid, &d));
  EXPECT_TRUE(valid);
  EXPECT_EQ(d, 4u);
  EXPECT_TRUE(CapturePatternHasFrameNumber("100%%-%d.png", &valid));
  EXPECT_FALSE(CapturePatternHasFrameNumber("last.png", &valid));
  EXPECT_TRUE(valid);
  EXPECT_FALSE(CapturePatternHasFrameNumber("100%%d.png", &valid));  // a literal "%d"
  EXPECT_TRUE(valid);
  EXPECT_FALSE(CapturePatternHasFrameNumber("%0123d.png", &valid));  // widths of 1 or 2 digits
  EXPECT_FALSE(valid);
  EXPECT_TRUE(CapturePatternHasFrameNumber("f%010d.png", &valid, &d));
  EXPECT_TRUE(valid);
  EXPECT_EQ(d, 5u);
  EXPECT_FALSE(CapturePatternHasFrameNumber("f%00d.png", &valid));
  EXPECT_FALSE(valid);
}

TEST(Options, APercentSignIsWrittenTwiceInASingleFilesNameAsInAPattern) {
  EXPECT_EQ(CaptureFileName("100%%.png"), "100%.png");
  EXPECT_EQ(CaptureFileName("a%%%%b%%d.png"), "a%%b%d.png");
  EXPECT_EQ(CaptureFileName("plain.png"), "plain.png");
}

TEST(Options, KeyNamesAreTakenInAnyLetterCase) {
  const Parse p = ParseWords({"--keys=1:space 2:ESCAPE 3:f12 4:lEfT 5:U 6:u"});
  ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
  const std::vector<std::pair<bool, int>> expected = {
      {false, ' '},          {false, 27},  {true, GLUT_KEY_F12},
      {true, GLUT_KEY_LEFT}, {false, 'U'}, {false, 'u'},  // a single character stays itself
  };
  ASSERT_EQ(p.options.keys.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(p.options.keys[i].special, expected[i].first) << i;
    EXPECT_EQ(p.options.keys[i].code, expected[i].second) << i;
  }
}

TEST(Options, KeysAfterTheLastFrameAreNamedAndTheRunGoesOn) {
  Parse p = ParseWords({"--frames=30", "--keys=50:u"});
  EXPECT_EQ(p.outcome, ParseOutcome::kRun);
  EXPECT_EQ(p.err,
            "quor: warning: the key of --keys at frame 50 comes after the last frame "
            "(--frames=30) and is never pressed\n");
  p = ParseWords({"--keys=31:u 2:x 40:o", "--frames=30"});
  EXPECT_EQ(p.outcome, ParseOutcome::kRun);
  EXPECT_EQ(p.err,
            "quor: warning: 2 keys of --keys, from frame 31 on, come after the last frame "
            "(--frames=30) and are never pressed\n");
  // The last frame itself still gets its keys, and without --frames every frame may come.
  EXPECT_TRUE(ParseWords({"--frames=30", "--keys=30:u"}).err.empty());
  EXPECT_TRUE(ParseWords({"--keys=5000:u"}).err.empty());
}

// One option for each setting that a key changes: both ends of its range taken, just beyond
// them refused with the option, the range and the value named.
struct SettingRange {
  const char* option;
  const char* low;
  const char* high;
  const char* belowLow;
  const char* aboveHigh;
  double lowValue, highValue;  // what the setting holds for low and high
  std::optional<int> StartSettings::*whole;
  std::optional<float> StartSettings::*real;
};

double Given(const StartSettings& s, const SettingRange& r) {
  if (r.whole != nullptr) return (s.*r.whole) ? *(s.*r.whole) : -12345.0;
  return (s.*r.real) ? static_cast<double>(*(s.*r.real)) : -12345.0;
}

class SettingRanges : public ::testing::TestWithParam<SettingRange> {};

TEST_P(SettingRanges, TakeBothEndsAndRefuseWhatLiesBeyondThemOrIsNoNumber) {
  const SettingRange& r = GetParam();
  const std::string option = r.option;
  // Given as --name=value and, as a screen saver's dialog writes it, as two words.
  for (const auto& [value, expected] : {std::pair{r.low, r.lowValue}, {r.high, r.highValue}}) {
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{option + "=" + value}, {option, value}}) {
      const Parse p = ParseWords(words);
      ASSERT_EQ(p.outcome, ParseOutcome::kRun) << words[0] << ": " << p.err;
      EXPECT_EQ(Given(p.options.startSettings, r),
                static_cast<double>(static_cast<float>(expected)))
          << words[0];
      EXPECT_TRUE(p.err.empty());
    }
  }
  for (const char* bad :
       {r.belowLow, r.aboveHigh, "", "x", "1x", "0x10", "nan", "inf", "1e1", "1,5", " 5", "--"}) {
    const Parse p = ParseWords({option + "=" + bad});
    EXPECT_EQ(p.outcome, ParseOutcome::kExitUsage) << option << "=" << bad;
    EXPECT_EQ(p.err.rfind("quor: " + option + " takes ", 0), 0u) << p.err;
    EXPECT_NE(p.err.find(std::string(", not '") + bad + "'\n"), std::string::npos) << p.err;
  }
  // Nothing given, nothing set: the defaults stay.
  EXPECT_EQ(Given(ParseWords({}).options.startSettings, r), -12345.0);
}

INSTANTIATE_TEST_SUITE_P(
    Options, SettingRanges,
    ::testing::Values(
        SettingRange{"--particles", "10", "320", "9", "321", 10, 320, &StartSettings::particleLimit,
                     nullptr},
        // Any limit in between, not only the six of the keys 1 to 6.
        SettingRange{"--particles", "11", "319", "0", "1000", 11, 319,
                     &StartSettings::particleLimit, nullptr},
        // The field of view steps by 2 from 120: only even degrees, as the keys reach them.
        SettingRange{"--fov", "10", "178", "8", "180", 10, 178, &StartSettings::fov, nullptr},
        SettingRange{"--fov", "12", "176", "11", "177", 12, 176, &StartSettings::fov, nullptr},
        SettingRange{"--letterbox", "0", "6", "-1", "7", 0, 6, &StartSettings::letterbox, nullptr},
        SettingRange{"--tessellation", "4", "40", "3", "41", 4, 40, &StartSettings::tessellation,
                     nullptr},
        SettingRange{"--camera-z", "-100", "100", "-100.01", "100.5", -100, 100, nullptr,
                     &StartSettings::cameraZ},
        SettingRange{"--camera-z", "-0.1", "+.25", "-1000", "1000", -0.1, 0.25, nullptr,
                     &StartSettings::cameraZ},
        SettingRange{"--object-size", "0.01", "100", "0.009", "100.001", 0.01, 100, nullptr,
                     &StartSettings::objectSize},
        SettingRange{"--main-speed", "0.01", "100.0", "0", "101", 0.01, 100, nullptr,
                     &StartSettings::mainSpeed},
        SettingRange{"--emission", "0.9", "1.111111", "-1", "200", 0.9, 1.111111, nullptr,
                     &StartSettings::emission},
        SettingRange{"--rotate-speed", ".5", "2", "0.001", "1e3", 0.5, 2, nullptr,
                     &StartSettings::rotateSpeed},
        SettingRange{"--movement-speed", "0.25", "4", "-0.25", "400", 0.25, 4, nullptr,
                     &StartSettings::movementSpeed},
        SettingRange{"--light-rotate-speed", "0.1", "10", "0.00", "100.01", 0.1, 10, nullptr,
                     &StartSettings::lightRotateSpeed}));

TEST(Options, PolygonModeAndTheSwitchesSetTheirSettings) {
  for (const auto& [mode, value] : {std::pair{"fill", 0}, {"lines", 1}, {"points", 2}}) {
    const Parse p = ParseWords({std::string("--polygon-mode=") + mode});
    ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
    EXPECT_EQ(p.options.startSettings.polyMode, value) << mode;
  }
  Parse p = ParseWords({});
  EXPECT_FALSE(p.options.startSettings.spotLights || p.options.startSettings.texturesOff ||
               p.options.startSettings.hyperspace || p.options.startSettings.polyMode);
  p = ParseWords({"--spotlights", "--no-textures", "--hyperspace"});
  ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
  EXPECT_TRUE(p.options.startSettings.spotLights);
  EXPECT_TRUE(p.options.startSettings.texturesOff);
  EXPECT_TRUE(p.options.startSettings.hyperspace);
}

// --- The screen saver's settings dialog ---------------------------------------------------

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Attribute(const std::string& tag, const char* name) {
  const std::regex attribute(std::string("\\s") + name + "=\"([^\"]*)\"");
  std::smatch m;
  return std::regex_search(tag, m, attribute) ? m[1].str() : std::string();
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Every command line the dialog can make: its command with each number at its low, default and
// high value, each boolean set and unset, and each option of each menu, one at a time.
TEST(ScreenSaverSettings, EveryArgumentTheDialogCanGiveIsAcceptedByQuor) {
  const std::string xml = ReadFile(std::string(QUOR_SOURCE_DIR) + "/dist/quor.xml");
  ASSERT_FALSE(xml.empty());
  EXPECT_NE(xml.find("<screensaver name=\"quor\" _label=\"Quor\""), std::string::npos);
  EXPECT_NE(xml.find("<_description>"), std::string::npos);

  const std::regex element("<(command|number|boolean|option|select)\\b[^>]*>");
  std::vector<std::string> command;
  std::vector<std::pair<std::string, std::string>> arguments;  // element id, argument text
  int numbers = 0, booleans = 0, selects = 0;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element);
       it != std::sregex_iterator(); ++it) {
    const std::string tag = it->str(), kind = it->str(1), id = Attribute(tag, "id");
    if (kind == "command") {
      command = Words(Attribute(tag, "arg"));
    } else if (kind == "number") {
      ++numbers;
      const std::string arg = Attribute(tag, "arg");
      ASSERT_NE(arg.find('%'), std::string::npos) << tag;
      for (const char* end : {"low", "default", "high"}) {
        std::string filled = arg;
        filled.replace(filled.find('%'), 1, Attribute(tag, end));
        arguments.push_back({id, filled});
      }
    } else if (kind == "boolean") {
      ++booleans;
      arguments.push_back({id, Attribute(tag, "arg-set") + " " + Attribute(tag, "arg-unset")});
    } else if (kind == "option") {
      arguments.push_back({id, Attribute(tag, "arg-set")});
    } else {
      ++selects;
    }
  }
  EXPECT_EQ(command, std::vector<std::string>{"--root"});
  EXPECT_GT(numbers, 0);
  EXPECT_GT(booleans, 0);
  EXPECT_GT(selects, 0);
  for (const auto& [id, argument] : arguments) {
    std::vector<std::string> words = command;
    for (const std::string& w : Words(argument)) words.push_back(w);
    const Parse p = ParseWords(words);
    EXPECT_EQ(p.outcome, ParseOutcome::kRun) << id << ": quor --root " << argument << "\n" << p.err;
    EXPECT_TRUE(p.err.empty()) << id << ": " << p.err;
  }
}

}  // namespace
